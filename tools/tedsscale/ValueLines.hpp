#pragma once
// Values as they come from standard input: one per line, or one field of
// comma-separated lines.

#include <cstddef>
#include <istream>
#include <optional>
#include <string_view>
#include <vector>

namespace tedsscale {

// Longer lines are cut here and the rest up to the line break is dropped:
// no value is this long, and a file of one endless line must not take all
// memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

// Reads a stream in large blocks and hands out its lines without copying
// them: a view stays good until the next call.
class LineReader {
public:
    explicit LineReader(std::istream& in);

    // The next line without its line break and a carriage return before it;
    // none after the last one.
    std::optional<std::string_view> next();

private:
    bool fill();  // false at the end of the stream

    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // the unread part is [begin_, end_)
    std::size_t end_ = 0;
    bool skipping_ = false;  // dropping the rest of a line cut at kMaxLineBytes
};

// `text` without the blanks and tabs around it.
std::string_view trimmed(std::string_view text);

// Field `k` (from 1) of a comma-separated line, trimmed; none for a line
// with fewer fields.
std::optional<std::string_view> fieldOf(std::string_view line, std::size_t k);

}  // namespace tedsscale
