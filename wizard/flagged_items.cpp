// Flagged items: a list box item is one flag digit (1 compressed, 0 plain)
// followed by a path or an entry name, so the flag travels with the text.
// All three work on bytes; the flag is always the first byte, so a double-byte
// character of the name is never split.
#include "wizard/frm_main.h"

std::string TfrmMain::MakeItem(const std::string &Text, int32_t Flag)
{
    // The remainder of a signed division, as text: "-3" for -13. Callers pass 0 or 1.
    return std::to_string(Flag % 10) + Text;
}

int TfrmMain::ItemFlag(const std::string &Item)
{
    if (Item.empty() || Item[0] < '0' || Item[0] > '9')
        return 0;
    return Item[0] - '0';
}

std::string TfrmMain::ItemFileName(const std::string &Item)
{
    return Item.size() < 2 ? std::string() : Item.substr(1);
}
