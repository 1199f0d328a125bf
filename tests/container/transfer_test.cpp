// Entry transfer: stream adders into the writer and extraction to streams,
// graphics and string lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "container/kfile.h"
#include "container/load_limit.h"
#include "platform/exceptions.h"
#include "platform/file_stream.h"
#include "platform/graphic.h"
#include "platform/string_list.h"
#include "tests/support/container_bytes.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_streams.h"
#include "tests/support/zlib_bytes.h"

using testing_support::ContainerBytes;
using testing_support::FullStream;
using testing_support::LE32;
using testing_support::PatternBytes;
using testing_support::ReadFileBytes;
using testing_support::RecordingStream;
using testing_support::ScriptedPresenter;
using testing_support::TempDir;
using testing_support::WriteFileBytes;
using testing_support::ZlibCompress;
namespace fs = std::filesystem;

namespace {

class Transfer : public ::testing::Test {
protected:
    void StartWriter()
    {
        KFile_FileKombrel_Init(&writer);
        ASSERT_EQ(KFile_FileKombrel_Start(&writer, "c.kmb"), 1);
    }
    void FinishAndOpen()
    {
        ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
        ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
    }
    void OpenBytes(const std::string &bytes)
    {
        WriteFileBytes("c.kmb", bytes);
        ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
    }
    void TearDown() override { KFile_Close(&reader); }

