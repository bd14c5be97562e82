#pragma once
// What is wrong with a document, one line a problem: where it lies
// ("templates[0].properties[3] (%Name).value") and a short excerpt of the
// value found there, however long the value is.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace teds::api::document {

// A place in the document, as a chain of frames on the reader's stack: each
// level costs one small frame, and the text is only made for a problem.
struct Where {
    const Where* parent = nullptr;
    std::string_view key;                // ".key" (a key of the document itself without the dot)
    std::optional<std::size_t> index;    // "[index]"
    const std::string* name = nullptr;   // " (name)", a property's name

    Where at(std::string_view child) const { return {this, child, std::nullopt, nullptr}; }
    Where at(std::size_t child, const std::string* named = nullptr) const { return {this, {}, child, named}; }
    std::string text() const;  // "the document" for the document itself
};

// The value as a problem quotes it: a text's first few characters, a
// number, or what kind of value it is.
std::string excerpt(const nlohmann::json& value);
std::string textExcerpt(std::string_view text);

class Problems {
public:
    explicit Problems(std::vector<std::string>& lines) : lines_(lines) {}

    void add(const Where& where, std::string_view text);  // "<where> <text>"
    // Past the first few problems the reader stops: a hostile document can
    // hold one every few bytes.
    bool full() const { return more_; }
    // One last line when there were more problems than those listed.
    void finish();

private:
    static constexpr std::size_t kMostLines = 20;

    std::vector<std::string>& lines_;
    bool more_ = false;
};

}  // namespace teds::api::document
