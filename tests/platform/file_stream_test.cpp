// File streams: opening, reading and writing, and the sharing rules that this
// process enforces between its own opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/file_sharing.h"
#include "platform/file_stream.h"
#include "tests/support/temp_dir.h"

using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

TEST(FileStream, CreateWritesAndOpenReadReadsBack)
{
    TempDir dir;
    WriteFileBytes("f", "an older and longer content");
    {
        TFileStream out("f", FileMode::Create);
        EXPECT_EQ(out.Size(), 0) << "an existing file is replaced";
        out.WriteBuffer("hello", 5);
        EXPECT_EQ(out.Position(), 5);
    }
    TFileStream in("f", FileMode::OpenRead);
    EXPECT_EQ(in.Size(), 5);
    char buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 5u) << "a short count at the end";
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
    in.SetPosition(1);
    EXPECT_EQ(in.Read(buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "el");
}

TEST(FileStream, CreatedStreamIsReadableToo)
{
    TempDir dir;
    TFileStream in("f", FileMode::Create);
    in.WriteBuffer("abc", 3);
    in.SetPosition(0);
    char buffer[4];
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 3u) << "a created stream is also readable";
}

// Reads are served from a read-ahead buffer; what the caller sees must be the
// file's bytes and positions all the same, whatever the sizes of the reads.
TEST(FileStream, SmallAndLargeReadsSeeTheFileAsItIs)
{
    TempDir dir;
    const std::string bytes = testing_support::PatternBytes(1'000'003);
    WriteFileBytes("f", bytes);
    TFileStream in("f", FileMode::OpenRead);
    std::string seen;
    const std::size_t sizes[] = {1, 2048, 700'000, 3, 2048};
    std::vector<char> buffer(700'000);
    for (std::size_t i = 0; seen.size() < bytes.size(); ++i) {
        const std::size_t got = in.Read(buffer.data(), sizes[i % std::size(sizes)]);
        ASSERT_GT(got, 0u);
        seen.append(buffer.data(), got);
        ASSERT_EQ(in.Position(), static_cast<std::int64_t>(seen.size()));
    }
    EXPECT_TRUE(seen == bytes);
    EXPECT_EQ(in.Read(buffer.data(), 10), 0u);
    in.SetPosition(5);
    ASSERT_EQ(in.Read(buffer.data(), 4), 4u);
    EXPECT_EQ(std::string(buffer.data(), 4), bytes.substr(5, 4));
}

TEST(FileStream, WriteAfterAReadLandsAtTheReadPosition)
{
    TempDir dir;
    TFileStream stream("f", FileMode::Create);
    stream.WriteBuffer("0123456789", 10);
    stream.SetPosition(0);
    char buffer[3];
    ASSERT_EQ(stream.Read(buffer, 3), 3u);
    stream.WriteBuffer("abc", 3);
    EXPECT_EQ(stream.Position(), 6);
    stream.SetPosition(0);
    char all[10];
    ASSERT_EQ(stream.Read(all, 10), 10u);
    EXPECT_EQ(std::string(all, 10), "012abc6789");
}

TEST(FileStream, HeldBackBytesReachTheFileAndAFullDiskIsReported_DevFull)
{
    TempDir dir;
    {
        TFileStream out("f", FileMode::Create);
        for (int i = 0; i < 300; ++i)
            out.WriteBuffer(testing_support::PatternBytes(2048, i).data(), 2048);
        EXPECT_EQ(out.Position(), 300 * 2048);
        EXPECT_EQ(out.Size(), 300 * 2048);
    }
    std::string expected;
    for (int i = 0; i < 300; ++i)
        expected += testing_support::PatternBytes(2048, i);
    EXPECT_TRUE(ReadFileBytes("f") == expected);

    // /dev/full takes nothing: a small write is held back, and Flush reports
    // it; a stream of many writes reports the failure while writing.
    {
        TFileStream small("/dev/full", FileMode::Create);
        small.WriteBuffer("x", 1);
        EXPECT_THROW(small.Flush(), EWriteError);
    }
    TFileStream large("/dev/full", FileMode::Create);
    EXPECT_THROW(
        for (int i = 0; i < 300; ++i) large.WriteBuffer(expected.data(), 2048), EWriteError);
}

TEST(FileStream, OpenAndCreateErrorsNameThePath)
{
    TempDir dir;
    fs::create_directory("folder");
    struct Row {
        const char *path;
        FileMode mode;
        std::string message;
    } rows[] = {
        {"missing", FileMode::OpenRead, "ﾌｧｲﾙ missing は開けません"},
        {"folder", FileMode::OpenRead, "ﾌｧｲﾙ folder は開けません"},
        {"no/such/folder.txt", FileMode::Create, "ﾌｧｲﾙ no/such/folder.txt を作成できません"},
        {"folder", FileMode::Create, "ﾌｧｲﾙ folder を作成できません"},
    };
    for (const Row &row : rows) {
        try {
            TFileStream stream(row.path, row.mode);
            ADD_FAILURE() << row.path << " opened";
        } catch (const EFOpenError &e) {
            EXPECT_EQ(row.mode, FileMode::OpenRead) << row.path;
            EXPECT_EQ(e.Message(), row.message);
        } catch (const EFCreateError &e) {
            EXPECT_EQ(row.mode, FileMode::Create) << row.path;
            EXPECT_EQ(e.Message(), row.message);
        }
    }
}

// The ways a file is opened in the program: as a file stream, or by the
// container unit through stdio.
enum class Opener { StreamRead, StreamCreate, StdioRead, StdioWrite, StdioUpdate };

// One open held until destroyed.
class Held {
public:
    // Opens `path`; an empty Held when the open was refused.
    static std::unique_ptr<Held> Open(Opener opener, const std::string &path)
    {
        auto held = std::make_unique<Held>();
        switch (opener) {
        case Opener::StreamRead:
        case Opener::StreamCreate:
            try {
                held->stream = std::make_unique<TFileStream>(
                    path, opener == Opener::StreamRead ? FileMode::OpenRead : FileMode::Create);
            } catch (const EFOpenError &) {
                EXPECT_EQ(opener, Opener::StreamRead) << "reading is refused with the open error";
                return nullptr;
            } catch (const EFCreateError &) {
                EXPECT_EQ(opener, Opener::StreamCreate) << "creating is refused with the creation error";
                return nullptr;
            }
            return held;
        case Opener::StdioRead:
        case Opener::StdioWrite:
        case Opener::StdioUpdate: {
            const char *mode = opener == Opener::StdioRead ? "rb" : opener == Opener::StdioWrite ? "wb" : "w+b";
            held->file = OpenSharedStdio(path.c_str(), mode);
            return held->file != nullptr ? std::move(held) : nullptr;
        }
        }
        return nullptr;
    }
    ~Held()
    {
        if (file != nullptr)
            CloseSharedStdio(file);
    }

    std::unique_ptr<TFileStream> stream;
    FILE *file = nullptr;
};

struct SharingCase {
    const char *label;
    Opener first;  // held open
    Opener second; // tried while the first is held
    bool allowed;
    friend void PrintTo(const SharingCase &c, std::ostream *out) { *out << c.label; }
};

class Sharing : public ::testing::TestWithParam<SharingCase> {
protected:
    TempDir dir;
};

TEST_P(Sharing, SecondOpenWhileTheFirstIsHeld)
{
    const SharingCase &c = GetParam();
    WriteFileBytes("f", "original");
    {
        auto first = Held::Open(c.first, "f");
        ASSERT_TRUE(first);
        const std::string before = ReadFileBytes("f");

        auto second = Held::Open(c.second, "f");
        EXPECT_EQ(second != nullptr, c.allowed);
        if (!c.allowed) {
            EXPECT_EQ(ReadFileBytes("f"), before) << "a refused open truncates nothing";
        }
    }
    EXPECT_TRUE(Held::Open(c.second, "f")) << "closing the first open lifts the refusal";
}

INSTANTIATE_TEST_SUITE_P(
    Table, Sharing,
    ::testing::Values(
        // A source that is the container being built: the writer holds it with "wb".
        SharingCase{"ReadStreamOfAFileBeingWritten", Opener::StdioWrite, Opener::StreamRead, false},
        SharingCase{"ReadStreamOfATemporary", Opener::StdioUpdate, Opener::StreamRead, false},
        // An output file that is the container being read: the reader holds it with "rb".
        SharingCase{"CreateStreamOverAFileBeingRead", Opener::StdioRead, Opener::StreamCreate, false},
        SharingCase{"CreateStreamOverAReadStream", Opener::StreamRead, Opener::StreamCreate, false},
        SharingCase{"CreateStreamOverACreateStream", Opener::StreamCreate, Opener::StreamCreate, false},
        SharingCase{"ReadStreamOfACreateStream", Opener::StreamCreate, Opener::StreamRead, false},
        SharingCase{"StdioReadOfACreateStream", Opener::StreamCreate, Opener::StdioRead, false},
        SharingCase{"StdioWriteOverAReadStream", Opener::StreamRead, Opener::StdioWrite, false},
        SharingCase{"TwoReadStreams", Opener::StreamRead, Opener::StreamRead, true},
        SharingCase{"ReadStreamOfAFileBeingRead", Opener::StdioRead, Opener::StreamRead, true},
        SharingCase{"StdioReadOfAReadStream", Opener::StreamRead, Opener::StdioRead, true},
        SharingCase{"StdioOpensShareEverything", Opener::StdioWrite, Opener::StdioRead, true}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(SharingIdentity, IsTheFileNotThePath)
{
    TempDir dir;
    WriteFileBytes("f", "original");
    WriteFileBytes("other", "other");
    fs::create_hard_link("f", "link");
    FILE *writing = OpenSharedStdio("f", "wb");
    ASSERT_NE(writing, nullptr);
    EXPECT_THROW(TFileStream("link", FileMode::OpenRead), EFOpenError) << "the same inode by another name";
    EXPECT_NO_THROW(TFileStream("other", FileMode::OpenRead)) << "another file";
    CloseSharedStdio(writing);
}

TEST(SharingIdentity, ReplacingAFileOnlyTruncatesAfterTheCheck)
{
    TempDir dir;
    WriteFileBytes("f", "keep me");
    TFileStream reading("f", FileMode::OpenRead);
    EXPECT_EQ(OpenSharedStdio("f", "w+b"), nullptr);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(ReadFileBytes("f"), "keep me");
}

} // namespace
