#include "platform/entry_names.h"

static bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

static bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSafeEntryName(std::string_view name, CodePage codePage)
{
    if (name.empty() || IsSeparator(name[0]))
        return false;
    if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':')
        return false;
    std::size_t componentStart = 0;
    for (std::size_t i = 0; i <= name.size();) {
        const std::size_t n = i < name.size() ? CharLength(name.substr(i), codePage) : 1;
        if (i == name.size() || (n == 1 && IsSeparator(name[i]))) {
            if (name.substr(componentStart, i - componentStart) == "..")
                return false;
            componentStart = i + 1;
        }
        i += n;
    }
    return true;
}
