// The item texts of both lists: a flag digit followed by a path or a name.
#include <gtest/gtest.h>

#include "wizard/frm_main.h"

namespace {

TEST(FlaggedItems, MakeItemPutsTheFlagModuloTenFirst)
{
    struct Row {
        std::string text;
        int32_t flag;
        std::string item;
    } rows[] = {
        {"C:\\work\\a.txt", 1, "1C:\\work\\a.txt"},
        {"C:\\work\\a.txt", 0, "0C:\\work\\a.txt"},
        {"C:\\work\\a.txt", 12, "2C:\\work\\a.txt"},
        {"7days.txt", 0, "07days.txt"},
        {"", 1, "1"},
        {"x", -13, "-3x"}, // the remainder of a signed division
    };
    for (const Row &row : rows)
        EXPECT_EQ(TfrmMain::MakeItem(row.text, row.flag), row.item) << row.text << " " << row.flag;
}

TEST(FlaggedItems, ItemFlagReadsTheFirstByteOnly)
{
    struct Row {
        std::string item;
        int flag;
    } rows[] = {{"", 0}, {"a.txt", 0}, {"7", 7}, {"1/home/a", 1}, {"0/home/a", 0}, {"-3x", 0}, {"12", 1}};
    for (const Row &row : rows)
        EXPECT_EQ(TfrmMain::ItemFlag(row.item), row.flag) << row.item;
}

TEST(FlaggedItems, ItemFileNameDropsTheFirstByte)
{
    struct Row {
        std::string item;
        std::string name;
    } rows[] = {{"", ""}, {"1", ""}, {"0C:\\work\\a.txt", "C:\\work\\a.txt"}, {"1\x95\x5c.txt", "\x95\x5c.txt"}};
    for (const Row &row : rows)
        EXPECT_EQ(TfrmMain::ItemFileName(row.item), row.name) << row.item;
}

TEST(FlaggedItems, MakeItemAndItemFileNameRoundTrip)
{
    for (const std::string text : {"", "a", "/home/user/a.txt", "3rd.txt", "\xe8\xa1\xa8"}) {
        const std::string item = TfrmMain::MakeItem(text, 1);
        EXPECT_EQ(TfrmMain::ItemFileName(item), text);
        EXPECT_EQ(TfrmMain::ItemFlag(item), 1);
    }
}

} // namespace
