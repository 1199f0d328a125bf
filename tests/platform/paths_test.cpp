// Folder and file-name parts of paths, in the Linux and the Windows styles.
#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"

namespace {

struct PathCase {
    const char *label;
    std::string path;
    PathStyle style;
    std::string folder;
    std::string name;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, CutAtTheLastRealSeparator)
{
    const PathCase &c = GetParam();
    EXPECT_EQ(ExtractFilePath(c.path, c.style), c.folder);
    EXPECT_EQ(ExtractFileName(c.path, c.style), c.name);
}

const PathStyle kLinux{"/", CodePage::Utf8};
const PathStyle kWindows = PathStyle::Windows();

// Shift-JIS characters whose second byte is 0x5C, the code of "\".
const std::string kHyo = "\x95\x5c";  // 表
const std::string kSo = "\x83\x5c";   // ソ
const std::string kNou = "\x94\x5c";  // 能

INSTANTIATE_TEST_SUITE_P(
    Table, PathParts,
    ::testing::Values(
        PathCase{"WindowsDrivePath", "C:\\work\\a.txt", kWindows, "C:\\work\\", "a.txt"},
        PathCase{"WindowsDriveOnly", "C:a.txt", kWindows, "C:", "a.txt"},
        PathCase{"WindowsBareName", "a.txt", kWindows, "", "a.txt"},
        PathCase{"WindowsTrailingSeparator", "C:\\work\\", kWindows, "C:\\work\\", ""},
        PathCase{"ShiftJisNameEndingInBackslashByte", "C:\\work\\" + kHyo + ".txt", kWindows, "C:\\work\\",
                 kHyo + ".txt"},
        PathCase{"ShiftJisFolderWithBackslashByte", "C:\\" + kSo + "\\" + kNou, kWindows, "C:\\" + kSo + "\\",
                 kNou},
        PathCase{"ShiftJisNameOnly", kSo + kNou, kWindows, "", kSo + kNou},
        PathCase{"LinuxPath", "/home/user/a.txt", kLinux, "/home/user/", "a.txt"},
        PathCase{"LinuxBackslashIsAName", "dir/a\\b.txt", kLinux, "dir/", "a\\b.txt"},
        PathCase{"LinuxUtf8", "/tmp/\xe8\xa1\xa8/\xe8\xa1\xa8.txt", kLinux, "/tmp/\xe8\xa1\xa8/",
                 "\xe8\xa1\xa8.txt"},
        PathCase{"Empty", "", kLinux, "", ""}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(CharBoundary, NeverSplitsACharacter)
{
    const std::string sjis = "a" + kHyo + kHyo; // 5 bytes: a, two 2-byte characters
    EXPECT_EQ(CharBoundaryAtOrBefore(sjis, 2, CodePage::ShiftJis), 1u);
    EXPECT_EQ(CharBoundaryAtOrBefore(sjis, 3, CodePage::ShiftJis), 3u);
    EXPECT_EQ(CharBoundaryAtOrBefore(sjis, 4, CodePage::ShiftJis), 3u);
    EXPECT_EQ(CharBoundaryAtOrBefore(sjis, 2, CodePage::SingleByte), 2u);
    EXPECT_EQ(CharBoundaryAtOrBefore("x\xe8\xa1\xa8", 3, CodePage::Utf8), 1u);
    EXPECT_EQ(CharBoundaryAtOrBefore("x\xe8\xa1", 3, CodePage::Utf8), 3u) << "a cut sequence counts bytewise";
}

TEST(RunningStyle, AnOverrideLastsForItsScopeAndNests)
{
    const std::string path = "dir/C:\\" + kHyo + ".txt";
    ASSERT_EQ(ExtractFileName(path), "C:\\" + kHyo + ".txt");
    {
        RunningPathStyleOverride windows(PathStyle::Windows());
        EXPECT_EQ(PathStyle::Running().separators, "\\:");
        EXPECT_EQ(ExtractFileName(path), kHyo + ".txt");
        {
            RunningPathStyleOverride slashes(kLinux);
            EXPECT_EQ(ExtractFilePath(path), "dir/");
        }
        EXPECT_EQ(ExtractFilePath(path), "dir/C:\\");
    }
    EXPECT_EQ(PathStyle::Running().separators, "/");
    EXPECT_EQ(ExtractFileName(path), "C:\\" + kHyo + ".txt");
}

TEST(RunningProgram, IsAnAbsolutePathToThisTest)
{
    const std::string self = RunningProgramPath();
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self[0], '/');
    EXPECT_EQ(ExtractFileName(self), "platform_tests");
}

} // namespace