    TempDir dir;
    ScriptedPresenter presenter;
    KFileWriter writer{};
    KFileReader reader{};
};

TEST_F(Transfer, PlainEntriesComeBackByteForByteInChunks)
{
    const std::size_t sizes[] = {0, 1, 2047, 2048, 2049, 4096};
    std::vector<std::vector<std::size_t>> sourceReads;
    StartWriter();
    for (std::size_t size : sizes) {
        RecordingStream source(PatternBytes(size, static_cast<unsigned>(size)));
        ASSERT_TRUE(KFile_AddStream(&writer, &source, ("f" + std::to_string(size)).c_str()));
        EXPECT_EQ(source.Position(), source.Size());
        sourceReads.push_back(source.reads);
    }
    FinishAndOpen();
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const std::size_t size = sizes[i];
        const KFileInfo *info = KFile_GetInfo(&reader, static_cast<int32_t>(i));
        EXPECT_EQ(info->flags, 0u);
        EXPECT_EQ(info->size, size);
        EXPECT_EQ(sourceReads[i], std::vector<std::size_t>(size / 2048 + 1, 2048)) << "reads of " << size;

        RecordingStream destination;
        EXPECT_TRUE(KFile_ExtractToStream(&destination, ("F" + std::to_string(size)).c_str(), &reader));
        EXPECT_TRUE(destination.Bytes() == PatternBytes(size, static_cast<unsigned>(size))) << size;
        std::vector<std::size_t> writes(size / 2048, 2048);
        if (size % 2048 != 0)
            writes.push_back(size % 2048);
        EXPECT_EQ(destination.writes, writes) << "writes of " << size;
    }
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(Transfer, CompressedEntriesHoldOneZlibStreamAndInflateBack)
{
    const std::string text = [] {
        std::string t;
        for (int i = 0; i < 2000; ++i)
            t += "row " + std::to_string(i) + "\r\n";
        return t;
    }();
    StartWriter();
    RecordingStream empty, source(text), noise(PatternBytes(70000));
    ASSERT_TRUE(KFile_AddStreamCompressed(&writer, &empty, "empty"));
    ASSERT_TRUE(KFile_AddStreamCompressed(&writer, &source, "text"));
    ASSERT_TRUE(KFile_AddStreamCompressed(&writer, &noise, "noise"));
    FinishAndOpen();

    const std::string inputs[] = {"", text, PatternBytes(70000)};
    for (int32_t i = 0; i < 3; ++i) {
        const KFileInfo *info = KFile_GetInfo(&reader, i);
        EXPECT_EQ(info->flags, KFILE_FLAG_COMPRESSED);
        EXPECT_EQ(info->size, ZlibCompress(inputs[i]).size()) << i;
        RecordingStream destination;
        EXPECT_TRUE(KFile_ExtractIndexToStream(&destination, i, &reader));
        EXPECT_TRUE(destination.Bytes() == inputs[i]) << i;
    }
    EXPECT_EQ(KFile_GetInfo(&reader, 0)->size, 8u) << "the stream of empty input";
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(Transfer, OnlyTheBytesFromTheSourcePositionOn)
{
    StartWriter();
    RecordingStream plain("skip|kept"), compressed("skip|kept too");
    plain.SetPosition(5);
    compressed.SetPosition(5);
    KFile_AddStream(&writer, &plain, "plain");
    KFile_AddStreamCompressed(&writer, &compressed, "compressed");
    FinishAndOpen();
    RecordingStream a, b;
    a.WriteBuffer(">", 1); // extraction writes from the destination's position on
    ASSERT_TRUE(KFile_ExtractToStream(&a, "plain", &reader));
    ASSERT_TRUE(KFile_ExtractToStream(&b, "compressed", &reader));
    EXPECT_EQ(a.Bytes(), ">kept");
    EXPECT_EQ(b.Bytes(), "kept too");
}

TEST_F(Transfer, FlaggedAddSetsTheBitWithoutCompressing)
{
    StartWriter();
    RecordingStream zlib(ZlibCompress("inflated")), text("plain text"), off("flag off");
    KFile_AddStreamFlagged(&writer, &zlib, "zlib", true);
    KFile_AddStreamFlagged(&writer, &text, "text", true);
    KFile_AddStreamFlagged(&writer, &off, "off", false);
    FinishAndOpen();
    EXPECT_EQ(KFile_GetInfo(&reader, 0)->flags, KFILE_FLAG_COMPRESSED);
    EXPECT_EQ(KFile_GetInfo(&reader, 0)->size, ZlibCompress("inflated").size()) << "stored as given";
    EXPECT_EQ(KFile_GetInfo(&reader, 2)->flags, 0u);

    RecordingStream inflated, failed, plain;
    EXPECT_TRUE(KFile_ExtractToStream(&inflated, "zlib", &reader));
    EXPECT_EQ(inflated.Bytes(), "inflated");
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_FALSE(KFile_ExtractToStream(&failed, "text", &reader));
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "zlib decompress fail");
    EXPECT_EQ(failed.Size(), 0);
    EXPECT_TRUE(KFile_ExtractToStream(&plain, "off", &reader));
    EXPECT_EQ(plain.Bytes(), "flag off");
}

TEST_F(Transfer, LookupsByNameAndIndex)
{
    OpenBytes(ContainerBytes({{"Same.txt", "first"}, {"SAME.TXT", "second"}, {"b", "bee"}}));
    RecordingStream folded, missing;
    EXPECT_TRUE(KFile_ExtractToStream(&folded, "same.txt", &reader));
    EXPECT_EQ(folded.Bytes(), "first") << "the lower index of two matches";
    EXPECT_FALSE(KFile_ExtractToStream(&missing, "none", &reader));
    EXPECT_EQ(reader.current, nullptr);
    for (int32_t index : {-1, 3})
        EXPECT_FALSE(KFile_ExtractIndexToStream(&missing, index, &reader)) << index;
    EXPECT_EQ(missing.Size(), 0);
    EXPECT_TRUE(missing.writes.empty());
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(Transfer, DestinationThatRefusesBytesRaisesTheWriteError)
{
    OpenBytes(ContainerBytes({{"big", PatternBytes(5000)}}));
    FullStream destination(3000);
    EXPECT_THROW(KFile_ExtractToStream(&destination, "big", &reader), EWriteError);
    EXPECT_EQ(destination.Bytes(), PatternBytes(5000).substr(0, 3000));
    EXPECT_TRUE(presenter.messages.empty());
}

// ---- Strings and graphics --------------------------------------------------

std::string SmallBitmap()
{
    return "BM" + LE32(58) + LE32(0) + LE32(54) + LE32(40) + std::string(36, '\0') + std::string(4, '\x7f');
}

class Loaders : public Transfer {
protected:
    void SetUp() override
    {
        OpenBytes(ContainerBytes({
            {"lines.txt", "one\r\ntwo\nthree"},
            {"packed.txt", ZlibCompress("alpha\rbeta\r\n"), KFILE_FLAG_COMPRESSED},
            {"broken.txt", "not zlib", KFILE_FLAG_COMPRESSED},
            {"picture.bmp", SmallBitmap()},
            {"packed.bmp", ZlibCompress(SmallBitmap()), KFILE_FLAG_COMPRESSED},
        }));
        list.Add("untouched");
    }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < list.Count(); ++i)
            lines.push_back(list.Strings(i));
        return lines;
    }

