// String lists: a text's lines, whatever its line breaks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_stream.h"
#include "platform/string_list.h"

namespace {

struct TextCase {
    const char *label;
    std::string text;
    std::vector<std::string> lines;
    friend void PrintTo(const TextCase &c, std::ostream *out) { *out << c.label; }
};

class StringListLoad : public ::testing::TestWithParam<TextCase> {};

std::vector<std::string> Lines(const TStrings &strings)
{
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings.Strings(i));
    return lines;
}

TEST_P(StringListLoad, ReplacesTheLinesWithTheText)
{
    const TextCase &c = GetParam();
    TStringList list;
    list.Add("an earlier line");
    TMemoryStream stream;
    stream.WriteBuffer("skipped\n", 8);
    stream.WriteBuffer(c.text.data(), c.text.size());
    stream.SetPosition(8);
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), c.lines);
    EXPECT_EQ(LineCount(c.text), c.lines.size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringListLoad,
    ::testing::Values(TextCase{"Empty", "", {}},
                      TextCase{"OneLineWithoutBreak", "a", {"a"}},
                      TextCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      TextCase{"Lf", "a\nb", {"a", "b"}},
                      TextCase{"Cr", "a\rb\r", {"a", "b"}},
                      TextCase{"EmptyLineBetween", "a\r\n\r\nb", {"a", "", "b"}},
                      TextCase{"LfThenCrAreTwoBreaks", "a\n\rb", {"a", "", "b"}},
                      TextCase{"OnlyABreak", "\n", {""}},
                      TextCase{"TrailingEmptyLine", "a\n\n", {"a", ""}},
                      TextCase{"ShiftJisBytesKept", "\x95\x5c\x83\x5c\r\nx", {"\x95\x5c\x83\x5c", "x"}}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
