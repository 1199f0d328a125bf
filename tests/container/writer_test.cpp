// The writer against the container format, byte for byte.
#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "container/kfile.h"
#include "tests/support/container_bytes.h"
#include "tests/support/temp_dir.h"

using testing_support::PatternBytes;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

const char kHeaderTemp[] = "$LHTEMP$.TMP";
const char kDataTemp[] = "$LDTEMP$.TMP";

uint32_t LE32At(const std::string &bytes, std::size_t position)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes.at(position + i));
    return v;
}

// The header exactly as the writer makes it: its own signature and comment.
std::string Header(uint32_t count)
{
    return testing_support::Field("KOMBREL", 8) + testing_support::Field("Create by \"Kombrel file unit Rev.8\"", 256)
           + testing_support::LE32(count);
}

const auto Record = testing_support::RecordBytes;

struct Entry {
    uint32_t flags, offset, size;
    std::string name;
};

Entry EntryAt(const std::string &container, int index)
{
    const std::size_t at = 268 + 272 * static_cast<std::size_t>(index);
    return Entry{LE32At(container, at + 256), LE32At(container, at + 264), LE32At(container, at + 268),
                 std::string(container.c_str() + at)};
}

class Writer : public ::testing::Test {
protected:
    void Start(const std::string &path = "out.kmb")
    {
        KFile_FileKombrel_Init(&writer);
        KFile_SetSignature(writer.header.signature, "KOMBREL");
        ASSERT_EQ(KFile_FileKombrel_Start(&writer, path.c_str()), 1);
    }
    void AddBytes(const char *name, const std::string &bytes, uint32_t flags = 0)
    {
        KFile_EntryBegin(&writer, name);
        writer.current.flags |= flags;
        if (!bytes.empty())
            KFile_EntryWrite(bytes.data(), 1, static_cast<int>(bytes.size()), &writer);
        KFile_EntryEnd(&writer);
    }
    bool TempsExist() const { return fs::exists(kHeaderTemp) || fs::exists(kDataTemp); }

    TempDir dir;
    KFileWriter writer{};
};

TEST_F(Writer, WorkedExampleIsByteExact)
{
    const std::string plain = "hello";
    const std::string zlibPayload = "\x78\x9c\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a";
    Start();
    AddBytes("a.txt", plain);
    AddBytes("b.dat", zlibPayload, KFILE_FLAG_COMPRESSED);
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);

    const std::string expected = Header(2) + Record("a.txt", 0, 0, 5)
                                 + Record("b.dat", 0x80000000u, 5, 12) + plain + zlibPayload;
    const std::string actual = ReadFileBytes("out.kmb");
    ASSERT_EQ(actual.size(), 829u);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(actual.substr(796, 4), std::string("\0\0\0\x80", 4));
    EXPECT_FALSE(TempsExist());
}

TEST_F(Writer, AddFileBuildsTheSameBytesAsTheEntryProtocol)
{
    WriteFileBytes("a.txt", "hello");
    WriteFileBytes("c.bin", PatternBytes(3000));
    Start();
    ASSERT_EQ(KFile_AddFile(&writer, "a.txt", "a.txt"), 1);
    ASSERT_EQ(KFile_AddFile(&writer, "c.bin", "c.bin"), 1);
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);

    EXPECT_EQ(ReadFileBytes("out.kmb"), Header(2) + Record("a.txt", 0, 0, 5) + Record("c.bin", 0, 5, 3000)
                                            + "hello" + PatternBytes(3000));
}

TEST_F(Writer, StartThenEndIsTheHeaderAlone)
{
    Start();
    EXPECT_TRUE(fs::exists(kHeaderTemp) && fs::exists(kDataTemp));
    EXPECT_EQ(fs::file_size("out.kmb"), 0u) << "nothing reaches the container before the end";
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    EXPECT_EQ(ReadFileBytes("out.kmb"), Header(0));
    EXPECT_FALSE(TempsExist());
}

TEST_F(Writer, OffsetsFollowEarlierSizes)
{
    Start();
    AddBytes("five", "12345");
    AddBytes("none", "");
    AddBytes("three", "abc");
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    const std::string c = ReadFileBytes("out.kmb");
    const uint32_t offsets[] = {0, 5, 5}, sizes[] = {5, 0, 3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(EntryAt(c, i).offset, offsets[i]) << i;
        EXPECT_EQ(EntryAt(c, i).size, sizes[i]) << i;
    }
    EXPECT_EQ(c.size(), 268u + 3 * 272 + 8);
    EXPECT_EQ(c.substr(268 + 3 * 272), "12345abc");
}

