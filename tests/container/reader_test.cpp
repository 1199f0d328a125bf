// The reader: directory loading, lookups, the read clamp, signatures, and
// containers that break the format's limits.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "container/kfile.h"
#include "platform/exceptions.h"
#include "platform/file_sharing.h"
#include "platform/file_stream.h"
#include "tests/support/container_bytes.h"
#include "tests/support/temp_dir.h"

using testing_support::ContainerBytes;
using testing_support::EntrySpec;
using testing_support::HeaderBytes;
using testing_support::PatternBytes;
using testing_support::ReadFileBytes;
using testing_support::RecordBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

class Reader : public ::testing::Test {
protected:
    void Open(const std::string &bytes)
    {
        WriteFileBytes("c.kmb", bytes);
        ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
    }
    void TearDown() override { KFile_Close(&reader); }

    TempDir dir;
    KFileReader reader{};
};

TEST_F(Reader, ContainerWithoutEntries)
{
    Open(HeaderBytes(0));
    EXPECT_EQ(reader.count, 0);
    EXPECT_EQ(reader.base, 268);
    EXPECT_EQ(reader.current, nullptr);
    EXPECT_EQ(KFile_GetInfo(&reader, 0), nullptr);
    EXPECT_EQ(KFile_FindIndex(&reader, ""), -1);
    EXPECT_EQ(KFile_Close(&reader), 0);
}

TEST_F(Reader, DirectoryHoldsEveryFieldAsStored)
{
    std::string second = RecordBytes(std::string("b\0tail", 6), 0x7FFFFFFFu, 9, 1);
    second.replace(260, 4, testing_support::LE32(0xDEADBEEFu)); // reserved
    Open(HeaderBytes(2) + RecordBytes("a.txt", 0x80000001u, 0, 9) + second + "123456789x");
    EXPECT_EQ(reader.count, 2);
    EXPECT_EQ(reader.base, 268 + 2 * 272);
    const KFileInfo *a = KFile_GetInfo(&reader, 0);
    const KFileInfo *b = KFile_GetInfo(&reader, 1);
    ASSERT_TRUE(a && b);
    EXPECT_STREQ(a->name, "a.txt");
    EXPECT_EQ(a->flags, 0x80000001u);
    EXPECT_EQ(a->size, 9u);
    EXPECT_EQ(std::string(b->name, 6), std::string("b\0tail", 6)) << "bytes after the zero are kept";
    EXPECT_EQ(b->flags, 0x7FFFFFFFu);
    EXPECT_EQ(b->reserved, 0xDEADBEEFu);
    EXPECT_EQ(b->offset, 9u);
    EXPECT_EQ(KFile_GetInfo(&reader, 2), nullptr);
    EXPECT_EQ(KFile_GetInfo(&reader, -1), nullptr);
}

TEST_F(Reader, ReadHeaderGivesTheStoredFields)
{
    Open(ContainerBytes({{"a", "x"}}));
    KFileHeader header;
    EXPECT_EQ(KFile_ReadHeader(&reader, &header), 1);
    EXPECT_EQ(std::string(header.signature, 8), std::string("KOMBREL\0", 8));
    EXPECT_STREQ(header.comment, "test");
    EXPECT_EQ(header.count, 1);
}

TEST(ReadHeader, FileShorterThanAHeaderDoesNotRead)
{
    TempDir dir;
    WriteFileBytes("short", HeaderBytes(1).substr(0, 267));
    KFileReader reader{};
    reader.file = OpenSharedStdio("short", "rb"); // KFile_Open would refuse the file
    ASSERT_NE(reader.file, nullptr);
    KFileHeader header;
    EXPECT_EQ(KFile_ReadHeader(&reader, &header), 0);
    EXPECT_EQ(KFile_Close(&reader), 0);
}

// One read of `count` elements of `size` bytes, and what it should report.
struct Step {
    uint32_t size, count;
    int32_t result;
};

struct ClampCase {
    const char *label;
    int32_t entry;
    std::vector<Step> steps;
    friend void PrintTo(const ClampCase &c, std::ostream *out) { *out << c.label; }
};

class ReadClamp : public Reader, public ::testing::WithParamInterface<ClampCase> {};

// Entries: 0 A (100) | 1 B (5000) | 2 C (2048) | 3 D (0) | 4 E (10) | 5 F (3000, the last).
const std::vector<EntrySpec> kClampEntries = {
    {"A", PatternBytes(100, 1)},  {"B", PatternBytes(5000, 2)}, {"C", PatternBytes(2048, 3)},
    {"D", ""},                    {"E", PatternBytes(10, 4)},   {"F", PatternBytes(3000, 5)},
};

