#include "platform/codepage.h"

#include <langinfo.h>

#include <cstring>
#include <strings.h>

CodePage RunningCodePage()
{
    const char *codeset = nl_langinfo(CODESET);
    if (codeset == nullptr)
        return CodePage::SingleByte;
    if (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0)
        return CodePage::Utf8;
    if (strcasecmp(codeset, "SHIFT_JIS") == 0 || strcasecmp(codeset, "SJIS") == 0
        || strcasecmp(codeset, "CP932") == 0 || strcasecmp(codeset, "WINDOWS-31J") == 0)
        return CodePage::ShiftJis;
    return CodePage::SingleByte;
}

static bool IsShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

static std::size_t Utf8SequenceLength(unsigned char c)
{
    if (c >= 0xC2 && c <= 0xDF) return 2;
    if (c >= 0xE0 && c <= 0xEF) return 3;
    if (c >= 0xF0 && c <= 0xF4) return 4;
    return 1;
}

std::size_t CharLength(std::string_view text, CodePage codePage)
{
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    switch (codePage) {
    case CodePage::ShiftJis:
        return IsShiftJisLeadByte(lead) && text.size() >= 2 ? 2 : 1;
    case CodePage::Utf8: {
        const std::size_t n = Utf8SequenceLength(lead);
        if (n > text.size())
            return 1;
        for (std::size_t i = 1; i < n; ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                return 1;
        return n;
    }
    case CodePage::SingleByte:
        break;
    }
    return 1;
}

std::size_t CharBoundaryAtOrBefore(std::string_view text, std::size_t limit, CodePage codePage)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t boundary = 0;
    while (boundary < text.size()) {
        const std::size_t next = boundary + CharLength(text.substr(boundary), codePage);
        if (next > limit)
            break;
        boundary = next;
    }
    return boundary;
}
