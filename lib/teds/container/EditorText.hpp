#pragma once
// Hex and bit text as editors save it. Windows Notepad writes "Unicode" text
// as UTF-16 behind a byte order mark, other tools write UTF-16 without one,
// and some end a text with NUL bytes. Each is still the text a person typed;
// read as the bytes of an image it would decode as nonsense.

#include <optional>
#include <string>
#include <string_view>

namespace teds::container {

struct EditorText {
    std::string text;      // without a byte order mark and NULs after it; from UTF-16, as ASCII
    bool wrapped = false;  // UTF-16 or NUL-ended text: content that can only be text
};

// What `content` holds as text. UTF-16 counts only when every character is
// ASCII text, which hex and bit texts are; content that is neither that nor
// text followed by NULs comes back as it is, less a UTF-8 byte order mark,
// and not wrapped: whether it is text at all is then for the reader to say.
EditorText editorText(std::string_view content);

}  // namespace teds::container
