// Which entry names may become files under an extraction folder.
#include <gtest/gtest.h>

#include <string>

#include "platform/entry_names.h"

namespace {

TEST(EntryNames, StayInsideTheFolder)
{
    struct Row {
        std::string name;
        CodePage codePage;
        bool safe;
    } rows[] = {
        {"a.txt", CodePage::Utf8, true},
        {"sub/a.txt", CodePage::Utf8, true},
        {"sub\\a.txt", CodePage::Utf8, true},
        {"..a", CodePage::Utf8, true},
        {"a..", CodePage::Utf8, true},
        {"./a", CodePage::Utf8, true},
        {"", CodePage::Utf8, false},
        {"..", CodePage::Utf8, false},
        {"../x", CodePage::Utf8, false},
        {"..\\x", CodePage::Utf8, false},
        {"a/../../x", CodePage::Utf8, false},
        {"a\\..\\..\\x", CodePage::Utf8, false},
        {"a/..", CodePage::Utf8, false},
        {"/tmp/x", CodePage::Utf8, false},
        {"\\x", CodePage::Utf8, false},
        {"C:\\x", CodePage::Utf8, false},
        {"c:x", CodePage::Utf8, false},
        // 0x95 0x5C is one Shift-JIS character; its second byte is no separator.
        {"\x95\\..", CodePage::ShiftJis, true},
        {"\x95\\..", CodePage::SingleByte, false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(IsSafeEntryName(row.name, row.codePage), row.safe) << row.name;
}

} // namespace
