// The system's narrow code page: names and paths are bytes in it, never
// converted by the container unit. Only the character boundaries matter here.
#ifndef KOMBREL_PLATFORM_CODEPAGE_H
#define KOMBREL_PLATFORM_CODEPAGE_H

#include <cstddef>
#include <string_view>

enum class CodePage {
    SingleByte, // every byte is a character
    Utf8,       // Linux locales
    ShiftJis,   // Japanese Windows (code page 932)
};

// The code page of the running process: the locale's codeset on Linux.
CodePage RunningCodePage();

// Number of bytes of the character that starts at text[0] (1 at the end of a
// malformed or cut sequence, so every byte belongs to exactly one character).
std::size_t CharLength(std::string_view text, CodePage codePage);

// The longest prefix of `text` of at most `limit` bytes that ends on a
// character boundary.
std::size_t CharBoundaryAtOrBefore(std::string_view text, std::size_t limit, CodePage codePage);

#endif
