// The restore jobs, driven through the form on hand-made containers: the
// listing with its signature warning, and the extraction of selected items
// into the container's folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/support/container_bytes.h"
#include "tests/support/zlib_bytes.h"
#include "tests/wizard/job_test_support.h"

namespace job_tests {
namespace {

using testing_support::ContainerBytes;
using testing_support::EntrySpec;
using testing_support::HeaderBytes;
using testing_support::RecordBytes;

const char kWarning[] = "未知のファイル形式です。\n無理に開くとハングアップするかもしれません";

class RestoreJobs : public JobTest {
protected:
    // Writes a container of these entries and returns its absolute path.
    std::string Container(const std::string &relative, const std::vector<EntrySpec> &entries)
    {
        return Write(relative, ContainerBytes(entries));
    }

    // Every file under the test's folder, as paths relative to it.
    std::vector<std::string> FilesOnDisk()
    {
        std::vector<std::string> files;
        for (const auto &e : fs::recursive_directory_iterator(dir.path()))
            if (!e.is_directory())
                files.push_back(fs::relative(e.path(), dir.path()).string());
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(RestoreJobs, ContainerWithoutEntriesListsNothingAndExtractsNothing)
{
    const std::string container = Container("box/empty.kom", {});
    EXPECT_TRUE(List(container).empty());
    form.ExecuteRestore();
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{"box/empty.kom"});
}

TEST_F(RestoreJobs, SignatureWithAnyEighthByteListsWithoutWarning)
{
    for (const char eighth : {'\0', 'X', '\xff'}) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(eighth)));
        const std::string signature = std::string("KOMBREL") + eighth;
        const std::string path =
            Write("box/c.kom", HeaderBytes(1, signature) + RecordBytes("a.txt", KFILE_FLAG_COMPRESSED, 0, 0));
        EXPECT_EQ(List(path), std::vector<std::string>{"1a.txt"});
        EXPECT_TRUE(presenter.messages.empty());
    }
}

// A file without the signature brings up the Abort/Ignore box; only Abort
// stops the listing. A list left from before is cleared either way.
struct WarningCase {
    const char *label;
    bool fileExists;
    MsgResult answer;
    std::vector<std::string> items;
};

void PrintTo(const WarningCase &c, std::ostream *os) { *os << c.label; }

class SignatureWarning : public RestoreJobs, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(SignatureWarning, AbortStopsAndAnythingElseGoesOn)
{
    const WarningCase &c = GetParam();
    std::string path = dir.file("box/other.bin");
    if (c.fileExists)
        path = Write("box/other.bin", HeaderBytes(1, "kombrel") + RecordBytes("a.txt", KFILE_FLAG_COMPRESSED, 0, 0));
    form.lstRestoreFile.Items.Add("0left-over.txt");
    presenter.AnswerNextMessages({c.answer});

