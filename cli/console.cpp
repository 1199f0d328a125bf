#include "cli/console.h"

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <unistd.h>

void Complain(const std::string &text)
{
    std::fprintf(stderr, "kombrel: %s\n", text.c_str());
}

static void AppendEscaped(std::string &out, unsigned char byte)
{
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += hex;
}

std::string PrintableName(std::string_view name)
{
    std::string out;
    std::mbstate_t state{};
    std::size_t i = 0;
    while (i < name.size()) {
        if (name[i] == '\\') {
            out += "\\\\";
            ++i;
            continue;
        }
        wchar_t wc = 0;
        const std::size_t n = std::mbrtowc(&wc, name.data() + i, name.size() - i, &state);
        if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2) || n == 0 || !std::iswprint(wc)) {
            state = std::mbstate_t{};
            AppendEscaped(out, static_cast<unsigned char>(name[i]));
            ++i;
            continue;
        }
        out.append(name.data() + i, n);
        i += n;
    }
    return out;
}

Progress::Progress(const char *verb, long total) : verb_(verb), total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

Progress::~Progress()
{
    if (shown_)
        std::fprintf(stderr, "\r\033[K");
}

void Progress::Step(long done)
{
    if (shown_)
        std::fprintf(stderr, "\r%s %ld/%ld", verb_, done, total_);
}
