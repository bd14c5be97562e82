#pragma once

#include <cstdint>

namespace teds::types {

// Bounds the records one image decode may produce. A struct array's count
// comes from the image, so without a bound a few bytes could ask for
// billions of records; no real TEDS comes near the limit.
class RecordBudget {
public:
    static constexpr std::uint32_t kDefaultLimit = 1u << 20;

    explicit RecordBudget(std::uint32_t limit = kDefaultLimit) : left_(limit) {}

    // Takes one record from the budget; false once it is spent.
    bool take() {
        if (left_ == 0) return false;
        --left_;
        return true;
    }
    std::uint32_t left() const { return left_; }

private:
    std::uint32_t left_;
};

}  // namespace teds::types