TEST_F(Writer, AddFileCopiesEverySizeAroundTheChunk)
{
    const std::size_t sizes[] = {0, 1, 2047, 2048, 2049, 4096, 100000};
    Start();
    for (std::size_t size : sizes) {
        const std::string name = "f" + std::to_string(size);
        WriteFileBytes(name, PatternBytes(size, static_cast<unsigned>(size)));
        ASSERT_EQ(KFile_AddFile(&writer, name.c_str(), name.c_str()), 1);
    }
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    const std::string c = ReadFileBytes("out.kmb");
    const std::size_t base = 268 + 272 * std::size(sizes);
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const Entry e = EntryAt(c, static_cast<int>(i));
        EXPECT_EQ(e.name, "f" + std::to_string(sizes[i]));
        EXPECT_EQ(e.flags, 0u);
        ASSERT_EQ(e.size, sizes[i]);
        EXPECT_EQ(c.substr(base + e.offset, e.size), PatternBytes(sizes[i], static_cast<unsigned>(sizes[i])));
    }
}

TEST_F(Writer, ShortNameKeepsTheTailOfALongerEarlierName)
{
    Start();
    AddBytes("0123456789", "x");
    AddBytes("abc", "y");
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    const std::string c = ReadFileBytes("out.kmb");
    EXPECT_EQ(c.substr(268 + 272, 11), std::string("abc\0" "456789\0", 11));
}

TEST_F(Writer, CompressedBitGoesOnlyIntoItsOwnRecord)
{
    Start();
    AddBytes("first", "1", KFILE_FLAG_COMPRESSED);
    AddBytes("second", "2");
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    const std::string c = ReadFileBytes("out.kmb");
    EXPECT_EQ(EntryAt(c, 0).flags, KFILE_FLAG_COMPRESSED);
    EXPECT_EQ(EntryAt(c, 1).flags, 0u);
}

TEST(SetSignature, CopiesUpToEightBytes)
{
    struct Row {
        const char *text;
        int copied;
        std::string field;
    } rows[] = {
        {"KOMBREL", 7, std::string("KOMBREL\0", 8)},
        {"123456789", 8, "12345678"},
        {"", 0, std::string(8, '\0')},
    };
    for (const Row &row : rows) {
        char field[8];
        memset(field, 'x', sizeof field);
        EXPECT_EQ(KFile_SetSignature(field, row.text), row.copied) << row.text;
        EXPECT_EQ(std::string(field, 8), row.field) << row.text;
    }
}

TEST_F(Writer, LongNamesAreCutOnACharacterBoundary)
{
    ASSERT_NE(setlocale(LC_ALL, "C.UTF-8"), nullptr);
    const std::string ascii(300, 'n');
    std::string japanese;
    for (int i = 0; i < 100; ++i)
        japanese += "\xe8\xa1\xa8"; // one three-byte character, 300 bytes in all
    Start();
    AddBytes(ascii.c_str(), "");
    AddBytes(japanese.c_str(), "");
    AddBytes(std::string(255, 'e').c_str(), "");
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    setlocale(LC_ALL, "C");

    const std::string c = ReadFileBytes("out.kmb");
    EXPECT_EQ(EntryAt(c, 0).name, std::string(255, 'n'));
    EXPECT_EQ(EntryAt(c, 1).name, japanese.substr(0, 255)) << "85 whole characters fill 255 bytes";
    EXPECT_EQ(EntryAt(c, 2).name, std::string(255, 'e'));
    EXPECT_EQ(c[268 + 2 * 272 + 255], '\0') << "a 255-byte name ends the field with its zero";

    ASSERT_NE(setlocale(LC_ALL, "C.UTF-8"), nullptr);
    Start("second.kmb");
    AddBytes(("x" + japanese).c_str(), "");
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    setlocale(LC_ALL, "C");
    EXPECT_EQ(EntryAt(ReadFileBytes("second.kmb"), 0).name, "x" + japanese.substr(0, 252))
        << "the cut never splits a character";
}

TEST_F(Writer, MissingSourceAddsNothing)
{
    Start();
    EXPECT_EQ(KFile_AddFile(&writer, "no-such-file", "x"), 0);
    EXPECT_EQ(writer.header.count, 0);
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    EXPECT_EQ(ReadFileBytes("out.kmb"), Header(0));
}

