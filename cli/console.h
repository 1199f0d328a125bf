// What `kombrel` writes to the terminal: messages on standard error, names made
// safe to print, and a progress line while standard error is a terminal.
#ifndef KOMBREL_CLI_CONSOLE_H
#define KOMBREL_CLI_CONSOLE_H

#include <string>
#include <string_view>

// "kombrel: <text>" on standard error.
void Complain(const std::string &text);

// The name as text of the current locale: bytes that do not form a printable
// character, and the backslash itself, become \xHH or \\, so no control byte
// ever reaches the terminal.
std::string PrintableName(std::string_view name);

// "verb done/total" on one line of standard error, rewritten in place, only
// when standard error is a terminal; the destructor clears the line.
class Progress {
public:
    Progress(const char *verb, long total);
    ~Progress();
    void Step(long done);

private:
    const char *verb_;
    long total_;
    bool shown_;
};

#endif