TEST_P(ReadClamp, CountsOnlyTheEntrysElements)
{
    const ClampCase &c = GetParam();
    Open(ContainerBytes(kClampEntries));
    ASSERT_EQ(KFile_SelectIndex(c.entry, &reader), 1);
    const std::string payload = kClampEntries[static_cast<std::size_t>(c.entry)].payload;
    std::size_t consumed = 0;
    for (const Step &step : c.steps) {
        std::vector<char> buffer(std::size_t{step.size} * step.count);
        const int32_t got = KFile_Read(buffer.data(), step.size, step.count, &reader);
        EXPECT_EQ(got, step.result) << "read at entry byte " << consumed;
        const std::size_t bytes = std::min<std::size_t>(std::size_t(got) * step.size, payload.size() - consumed);
        EXPECT_EQ(std::string(buffer.data(), bytes), payload.substr(consumed, bytes));
        consumed += bytes;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadClamp,
    ::testing::Values(ClampCase{"AcrossTheEndIntoTheNextEntry", 0, {{1, 2048, 100}, {1, 2048, 0}}},
                      ClampCase{"ExactlyOneChunk", 2, {{1, 2048, 2048}, {1, 2048, 0}}},
                      ClampCase{"EmptyEntry", 3, {{1, 2048, 0}}},
                      ClampCase{"LastEntryOfTheFile", 5, {{1, 2048, 2048}, {1, 2048, 952}, {1, 2048, 0}}},
                      ClampCase{"StraddlingElementCounts", 4, {{4, 1, 1}, {4, 2, 2}, {4, 1, 0}}},
                      ClampCase{"ElementsWhollyBeyondAreNot", 4, {{8, 4, 2}}},
                      ClampCase{"SizeZeroReadsNothing", 0, {{0, 10, 0}, {1, 100, 100}}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(Reader, ClampedReadStillMovesThePositionAndNeverBack)
{
    Open(ContainerBytes(kClampEntries));
    ASSERT_EQ(KFile_SelectIndex(0, &reader), 1);
    char buffer[2048];
    EXPECT_EQ(KFile_Read(buffer, 1, sizeof buffer, &reader), 100);
    EXPECT_EQ(ftello(reader.file), reader.base + 2048) << "2048 bytes past the entry's start";
    ASSERT_EQ(KFile_SelectIndex(0, &reader), 1) << "a new select starts the entry again";
    EXPECT_EQ(KFile_Read(buffer, 1, 50, &reader), 50);
}

TEST_F(Reader, SelectOutOfRangeClearsTheCurrentEntry)
{
    Open(ContainerBytes({{"a", "abc"}, {"b", "def"}}));
    char buffer[8];
    for (int32_t index : {-1, 2}) {
        ASSERT_EQ(KFile_SelectIndex(1, &reader), 1);
        EXPECT_EQ(KFile_SelectIndex(index, &reader), 0) << index;
        EXPECT_EQ(reader.current, nullptr) << index;
        EXPECT_EQ(KFile_Read(buffer, 1, sizeof buffer, &reader), 0) << index;
    }
    EXPECT_EQ(KFile_SelectName("missing", &reader), 0);
    EXPECT_EQ(reader.current, nullptr);
}

TEST_F(Reader, LookupsFoldAsciiCaseAndFindTheFirstMatch)
{
    Open(ContainerBytes({{"Readme.TXT", "1"}, {"other", "2"}, {"README.txt", "3"}, {"\x83\x61", "4"}}));
    struct Row {
        const char *name;
        int32_t index;
    } rows[] = {
        {"readme.txt", 0},    {"README.TXT", 0}, {"Readme.TXT", 0}, {"OTHER", 1},
        {"readme.tx", -1},    {"readme.txt ", -1}, {"", -1},
        {"\x83\x41", 3}, // the second byte of a double-byte character folds like a letter
    };
    for (const Row &row : rows) {
        EXPECT_EQ(KFile_FindIndex(&reader, row.name), row.index) << row.name;
        EXPECT_EQ(KFile_FindInfo(&reader, row.name), KFile_GetInfo(&reader, row.index)) << row.name;
    }
    ASSERT_EQ(KFile_SelectName("README.TXT", &reader), 1);
    EXPECT_EQ(reader.current, KFile_GetInfo(&reader, 0));
}

TEST(CompareName, FoldsOnlyAsciiLetters)
{
    struct Row {
        const char *a, *b;
        bool equal;
    } rows[] = {
        {"abc", "ABC", true},      {"a-z", "A-Z", true},   {"[", "{", false}, {"@", "`", false},
        {"\xe9", "\xc9", false},   {"ab", "abc", false},   {"", "", true},   {"\x83\x7a", "\x83\x5a", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(KFile_CompareName(row.a, row.b) == 0, row.equal) << row.a << " / " << row.b;
}

TEST(Signature, CheckReadsTheFileStart)
{
    TempDir dir;
    WriteFileBytes("full", "KOMBREL\x01 and more");
    WriteFileBytes("short", "KOMBR");
    WriteFileBytes("other", std::string("KOMBREX\0", 8));
    struct Row {
        const char *path, *text;
        int result;
    } rows[] = {
        {"full", "KOMBREL", 1}, {"short", "KOMBREL", 0}, {"other", "KOMBREL", 0},
        {"missing", "KOMBREL", 0}, {"short", "", 1},     {"missing", "", 0},
    };
    for (const Row &row : rows)
        EXPECT_EQ(KFile_CheckSignature(row.path, row.text), row.result) << row.path << " / " << row.text;
}

TEST(Signature, CompareUsesOnlyTheTextsOwnBytes)
{
    KFileHeader header{};
    memcpy(header.signature, "KOMBREL", 8);
    KFileHeader full{};
    memcpy(full.signature, "12345678", 8);
    EXPECT_EQ(KFile_CompareSignature(&header, "KOM"), 0);
    EXPECT_EQ(KFile_CompareSignature(&header, "KOMBREX"), 1);
    EXPECT_EQ(KFile_CompareSignature(&header, ""), 0);
    EXPECT_EQ(KFile_CompareSignature(&header, "KOMBREL"), 0);
    EXPECT_EQ(KFile_CompareSignature(&full, "123456789"), 0) << "bytes past the eighth are ignored";
}

TEST_F(Reader, OpenContainerCannotBeReplacedUntilClosed)
{
    Open(ContainerBytes({{"a", "abc"}}));
    const std::string before = ReadFileBytes("c.kmb");
    EXPECT_THROW(TFileStream("c.kmb", FileMode::Create), EFCreateError);
    EXPECT_EQ(ReadFileBytes("c.kmb"), before);
    KFile_Close(&reader);
    EXPECT_NO_THROW(TFileStream("c.kmb", FileMode::Create));
}

// ---- Hostile files ---------------------------------------------------------

struct HostileCase {
    const char *label;
    std::string bytes;
    bool opens;
    friend void PrintTo(const HostileCase &c, std::ostream *out) { *out << c.label; }
};

class HostileFile : public ::testing::TestWithParam<HostileCase> {
protected:
    TempDir dir;
};

// A count whose directory length wraps to 16 bytes in 32-bit arithmetic.
const int32_t kWrappingCount = 15790321; // 272 * count = 2^32 + 16

TEST_P(HostileFile, OpensOnlyWhatTheFileCanHold)
{
    const HostileCase &c = GetParam();
    WriteFileBytes("c.kmb", c.bytes);
    KFileReader reader;
    memset(&reader, 0xAB, sizeof reader); // whatever the record held before
    const int descriptors = OpenDescriptors();
    ASSERT_EQ(KFile_Open("c.kmb", &reader), c.opens ? 1 : 0);
    if (!c.opens) {
        EXPECT_EQ(OpenDescriptors(), descriptors) << "the file is closed again";
        EXPECT_EQ(reader.file, nullptr);
        EXPECT_EQ(reader.count, 0);
        EXPECT_EQ(reader.directory, nullptr);
        EXPECT_EQ(reader.current, nullptr);
        EXPECT_EQ(KFile_GetInfo(&reader, 0), nullptr);
        EXPECT_EQ(KFile_FindIndex(&reader, "a"), -1);
        EXPECT_EQ(KFile_SelectIndex(0, &reader), 0);
        EXPECT_NO_THROW(TFileStream("c.kmb", FileMode::Create)) << "nothing holds the file";
    }
    EXPECT_EQ(KFile_Close(&reader), 0);
    EXPECT_EQ(KFile_Close(&reader), 0) << "closing twice is harmless";
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileFile,
    ::testing::Values(
        HostileCase{"EmptyFile", "", false},
        HostileCase{"ShorterThanTheHeader", HeaderBytes(0).substr(0, 267), false},
        HostileCase{"NegativeCount", HeaderBytes(-1) + RecordBytes("a", 0, 0, 0), false},
        HostileCase{"DirectoryPastTheEnd", HeaderBytes(2) + RecordBytes("a", 0, 0, 0), false},
        HostileCase{"DirectoryOneBytePastTheEnd", (HeaderBytes(1) + RecordBytes("a", 0, 0, 0)).substr(0, 539), false},
        HostileCase{"LargestCount", HeaderBytes(INT32_MAX) + RecordBytes("a", 0, 0, 0), false},
        HostileCase{"DirectoryLengthWrapsIn32Bits", HeaderBytes(kWrappingCount) + std::string(64, 'x'), false},
        HostileCase{"DirectoryEndsWithTheFile", HeaderBytes(1) + RecordBytes("a", 0, 0, 0), true},
        HostileCase{"OffsetPastTheEnd", HeaderBytes(1) + RecordBytes("a", 0, 1000, 5) + "xyz", true},
        HostileCase{"SizePastTheEnd", HeaderBytes(1) + RecordBytes("a", 0, 0, 0xFFFFFFFFu) + "xyz", true},
        HostileCase{"OffsetAndSizePass32Bits", HeaderBytes(1) + RecordBytes("a", 0, 0xFFFFFFF0u, 0x20) + "xyz", true},
        HostileCase{"NameWithoutZero", HeaderBytes(1) + RecordBytes(std::string(256, 'n'), 0, 0, 0), true}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(HostileEntries, ReadOnlyWhatTheFileHolds)
{
    TempDir dir;
    // Entry 0 runs past the end; entry 1 starts past the end; entry 2's offset
    // plus size passes 2^32, which must not wrap back into the file.
    WriteFileBytes("c.kmb", HeaderBytes(3) + RecordBytes("past", 0, 0, 0xFFFFFFFFu)
                                + RecordBytes("beyond", 0, 1000, 5) + RecordBytes("wraps", 0, 0xFFFFFFF0u, 0x20)
                                + "xyz");
    KFileReader reader{};
    ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
    char buffer[64];
    struct Row {
        int32_t entry;
        std::vector<int32_t> results;
    } rows[] = {{0, {3, 0}}, {1, {0}}, {2, {0}}};
    for (const Row &row : rows) {
        ASSERT_EQ(KFile_SelectIndex(row.entry, &reader), 1) << row.entry;
        for (int32_t expected : row.results)
            EXPECT_EQ(KFile_Read(buffer, 1, sizeof buffer, &reader), expected) << row.entry;
    }
    EXPECT_EQ(std::string(buffer, 3), "xyz");
    KFile_Close(&reader);
}

TEST(HostileEntries, NameFillingItsFieldIsCutToATerminatedName)
{
    TempDir dir;
    ASSERT_NE(setlocale(LC_ALL, "C.UTF-8"), nullptr);
    std::string japanese; // 85 three-byte characters and one more byte: 256 bytes
    for (int i = 0; i < 85; ++i)
        japanese += "\xe8\xa1\xa8";
    WriteFileBytes("c.kmb", HeaderBytes(2) + RecordBytes(std::string(256, 'n'), 0, 0, 1)
                                + RecordBytes("x" + japanese, 0, 1, 1) + "ab");
    KFileReader reader{};
    ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
    setlocale(LC_ALL, "C");
    EXPECT_EQ(std::string(KFile_GetInfo(&reader, 0)->name), std::string(255, 'n'));
    EXPECT_EQ(std::string(KFile_GetInfo(&reader, 1)->name), "x" + japanese.substr(0, 252))
        << "never inside a character";
    EXPECT_EQ(KFile_FindIndex(&reader, std::string(255, 'N').c_str()), 0);
    KFile_Close(&reader);
}

TEST(HostileEntries, OnlyRegularFilesOpen)
{
    TempDir dir;
    fs::create_directory("folder");
    KFileReader reader{};
    EXPECT_EQ(KFile_Open("folder", &reader), 0);
    EXPECT_EQ(KFile_Open("/dev/zero", &reader), 0);
    EXPECT_EQ(KFile_Open("missing", &reader), 0);
    EXPECT_EQ(reader.file, nullptr);
    EXPECT_EQ(KFile_Close(&reader), 0);
}

} // namespace
