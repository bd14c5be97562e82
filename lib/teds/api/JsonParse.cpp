#include "JsonParse.hpp"

#include <vector>

#include "DocumentLimits.hpp"
#include "DocumentProblems.hpp"

namespace teds::api::document {
namespace {

using Json = nlohmann::json;

// What the tree of a document may take in memory, as counted below. The
// tree of a document tedsdump writes counts four to six times its text, so
// every document of up to kMaxDocumentBytes fits with room to spare (one
// with its blanks taken out counts about nine times its text); a document
// of nothing but brackets would take thirty times its text, and is stopped
// here instead.
constexpr std::size_t kMostTreeBytes = 8 * kMaxDocumentBytes;
// What one allocation costs beside the bytes asked for.
constexpr std::size_t kAllocation = 16;

// A text's bytes on the heap, beyond those that fit in the string itself.
std::size_t textBytes(const std::string& text) { return text.size() < 16 ? 0 : text.size() + 1 + kAllocation; }

// Builds the tree as the parser reads the text, without recursion: the open
// lists and objects are a stack, checked against the nesting limit before
// each one opens, so a hundred thousand brackets cost nothing but the error.
// What each value takes is counted before it is added.
class TreeBuilder {
public:
    explicit TreeBuilder(Json& root) : root_(root) {}

    bool null() { return add(nullptr, 0); }
    bool boolean(bool value) { return add(value, 0); }
    bool number_integer(Json::number_integer_t value) { return add(value, 0); }
    bool number_unsigned(Json::number_unsigned_t value) { return add(value, 0); }
    // The parser refuses a number past the range of a double itself.
    bool number_float(Json::number_float_t value, const std::string&) { return add(value, 0); }
    bool string(std::string& value) {
        const std::size_t heap = sizeof(std::string) + kAllocation + textBytes(value);
        return add(std::move(value), heap);
    }
    bool binary(Json::binary_t&) { return fail("the document holds binary data"); }

    bool start_object(std::size_t) { return open(Json::object(), sizeof(Json::object_t) + kAllocation); }
    bool key(std::string& name) {
        // A node of the object's tree: its links, the key and the value.
        const std::size_t node = 4 * sizeof(void*) + sizeof(Json::object_t::value_type) + kAllocation;
        if (!charge(node + textBytes(name))) return false;
        auto& object = open_.back()->get_ref<Json::object_t&>();
        const auto [entry, added] = object.try_emplace(std::move(name));
        if (!added) return fail(placeOfObject() + " has the key " + textExcerpt(entry->first) + " twice");
        keys_.back() = &entry->first;
        slot_ = &entry->second;
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(Json::array(), sizeof(Json::array_t) + kAllocation); }
    bool end_array() { return close(); }

    bool parse_error(std::size_t, const std::string& lastToken, const nlohmann::detail::exception& problem) {
        // "[json.exception.parse_error.101] parse error at line 1, column 5: ...; last read: '<token>'; expected ..."
        std::string message = problem.what();
        if (const auto tag = message.find("] "); tag != std::string::npos) message.erase(0, tag + 2);
        // The token quoted in it may be a whole unterminated text or a
        // number of a million digits.
        if (const auto at = message.find("'" + lastToken + "'"); at != std::string::npos)
            message.replace(at, lastToken.size() + 2, textExcerpt(lastToken));
        return fail("the document is not JSON: " + message);
    }

    const std::string& error() const { return error_; }

private:
    bool fail(std::string error) {
        error_ = std::move(error);
        return false;
    }

    // Where the value being read goes: the document itself, the end of the
    // innermost list, or the key just read.
    Json* place(Json value) {
        if (open_.empty()) return &(root_ = std::move(value));
        if (open_.back()->is_array()) {
            auto& list = open_.back()->get_ref<Json::array_t&>();
            list.push_back(std::move(value));
            return &list.back();
        }
        *slot_ = std::move(value);
        return slot_;
    }
    bool charge(std::size_t bytes) {
        charged_ += bytes;
        if (charged_ <= kMostTreeBytes) return true;
        return fail("the document holds more values than it can be read with (they would take more than " +
                    std::to_string(kMostTreeBytes >> 20) + " MiB)");
    }
    // A value in a list takes room for two, as lists grow by doubling.
    bool add(Json value, std::size_t heap) {
        if (!charge(2 * sizeof(Json) + heap)) return false;
        place(std::move(value));
        return true;
    }
    bool open(Json empty, std::size_t heap) {
        if (open_.size() >= static_cast<std::size_t>(kMaxDocumentNesting))
            return fail("the document nests deeper than " + std::to_string(kMaxDocumentNesting) +
                        " levels, deeper than the values of any template do");
        if (!charge(2 * sizeof(Json) + heap)) return false;
        // Only the innermost list or object grows, so the places of those around it stay put.
        open_.push_back(place(std::move(empty)));
        keys_.push_back(nullptr);
        return true;
    }
    bool close() {
        open_.pop_back();
        keys_.pop_back();
        return true;
    }

    // Where the innermost open object lies.
    std::string placeOfObject() const {
        std::vector<Where> frames(open_.size());
        for (std::size_t i = 0; i + 1 < open_.size(); ++i) {
            Where& child = frames[i + 1];
            child.parent = &frames[i];
            // Each open list or object is the last item of the one around it.
            if (open_[i]->is_array()) child.index = open_[i]->size() - 1;
            else child.key = *keys_[i];
        }
        return frames.back().text();
    }

    Json& root_;
    std::vector<Json*> open_;
    std::vector<const std::string*> keys_;  // the key being read in each open object
    Json* slot_ = nullptr;                  // the value of the key just read
    std::size_t charged_ = 0;
    std::string error_;
};

}  // namespace

JsonOrError parseJson(std::string_view text) {
    JsonOrError result;
    TreeBuilder builder(result.value);
    if (!Json::sax_parse(text.begin(), text.end(), &builder)) {
        result.error = builder.error().empty() ? "the document is not JSON" : builder.error();
        result.value = nullptr;
    }
    return result;
}

}  // namespace teds::api::document
