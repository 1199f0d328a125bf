// The link job, driven through the form: the listed files become one
// container, each read back through the restore jobs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/support/run_process.h"
#include "tests/wizard/job_test_support.h"

namespace job_tests {
namespace {

using testing_support::PatternBytes;

const char kHeaderTemp[] = "$LHTEMP$.TMP";
const char kDataTemp[] = "$LDTEMP$.TMP";

using LinkJob = JobTest;

TEST_F(LinkJob, OneFileGivesOneEntryWithTheProgressBarAtZero)
{
    const std::vector<Source> sources = {Add("src/a.txt", "alpha", 0)};
    Link(dir.file("out/one.kom"), sources);

    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(form.ProgressBar.Max(), 0);
    EXPECT_EQ(form.ProgressBar.Position(), 0);
    EXPECT_FALSE(fs::exists(kHeaderTemp) || fs::exists(kDataTemp));
    ExpectRestoresSources(dir.file("out/one.kom"), sources);
}

TEST_F(LinkJob, FlagDigitOneOrMoreStoresCompressed)
{
    const std::string text(5000, 'k');
    const std::vector<Source> sources = {Add("src/plain.txt", text, 0), Add("src/one.txt", text, 1),
                                         Add("src/seven.txt", text, 7)};
    const std::string container = dir.file("out/flags.kom");
    Link(container, sources);

    const std::vector<StoredEntry> entries = ReadEntries(container);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].flags, 0u);
    EXPECT_EQ(entries[1].flags, KFILE_FLAG_COMPRESSED);
    EXPECT_EQ(entries[2].flags, KFILE_FLAG_COMPRESSED);
    EXPECT_LT(fs::file_size(container), KFILE_HEADER_SIZE + 3 * KFILE_INFO_SIZE + 5000 + 2 * 100)
        << "two of the three payloads are deflated";
    EXPECT_EQ(form.ProgressBar.Max(), 2);
    EXPECT_EQ(form.ProgressBar.Position(), 2);
    ExpectRestoresSources(container, sources);
}

TEST_F(LinkJob, EntryNamesAreFileNamesWithoutFolders)
{
    struct Row {
        const char *label;
        std::vector<Source> sources;
    };
    const Source once = Add("src/same.bin", PatternBytes(3000, 5), 1);
    const std::vector<Row> rows = {
        {"SameNameInTwoFolders", {Add("src/a/x.txt", "from a", 0), Add("src/b/x.txt", "from b", 1)}},
        {"SameFileTwice", {once, once}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.label);
        const std::string container = dir.file(std::string("out/") + row.label + ".kom");
        Link(container, row.sources);
        const std::vector<StoredEntry> entries = ReadEntries(container);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].name, entries[1].name);
        ExpectRestoresSources(container, row.sources);
    }
}

// A source that does not open ends the job at its item with the file-open
// error; the build is closed and nothing is removed.
struct UnopenableCase {
    const char *label;
    bool ownContainer; // else a file that does not exist
};

void PrintTo(const UnopenableCase &c, std::ostream *os) { *os << c.label; }

class UnopenableSource : public JobTest, public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenableSource, EndsTheJobWithTheOpenErrorAndLeavesTheBuildClosed)
{
    const std::string container = dir.file("out/c.kom");
    const Source first = Add("src/first.txt", "finished before", 1);
    const Source last = Add("src/last.txt", "never reached", 0);
    const std::string bad = GetParam().ownContainer ? container : dir.file("src/missing.txt");
    FillLinkList({TfrmMain::MakeItem(first.path, 1), TfrmMain::MakeItem(bad, 0), TfrmMain::MakeItem(last.path, 0)});
    form.edtTargetLinkFile.SetText(container);

