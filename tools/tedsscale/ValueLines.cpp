#include "ValueLines.hpp"

#include <algorithm>
#include <cstring>

namespace tedsscale {
namespace {

// Well above any line of values, so that a block holds many of them.
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

std::string_view withoutReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

LineReader::LineReader(std::istream& in) : in_(in), buffer_(kBlockBytes) {}

bool LineReader::fill() {
    // The unread part moves to the front; a line longer than the buffer grows it.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) buffer_.resize(std::min(buffer_.size() * 2, kMaxLineBytes + kBlockBytes));
    in_.read(buffer_.data() + end_, static_cast<std::streamsize>(buffer_.size() - end_));
    const auto got = static_cast<std::size_t>(in_.gcount());
    end_ += got;
    return got > 0;
}

std::optional<std::string_view> LineReader::next() {
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* lineEnd = std::find(start, stop, '\n');
        if (lineEnd != stop) {
            begin_ += static_cast<std::size_t>(lineEnd - start) + 1;
            if (skipping_) {
                skipping_ = false;
                continue;
            }
            return withoutReturn(std::string_view(start, static_cast<std::size_t>(lineEnd - start)));
        }
        if (skipping_) begin_ = end_;
        if (!skipping_ && end_ - begin_ >= kMaxLineBytes) {
            const std::string_view cut(start, kMaxLineBytes);
            begin_ = end_;
            skipping_ = true;
            return cut;
        }
        if (!fill()) {
            if (begin_ == end_ || skipping_) return std::nullopt;
            // The last line need not end with a line break.
            const std::string_view last(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return withoutReturn(last);
        }
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string_view> fieldOf(std::string_view line, std::size_t k) {
    for (std::size_t field = 1; field < k; ++field) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        line.remove_prefix(comma + 1);
    }
    return trimmed(line.substr(0, line.find(',')));
}

}  // namespace tedsscale
