#include "DocumentProblems.hpp"

#include <algorithm>

namespace teds::api::document {
namespace {

// Enough to recognise a value by, short enough to keep a problem on one line.
constexpr std::size_t kExcerptBytes = 40;

// Cut at a character boundary, so the excerpt stays UTF-8.
std::string_view head(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0u) == 0x80u) --bytes;
    return text.substr(0, bytes);
}

// A key or a name in a place: as it is when it is short and plain, else
// quoted like any other text from the document.
std::string shown(std::string_view name) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; };
    const bool plain = name.size() <= kExcerptBytes && std::none_of(name.begin(), name.end(), control);
    return plain ? std::string(name) : textExcerpt(name);
}

}  // namespace

std::string Where::text() const {
    if (parent == nullptr) return "the document";
    std::vector<const Where*> frames;
    for (const Where* frame = this; frame->parent != nullptr; frame = frame->parent) frames.push_back(frame);
    std::string path;
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        const Where& w = **frame;
        if (w.index) path += "[" + std::to_string(*w.index) + "]";
        else path += (path.empty() ? "" : ".") + shown(w.key);
        if (w.name != nullptr) path += " (" + shown(*w.name) + ")";
    }
    return path;
}

std::string textExcerpt(std::string_view text) {
    const std::string_view start = head(text, kExcerptBytes);
    // Quoted and escaped as JSON, so no control character breaks the line.
    const std::string quoted =
        nlohmann::json(std::string(start)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return start.size() < text.size() ? quoted + "..." : quoted;
}

std::string excerpt(const nlohmann::json& value) {
    if (value.is_string()) return textExcerpt(value.get_ref<const std::string&>());
    if (value.is_array()) return "a list";
    if (value.is_object()) return "an object";
    return value.dump();
}

void Problems::add(const Where& where, std::string_view text) {
    if (lines_.size() >= kMostLines) {
        more_ = true;
        return;
    }
    lines_.push_back(where.text() + " " + std::string(text));
}

void Problems::finish() {
    if (more_) lines_.push_back("and more problems; the first " + std::to_string(kMostLines) + " are listed");
}

}  // namespace teds::api::document