    try {
        form.ExecuteLink();
        FAIL() << "the job went on";
    } catch (const EFOpenError &e) {
        EXPECT_EQ(e.Message(), EFOpenError(bad).Message());
    }
    EXPECT_EQ(form.ProgressBar.Position(), 1);
    EXPECT_EQ(fs::file_size(container), 0u);
    EXPECT_EQ(fs::file_size(kHeaderTemp), static_cast<std::uintmax_t>(KFILE_INFO_SIZE)) << "the first entry's record";
    EXPECT_GT(fs::file_size(kDataTemp), 0u);
    for (const std::string &path : {container, std::string(kHeaderTemp), std::string(kDataTemp), first.path, last.path})
        EXPECT_FALSE(HeldOpen(path)) << path;
    EXPECT_TRUE(presenter.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UnopenableSource,
                         ::testing::Values(UnopenableCase{"MissingFile", false},
                                           UnopenableCase{"TheContainerBeingBuilt", true}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(LinkJob, FailuresOfTheWriterShowTheirMessage)
{
    struct Row {
        const char *label;
        std::string container;
        std::string message;
    };
    fs::create_directory(dir.path() / "folder");
    const std::vector<Row> rows = {
        {"FolderMissing", dir.file("no-such-folder/c.kom"), "Error : KFile_FileKombrel_Start()"},
        {"ContainerIsAFolder", dir.file("folder"), "Error : KFile_FileKombrel_Start()"},
        {"DiskFull", "/dev/full", "Error : KFile_FileKombrel_End()"},
    };
    const Source source = Add("src/a.txt", "alpha", 1);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.label);
        presenter.messages.clear();
        Link(row.container, {source});
        ASSERT_EQ(presenter.messages.size(), 1u);
        EXPECT_EQ(presenter.messages[0].text, row.message);
        EXPECT_EQ(presenter.messages[0].caption, "ｴﾗｰ");
        EXPECT_EQ(presenter.messages[0].buttons, std::vector<MsgButton>{MsgButton::Ok});
        EXPECT_FALSE(fs::exists(kHeaderTemp) || fs::exists(kDataTemp)) << "never made, or removed at the end";
        EXPECT_FALSE(HeldOpen(row.container));
    }
}

// In a run with the Windows separators and Shift-JIS, a double-byte
// character whose second byte is 0x5C, the code of "\", is no separator.
TEST_F(LinkJob, ShiftJisNamesKeepTheirBackslashByte)
{
    RunningPathStyleOverride windows(PathStyle::Windows());
    const std::string hyo = "\x95\x5c"; // 表
    // Listed relative to the current folder; in the Windows style the real
    // separators are the backslash after "dir" and the colon after "d".
    const std::vector<Source> sources = {{hyo + "dir\\" + hyo + "a.txt", "first", 0},
                                         {"d:" + hyo + "b.txt", "second", 1}};
    for (const Source &s : sources)
        Write(s.path, s.bytes);
    Link("out.kom", sources);

    const std::vector<StoredEntry> entries = ReadEntries("out.kom");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, hyo + "a.txt");
    EXPECT_EQ(entries[1].name, hyo + "b.txt");
    ExpectRestoresSources("out.kom", sources);
}

// Files around the copy chunk size, empty ones, text that deflates well and
// bytes that do not, plain and compressed.
std::vector<std::pair<std::string, std::string>> MixedFiles()
{
    std::string text;
    for (int i = 0; text.size() < 200000; ++i)
        text += "line " + std::to_string(i) + " of ordinary text\n";
    return {{"empty.txt", ""},
            {"one.bin", "x"},
            {"chunk.bin", PatternBytes(2048, 2)},
            {"chunk-plus-one.bin", PatternBytes(2049, 3)},
            {"text.txt", text},
            {"random.bin", PatternBytes(300000, 4)},
            {"\xe8\xa1\xa8.txt", "named in UTF-8"}};
}

TEST_F(LinkJob, FolderOfMixedFilesRoundTripsPlainAndCompressed)
{
    std::vector<Source> sources;
    for (int flag : {0, 1})
        for (const auto &[name, bytes] : MixedFiles())
            sources.push_back(Add("src" + std::to_string(flag) + "/" + name, bytes, flag));
    Link(dir.file("out/mixed.kom"), sources);
    EXPECT_TRUE(presenter.messages.empty());
    ExpectRestoresSources(dir.file("out/mixed.kom"), sources);
}

TEST_F(LinkJob, WritesWhatTheCommandLinePackWrites)
{
    std::vector<Source> sources;
    std::vector<std::string> pack = {KOMBREL_CLI, "pack", dir.file("out/cli.kom")};
    int flag = 0;
    for (const auto &[name, bytes] : MixedFiles()) {
        sources.push_back(Add("src/" + name, bytes, flag));
        pack.push_back(flag ? "-z" : "-s");
        pack.push_back(sources.back().path);
        flag = 1 - flag;
    }
    const testing_support::ProcessResult packed = testing_support::RunProcess(pack);
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    Link(dir.file("out/wizard.kom"), sources);

    EXPECT_TRUE(ReadFileBytes(dir.file("out/wizard.kom")) == ReadFileBytes(dir.file("out/cli.kom")));
    ExpectRestoresSources(dir.file("out/wizard.kom"), sources);
}

} // namespace
} // namespace job_tests