    TStringList list;
};

TEST_F(Loaders, StringsGetTheEntrysLines)
{
    struct Row {
        const char *name;
        bool result;
        std::vector<std::string> lines;
        std::size_t messages;
    } rows[] = {
        {"LINES.TXT", true, {"one", "two", "three"}, 0},
        {"packed.txt", true, {"alpha", "beta"}, 0},
        {"missing.txt", false, {"untouched"}, 0},
        {"broken.txt", false, {"untouched"}, 1},
    };
    for (const Row &row : rows) {
        list.Clear();
        list.Add("untouched");
        presenter.messages.clear();
        EXPECT_EQ(KFile_ExtractToStrings(row.name, &list, &reader), row.result) << row.name;
        EXPECT_EQ(Lines(), row.lines) << row.name;
        EXPECT_EQ(presenter.messages.size(), row.messages) << row.name;
    }
}

TEST_F(Loaders, GraphicGetsTheEntrysPicture)
{
    TBitmap bitmap;
    EXPECT_TRUE(KFile_ExtractToGraphic("picture.bmp", &bitmap, &reader));
    EXPECT_EQ(bitmap.Data(), SmallBitmap());
    TBitmap packed;
    EXPECT_TRUE(KFile_ExtractToGraphic("packed.bmp", &packed, &reader));
    EXPECT_EQ(packed.Data(), SmallBitmap());

    TBitmap untouched;
    EXPECT_FALSE(KFile_ExtractToGraphic("missing.bmp", &untouched, &reader));
    EXPECT_FALSE(KFile_ExtractToGraphic("broken.txt", &untouched, &reader));
    EXPECT_TRUE(untouched.Empty());
    EXPECT_THROW(KFile_ExtractToGraphic("lines.txt", &bitmap, &reader), EInvalidGraphic)
        << "the object's own error passes out";
    EXPECT_EQ(bitmap.Data(), SmallBitmap()) << "a rejected picture keeps the old one";
    TIcon icon;
    EXPECT_THROW(KFile_ExtractToGraphic("picture.bmp", &icon, &reader), EInvalidGraphic);
}

// Restores the load bound when a test ends.
class LoadLimit {
public:
    explicit LoadLimit(std::size_t limit) : previous_(KFile_SetLoadLimit(limit)) {}
    ~LoadLimit() { KFile_SetLoadLimit(previous_); }
    std::size_t previous() const { return previous_; }

private:
    std::size_t previous_;
};

TEST_F(Transfer, InflationBombIsOutOfMemoryForTheLoaders)
{
    const std::size_t limit = 64 * 1024;
    OpenBytes(ContainerBytes({
        {"bomb", ZlibCompress(std::string(4 << 20, 'a')), KFILE_FLAG_COMPRESSED},
        {"fits", ZlibCompress(std::string(limit, 'a')), KFILE_FLAG_COMPRESSED},
    }));
    LoadLimit bound(limit);
    EXPECT_EQ(bound.previous(), KFILE_LOAD_LIMIT);
    EXPECT_EQ(KFILE_LOAD_LIMIT, std::size_t{256} << 20);

    TStringList list;
    list.Add("untouched");
    TBitmap bitmap;
    EXPECT_THROW(KFile_ExtractToStrings("bomb", &list, &reader), EOutOfMemory);
    EXPECT_THROW(KFile_ExtractToGraphic("bomb", &bitmap, &reader), EOutOfMemory);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(KFile_ExtractToStrings("fits", &list, &reader)) << "content of exactly the bound loads";
    EXPECT_EQ(list.Strings(0).size(), limit);
    EXPECT_TRUE(presenter.messages.empty());

    RecordingStream unbounded;
    EXPECT_TRUE(KFile_ExtractToStream(&unbounded, "bomb", &reader)) << "the bound is the loaders' only";
    EXPECT_EQ(unbounded.Size(), 4 << 20);
}

