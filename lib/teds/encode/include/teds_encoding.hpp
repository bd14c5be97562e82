#pragma once
// What a person asks of an encode, and what it tells them back: shared by
// the encoder and the C++ interface, so both speak of one thing.

#include <cstddef>
#include <string>
#include <vector>

#include "teds_access.hpp"
#include "teds_container.hpp"

namespace teds::encode {

// One NAME=VALUE. A property inside a struct array element is named
// ARRAY[i].NAME, i counting from 0; a struct array's own name sets its number
// of elements, a select case's name its case (by the case's name or index).
// A name is set in every template of the image that declares it.
struct Setting {
    std::string name;
    std::string value;
};

struct EncodeOptions {
    Access access = Access::Id;  // settings may change this level and the ones below it
    bool strict = false;         // refuse a real off its field's grid instead of moving it
};

// Problems stop the image being written; notes do not.
struct EncodeReport {
    std::vector<std::string> problems;
    std::vector<std::string> notes;

    bool ok() const { return problems.empty(); }

    // A document of thousands of templates, or an array grown by thousands
    // of elements without values, can hold as many problems; the first
    // lines say what is wrong, and one last line counts the rest.
    static constexpr std::size_t kMostProblemsListed = 100;
    void addProblem(std::string text) {
        if (problems.size() < kMostProblemsListed) {
            problems.push_back(std::move(text));
            return;
        }
        ++problemsNotListed_;
        const std::string counted = std::to_string(problemsNotListed_) + " more problems are not listed";
        if (problemsNotListed_ == 1) problems.push_back(counted);
        else problems.back() = counted;
    }

private:
    std::size_t problemsNotListed_ = 0;
};

struct Encoded {
    container::Image image;  // empty unless the report has no problems
    EncodeReport report;

    bool ok() const { return report.ok(); }
};

}  // namespace teds::encode