    EXPECT_EQ(List(path), c.items);
    ASSERT_EQ(presenter.messages.size(), 1u);
    const MessageRequest &box = presenter.messages[0];
    EXPECT_EQ(box.text, kWarning);
    EXPECT_EQ(box.caption, "ｴﾗｰ");
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(box.helpContext, 0);
    EXPECT_EQ(box.buttons, (std::vector<MsgButton>{MsgButton::Abort, MsgButton::Ignore}));
    EXPECT_FALSE(HeldOpen(path));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SignatureWarning,
    ::testing::Values(WarningCase{"AbortOnForeignFile", true, MsgResult::Abort, {}},
                      WarningCase{"IgnoreOnForeignFile", true, MsgResult::Ignore, {"1a.txt"}},
                      WarningCase{"BoxClosedOnForeignFile", true, MsgResult::None, {"1a.txt"}},
                      WarningCase{"AbortOnMissingFile", false, MsgResult::Abort, {}},
                      WarningCase{"IgnoreOnMissingFile", false, MsgResult::Ignore, {}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(RestoreJobs, FlagDigitComesFromBit31Alone)
{
    struct Row {
        uint32_t flags;
        const char *item;
    } rows[] = {{0, "0plain"},
                {KFILE_FLAG_COMPRESSED, "1deflated"},
                {0x7fffffff, "0all-other-bits"},
                {0x00000001, "0bit-zero"},
                {0xffffffff, "1all-bits"}};
    std::vector<EntrySpec> entries;
    std::vector<std::string> items;
    for (const Row &row : rows) {
        entries.push_back({std::string(row.item + 1), "", row.flags});
        items.push_back(row.item);
    }
    EXPECT_EQ(List(Container("box/flags.kom", entries)), items);
}

TEST_F(RestoreJobs, ExtractsTheSelectedItemsWhileTheBarMovesOverAll)
{
    const std::string container =
        Container("box/c.kom", {{"a.txt", "alpha"}, {"b.txt", "beta"}, {"c.txt", testing_support::ZlibCompress("gamma"),
                                                                        KFILE_FLAG_COMPRESSED}});
    ASSERT_EQ(List(container), (std::vector<std::string>{"0a.txt", "0b.txt", "1c.txt"}));
    Extract({0, 2});

    EXPECT_EQ(form.ProgressBar.Max(), 2);
    EXPECT_EQ(form.ProgressBar.Position(), 2);
    EXPECT_EQ(FilesOnDisk(), (std::vector<std::string>{"box/a.txt", "box/c.kom", "box/c.txt"}));
    EXPECT_EQ(ReadFileBytes(dir.file("box/a.txt")), "alpha");
    EXPECT_EQ(ReadFileBytes(dir.file("box/c.txt")), "gamma");
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_FALSE(HeldOpen(container));
}

TEST_F(RestoreJobs, ReplacesAnExistingFileWithoutAsking)
{
    const std::string container = Container("box/c.kom", {{"a.txt", "new"}});
    Write("box/a.txt", "an older and longer content");
    List(container);
    Extract({0});
    EXPECT_EQ(ReadFileBytes(dir.file("box/a.txt")), "new");
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(RestoreJobs, NamesEqualUnderCaseFoldingExtractTheFirstEntry)
{
    const std::string container = Container("box/c.kom", {{"Readme.TXT", "first"}, {"README.txt", "second"}});
    List(container);
    Extract({1});
    EXPECT_EQ(FilesOnDisk(), (std::vector<std::string>{"box/README.txt", "box/c.kom"}));
    EXPECT_EQ(ReadFileBytes(dir.file("box/README.txt")), "first");
}

TEST_F(RestoreJobs, BareContainerPathExtractsIntoTheCurrentFolder)
{
    Container("c.kom", {{"a.txt", "alpha"}});
    ASSERT_EQ(List("c.kom"), std::vector<std::string>{"0a.txt"});
    Extract({0});
    EXPECT_EQ(ReadFileBytes("a.txt"), "alpha");
}

// The extraction stops with the file-creation error for the output path,
// after closing the container; what was extracted before stays.
TEST_F(RestoreJobs, EntryNamedAsTheContainerLeavesTheContainerUntouched)
{
    const std::string container = Container("box/c.kom", {{"a.txt", "alpha"}, {"c.kom", "overwritten"}});
    const std::string before = ReadFileBytes(container);
    List(container);
    form.lstRestoreFile.SetSelected(0, true);
    form.lstRestoreFile.SetSelected(1, true);
    try {
        form.ExecuteRestore();
        FAIL() << "the container was replaced";
    } catch (const EFCreateError &e) {
        EXPECT_EQ(e.Message(), EFCreateError(container).Message());
    }
    EXPECT_TRUE(ReadFileBytes(container) == before);
    EXPECT_EQ(ReadFileBytes(dir.file("box/a.txt")), "alpha");
    EXPECT_FALSE(HeldOpen(container));
}

// Names that would leave the container's folder are refused before anything
// is created, whether the container path has a folder part or is bare (the
// name alone is then the output path). "{dir}" stands for the test's folder,
// above the container's.
struct HostileCase {
    const char *label;
    std::string name;
};

void PrintTo(const HostileCase &c, std::ostream *os) { *os << c.label; }

class HostileName : public RestoreJobs, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileName, IsRefusedWithTheCreationErrorAndNothingWritten)
{
    std::string name = GetParam().name;
    if (name.rfind("{dir}", 0) == 0)
        name.replace(0, 5, dir.path().string());
    fs::create_directories(dir.path() / "box/a"); // so that "a/../../x" would resolve
    const std::string container = Container("box/c.kom", {{name, "escaped"}});
    fs::current_path(dir.path() / "box");
    for (const std::string &path : {container, std::string("c.kom")}) {
        SCOPED_TRACE(path);
        ASSERT_EQ(List(path), std::vector<std::string>{"0" + name});
        try {
            Extract({0});
            ADD_FAILURE() << "extracted";
        } catch (const EFCreateError &e) {
            EXPECT_EQ(e.Message(), EFCreateError(ExtractFilePath(path) + name).Message());
        }
        EXPECT_EQ(FilesOnDisk(), std::vector<std::string>{"box/c.kom"});
        EXPECT_FALSE(HeldOpen(container));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HostileName,
                         ::testing::Values(HostileCase{"ParentFolder", "../x"},
                                           HostileCase{"AbsolutePath", "{dir}/x"},
                                           HostileCase{"BackslashParent", "..\\x"},
                                           HostileCase{"DrivePrefix", "C:\\x"},
                                           HostileCase{"ParentBehindASubfolder", "a/../../x"}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(RestoreJobs, EntryThatFailsToInflateShowsTheCodecBoxAndTheJobGoesOn)
{
    const std::string container =
        Container("box/c.kom", {{"bad.txt", "not a zlib stream", KFILE_FLAG_COMPRESSED}, {"good.txt", "fine"}});
    List(container);
    Extract({0, 1});
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "zlib decompress fail");
    EXPECT_TRUE(fs::exists(dir.file("box/bad.txt")));
    EXPECT_EQ(ReadFileBytes(dir.file("box/good.txt")), "fine");
}

// A write error on the output ends the job; the output and the container are
// closed on the way out.
TEST_F(RestoreJobs, WriteErrorEndsTheJobWithEverythingClosed)
{
    const std::string container = Container("box/c.kom", {{"full.bin", std::string(10000, 'f')}});
    fs::create_symlink("/dev/full", dir.path() / "box/full.bin");
    List(container);
    EXPECT_THROW(Extract({0}), EWriteError);
    EXPECT_FALSE(HeldOpen(container));
    EXPECT_FALSE(HeldOpen("/dev/full"));
}

// The container vanished or changed between listing and extraction.
TEST_F(RestoreJobs, ContainerThatDoesNotOpenStopsTheExtractionWithABox)
{
    struct Row {
        const char *label;
        bool remove; // else cut below the header's length
    } rows[] = {{"Removed", true}, {"CutShort", false}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.label);
        presenter.messages.clear();
        const std::string container = Container("box/c.kom", {{"a.txt", "alpha"}, {"b.txt", "beta"}});
        List(container);
        if (row.remove)
            fs::remove(container);
        else
            fs::resize_file(container, 100);
        Extract({0, 1});
        ASSERT_EQ(presenter.messages.size(), 1u);
        EXPECT_EQ(presenter.messages[0].text, "Error : KFile_Open()");
        EXPECT_EQ(presenter.messages[0].caption, "ｴﾗｰ");
        EXPECT_EQ(presenter.messages[0].buttons, std::vector<MsgButton>{MsgButton::Ok});
        EXPECT_FALSE(fs::exists(dir.file("box/a.txt")) || fs::exists(dir.file("box/b.txt")));
    }
}

} // namespace
} // namespace job_tests