TEST_F(Writer, StartInAMissingFolderCreatesNothing)
{
    KFile_FileKombrel_Init(&writer);
    EXPECT_EQ(KFile_FileKombrel_Start(&writer, "missing/out.kmb"), 0);
    EXPECT_EQ(writer.file, nullptr);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

TEST_F(Writer, FailedStartClosesWhatItOpenedAndRemovesNothing)
{
    struct Row {
        const char *blocked; // a folder standing where this temporary would be created
        bool headerTempRemains;
    } rows[] = {{kHeaderTemp, false}, {kDataTemp, true}};
    for (const Row &row : rows) {
        fs::create_directory(row.blocked);
        const int before = OpenDescriptors();
        KFile_FileKombrel_Init(&writer);
        EXPECT_EQ(KFile_FileKombrel_Start(&writer, "out.kmb"), 0) << row.blocked;
        EXPECT_EQ(OpenDescriptors(), before) << row.blocked;
        EXPECT_TRUE(fs::exists("out.kmb") && fs::file_size("out.kmb") == 0) << row.blocked;
        EXPECT_EQ(fs::is_regular_file(kHeaderTemp), row.headerTempRemains) << row.blocked;
        fs::remove_all(row.blocked);
        fs::remove("out.kmb");
        fs::remove(kHeaderTemp);
    }
}

TEST_F(Writer, TemporariesOfAnAbandonedBuildAreReplaced)
{
    WriteFileBytes(kHeaderTemp, std::string(272 * 3, 'h'));
    WriteFileBytes(kDataTemp, "stale payload");
    Start();
    AddBytes("new", "fresh");
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    EXPECT_EQ(ReadFileBytes("out.kmb"), Header(1) + Record("new", 0, 0, 5) + "fresh");
    EXPECT_FALSE(TempsExist());
}

TEST_F(Writer, FullDiskOnTheContainerFailsTheEnd_DevFull)
{
    Start("/dev/full");
    AddBytes("a", PatternBytes(10000));
    EXPECT_EQ(KFile_FileKombrel_End(&writer), 0);
    EXPECT_FALSE(TempsExist());
}

// Runs `body` in a child process whose files may not grow past `limit` bytes,
// so that writes past it fail as on a full disk. Returns the body's result.
int WithFileSizeLimit(rlim_t limit, int (*body)())
{
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Writer, FailedSpoolWriteFailsTheEndAndLeavesTheContainerEmpty_FileSizeLimit)
{
    WriteFileBytes("big.bin", PatternBytes(20000));
    const int result = WithFileSizeLimit(8192, [] {
        KFileWriter w;
        KFile_FileKombrel_Init(&w);
        if (KFile_FileKombrel_Start(&w, "out.kmb") != 1)
            return 10;
        KFile_AddFile(&w, "big.bin", "big.bin");
        return KFile_FileKombrel_End(&w);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fs::file_size("out.kmb"), 0u);
    EXPECT_FALSE(TempsExist());
}

TEST_F(Writer, ContainerPastTwoGigabytesIsRefused_SparseDataTemporary)
{
    Start();
    AddBytes("small", "abc");
    // Move the spool near the format's limit without writing 2 GiB: the
    // temporary becomes sparse.
    ASSERT_EQ(fseek(writer.dataTemp, 0x7FFFFF00L, SEEK_SET), 0);
    AddBytes("crosses the limit", std::string(512, 'z'));
    EXPECT_EQ(KFile_FileKombrel_End(&writer), 0);
    EXPECT_EQ(fs::file_size("out.kmb"), 0u) << "no container with wrapped offsets";
    EXPECT_FALSE(TempsExist());
}

TEST_F(Writer, DirectoryThatPushesTheDataPastTheLimitIsRefused_SparseDataTemporary)
{
    Start();
    ASSERT_EQ(fseek(writer.dataTemp, 0x7FFFFFFFL - 100, SEEK_SET), 0);
    AddBytes("fits alone", "abc"); // offset and size fit; header and directory do not
    EXPECT_EQ(KFile_FileKombrel_End(&writer), 0);
    EXPECT_EQ(fs::file_size("out.kmb"), 0u);
}

} // namespace

namespace {

TEST_F(Writer, AbortClosesEverythingAndRemovesNothing)
{
    const int before = OpenDescriptors();
    Start();
    AddBytes("kept", "spooled");
    KFile_FileKombrel_Abort(&writer);
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_EQ(fs::file_size("out.kmb"), 0u);
    EXPECT_EQ(fs::file_size(kHeaderTemp), 272u);
    EXPECT_EQ(ReadFileBytes(kDataTemp), "spooled");
}

} // namespace
