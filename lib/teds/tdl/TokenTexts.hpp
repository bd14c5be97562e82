#pragma once
// The texts of the tokens of one parse, kept end to end in one buffer. The
// parser's stack then holds only where a text lies, a plain pair of
// numbers that costs nothing to shift and reduce, and the texts are freed
// together when the parse ends, whatever error recovery threw away.

#include <cstddef>
#include <string>
#include <string_view>

namespace teds::tdl {

// Where a text lies in a TokenTexts. Trivial, so that it can sit in the
// parser's value union; {0, 0} is the empty text.
struct TextRef {
    std::size_t offset;
    std::size_t size;
};

class TokenTexts {
public:
    TextRef add(std::string_view text) {
        const TextRef ref{chars_.size(), text.size()};
        chars_.append(text);
        return ref;
    }

    // Valid until the next add().
    std::string_view view(TextRef ref) const { return std::string_view(chars_).substr(ref.offset, ref.size); }
    std::string copy(TextRef ref) const { return std::string(view(ref)); }

private:
    std::string chars_;
};

}  // namespace teds::tdl
