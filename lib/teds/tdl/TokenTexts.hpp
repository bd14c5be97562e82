#pragma once
// The texts of the tokens of one parse, kept end to end in one buffer. The
// parser's stack then holds only where a text lies, a plain pair of
// numbers that costs nothing to shift and reduce. Between templates nothing
// on the stack needs a text any more, so the texts before that point are
// released, and a file costs the texts of its largest template, not all of
// them.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <string>
#include <string_view>

namespace teds::tdl {

// Where a text lies in a TokenTexts, counted from the first text of the
// parse. Trivial, so that it can sit in the parser's value union; {0, 0} is
// the empty text.
struct TextRef {
    std::size_t offset;
    std::size_t size;
};

class TokenTexts {
public:
    TextRef add(std::string_view text) {
        const TextRef ref{end(), text.size()};
        chars_.append(text);
        return ref;
    }

    // Valid until the next add() or release.
    std::string_view view(TextRef ref) const {
        if (ref.size == 0) return {};
        assert(ref.offset >= released_);
        return std::string_view(chars_).substr(ref.offset - released_, ref.size);
    }
    std::string copy(TextRef ref) const { return std::string(view(ref)); }

    // Where the next text will lie.
    std::size_t end() const { return released_ + chars_.size(); }

    // Frees every text that lies before `mark`; later ones keep their refs.
    void releaseBefore(std::size_t mark) {
        if (mark <= released_) return;
        const std::size_t count = std::min(mark - released_, chars_.size());
        chars_.erase(0, count);
        released_ += count;
        // A large template leaves a large buffer behind; give it back
        // unless the next one is likely to need it.
        if (chars_.capacity() > kKeptCapacity && chars_.capacity() / 4 > chars_.size()) chars_.shrink_to_fit();
    }

private:
    static constexpr std::size_t kKeptCapacity = std::size_t{64} << 10;

    std::string chars_;
    std::size_t released_ = 0;  // bytes freed before chars_[0]
};

}  // namespace teds::tdl