TEST_F(Transfer, StringLoaderBoundsItsLinesToo)
{
    // A string list keeps a record per line, so a text of empty lines costs
    // about thirty times its size; the records share the content's bound.
    const std::size_t limit = 64 * 1024;
    const std::size_t mostLines = limit / sizeof(std::string);
    OpenBytes(ContainerBytes({
        {"breaks", ZlibCompress(std::string(limit, '\n')), KFILE_FLAG_COMPRESSED},
        {"one too many", std::string(mostLines + 1, '\n')},
        {"most", std::string(mostLines - 1, '\n') + "last line"},
    }));
    LoadLimit bound(limit);

    TStringList list;
    list.Add("untouched");
    EXPECT_THROW(KFile_ExtractToStrings("breaks", &list, &reader), EOutOfMemory);
    EXPECT_THROW(KFile_ExtractToStrings("one too many", &list, &reader), EOutOfMemory);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Strings(0), "untouched");

    ASSERT_TRUE(KFile_ExtractToStrings("most", &list, &reader));
    EXPECT_EQ(static_cast<std::size_t>(list.Count()), mostLines);
    EXPECT_EQ(list.Strings(list.Count() - 1), "last line");
    TBitmap bitmap;
    EXPECT_THROW(KFile_ExtractToGraphic("breaks", &bitmap, &reader), EInvalidGraphic)
        << "a picture keeps no lines: the content bound alone applies";
}

// ---- Through files, as a program uses the unit ------------------------------

TEST(TransferFiles, AddFromFileStreamsAndExtractToFileStreams)
{
    TempDir dir;
    struct Source {
        const char *name;
        std::string bytes;
        bool compressed;
    } sources[] = {
        {"empty.bin", "", false},     {"empty.z", "", true},
        {"noise.bin", PatternBytes(100000), false}, {"noise.z", PatternBytes(100000, 2), true},
        {"text.z", std::string(300000, 't'), true}, {"chunk.bin", PatternBytes(2048), false},
    };
    for (const Source &s : sources)
        WriteFileBytes(s.name, s.bytes);

    KFileWriter writer;
    KFile_FileKombrel_Init(&writer);
    ASSERT_EQ(KFile_FileKombrel_Start(&writer, "c.kmb"), 1);
    for (const Source &s : sources) {
        TFileStream source(s.name, FileMode::OpenRead);
        ASSERT_TRUE(s.compressed ? KFile_AddStreamCompressed(&writer, &source, s.name)
                                 : KFile_AddStream(&writer, &source, s.name));
    }
    // The container being built cannot be a source.
    EXPECT_THROW(TFileStream("c.kmb", FileMode::OpenRead), EFOpenError);
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);

    fs::create_directory("out");
    KFileReader reader;
    ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
    ASSERT_EQ(reader.count, static_cast<int32_t>(std::size(sources)));
    for (const Source &s : sources) {
        const std::string path = std::string("out/") + s.name;
        {
            TFileStream destination(path, FileMode::Create);
            EXPECT_TRUE(KFile_ExtractToStream(&destination, s.name, &reader)) << s.name;
        }
        EXPECT_TRUE(ReadFileBytes(path) == s.bytes) << s.name;
    }
    // The container being read cannot be replaced by an extracted file.
    const std::string container = ReadFileBytes("c.kmb");
    EXPECT_THROW(TFileStream("c.kmb", FileMode::Create), EFCreateError);
    EXPECT_EQ(ReadFileBytes("c.kmb"), container);
    EXPECT_EQ(KFile_Close(&reader), 0);
}

} // namespace
