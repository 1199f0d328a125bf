// The codec: deflate between streams and inflate of the current entry, their
// 1024-byte pieces, and each of their failure messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/kfile.h"
#include "platform/exceptions.h"
#include "tests/support/container_bytes.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_streams.h"
#include "tests/support/zlib_bytes.h"

using testing_support::ContainerBytes;
using testing_support::FullStream;
using testing_support::PatternBytes;
using testing_support::RecordingStream;
using testing_support::ScriptedPresenter;
using testing_support::TempDir;
using testing_support::WriteFileBytes;
using testing_support::ZlibCompress;
using testing_support::ZlibCompressWithDictionary;

namespace {

// Every write but the last carries 1024 bytes; the last 1 to 1024.
void ExpectWholeBlocksThenOneTail(const std::vector<std::size_t> &writes, std::size_t total)
{
    std::size_t sum = 0;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (i + 1 < writes.size())
            EXPECT_EQ(writes[i], 1024u) << "write " << i;
        else
            EXPECT_TRUE(writes[i] >= 1 && writes[i] <= 1024) << "last write of " << writes[i];
        sum += writes[i];
    }
    EXPECT_EQ(sum, total);
}

std::string Text(std::size_t size)
{
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += "line " + std::to_string(i) + " of text that deflates well\n";
    text.resize(size);
    return text;
}

class Codec : public ::testing::Test {
protected:
    // Stores `payload` as the only entry, compressed bit set, and selects it.
    void OpenEntry(const std::string &payload)
    {
        WriteFileBytes("c.kmb", ContainerBytes({{"z", payload, KFILE_FLAG_COMPRESSED}, {"next", "trailing entry"}}));
        ASSERT_EQ(KFile_Open("c.kmb", &reader), 1);
        ASSERT_EQ(KFile_SelectIndex(0, &reader), 1);
    }
    void TearDown() override { KFile_Close(&reader); }

    TempDir dir;
    ScriptedPresenter presenter;
    KFileReader reader{};
};

struct SizeCase {
    const char *label;
    std::string bytes;
    friend void PrintTo(const SizeCase &c, std::ostream *out) { *out << c.label; }
};

class RoundTrip : public Codec, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(RoundTrip, DeflateThenInflateGivesTheSameBytes)
{
    const std::string &original = GetParam().bytes;
    RecordingStream source(original);
    RecordingStream deflated;
    ASSERT_TRUE(KFile_DeflateStream(&source, &deflated));
    EXPECT_EQ(source.Position(), source.Size()) << "the source is read to its end";
    for (std::size_t read : source.reads)
        EXPECT_EQ(read, 1024u);
    EXPECT_GE(source.reads.size(), original.size() / 1024 + 1) << "a short read ends the source";
    EXPECT_EQ(deflated.Bytes(), ZlibCompress(original)) << "one zlib stream at the default level";
    ExpectWholeBlocksThenOneTail(deflated.writes, deflated.Bytes().size());

    OpenEntry(std::string(deflated.Bytes()));
    RecordingStream inflated;
    ASSERT_TRUE(KFile_InflateEntry(&inflated, &reader));
    EXPECT_TRUE(inflated.Bytes() == original);
    if (!original.empty())
        ExpectWholeBlocksThenOneTail(inflated.writes, original.size());
    EXPECT_TRUE(inflated.writes.empty() || !original.empty()) << "no empty write";
    EXPECT_TRUE(presenter.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, RoundTrip,
                         ::testing::Values(SizeCase{"Empty", ""}, SizeCase{"OneByte", "x"},
                                           SizeCase{"OneBlockLessOne", PatternBytes(1023)},
                                           SizeCase{"OneBlock", PatternBytes(1024)},
                                           SizeCase{"OneBlockAndOne", PatternBytes(1025)},
                                           SizeCase{"ThreeMiBOfNoise", PatternBytes(3 << 20)},
                                           SizeCase{"ThreeMiBOfText", Text(3 << 20)}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(Codec, EmptyInputIsTheEightByteStream)
{
    RecordingStream source, destination;
    ASSERT_TRUE(KFile_DeflateStream(&source, &destination));
    EXPECT_EQ(destination.Bytes(), std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8));
    EXPECT_EQ(destination.writes, std::vector<std::size_t>{8});
}

TEST_F(Codec, OutputThatEndsOnABlockBoundaryIsWrittenOnce)
{
    // Noise deflates to stored blocks; find the size whose stream is 1024 bytes.
    for (std::size_t size = 990; size < 1024; ++size) {
        if (ZlibCompress(PatternBytes(size)).size() != 1024)
            continue;
        RecordingStream source(PatternBytes(size)), destination;
        ASSERT_TRUE(KFile_DeflateStream(&source, &destination));
        EXPECT_EQ(destination.writes, std::vector<std::size_t>{1024});
        return;
    }
    FAIL() << "no size deflates to exactly 1024 bytes";
}

TEST_F(Codec, DeflateReadsTheSourceFromItsPosition)
{
    RecordingStream source("skipped" + Text(3000)), destination;
    source.SetPosition(7);
    ASSERT_TRUE(KFile_DeflateStream(&source, &destination));
    EXPECT_EQ(destination.Bytes(), ZlibCompress(Text(3000)));
}

TEST_F(Codec, TrailingBytesAfterTheStreamAreIgnored)
{
    OpenEntry(ZlibCompress("hello") + "trailing bytes");
    RecordingStream destination;
    EXPECT_TRUE(KFile_InflateEntry(&destination, &reader));
    EXPECT_EQ(destination.Bytes(), "hello");
    EXPECT_TRUE(presenter.messages.empty());
}

struct FailureCase {
    const char *label;
    std::string payload;
    // What reaches the destination: "" for nothing; otherwise whole 1024-byte
    // blocks, which begin the given bytes unless they are "*" (corrupt data
    // inflates to garbage before zlib notices).
    std::string prefixOf;
    friend void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.label; }
};

std::string Corrupted(std::string bytes)
{
    for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 16; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x55);
    return bytes;
}

class InflateFailure : public Codec, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(InflateFailure, ShowsTheMessageAndKeepsWholeBlocksOnly)
{
    const FailureCase &c = GetParam();
    OpenEntry(c.payload);
    RecordingStream destination;
    EXPECT_FALSE(KFile_InflateEntry(&destination, &reader));
    ASSERT_EQ(presenter.messages.size(), 1u);
    const MessageRequest &box = presenter.messages[0];
    EXPECT_EQ(box.text, "zlib decompress fail");
    EXPECT_EQ(box.caption, "ｴﾗｰ");
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(box.buttons, std::vector<MsgButton>{MsgButton::Ok});
    EXPECT_EQ(box.helpContext, 0);
    EXPECT_EQ(destination.Size() % 1024, 0);
    if (c.prefixOf.empty()) {
        EXPECT_EQ(destination.Size(), 0) << "nothing is written";
    } else if (c.prefixOf != "*") {
        EXPECT_TRUE(c.prefixOf.compare(0, destination.Bytes().size(), destination.Bytes()) == 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, InflateFailure,
    ::testing::Values(FailureCase{"Corrupt", Corrupted(ZlibCompress(PatternBytes(20000))), "*"},
                      FailureCase{"Truncated", ZlibCompress(Text(50000)).substr(0, 700), Text(50000)},
                      FailureCase{"EmptyPayload", "", ""},
                      FailureCase{"PlainTextMarkedCompressed", "just some text", ""},
                      FailureCase{"PresetDictionary", ZlibCompressWithDictionary("hello hello", "hello"), ""}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(Codec, TruncatedPayloadGivesSomeWholeBlocksFirst)
{
    OpenEntry(ZlibCompress(Text(50000)).substr(0, 700));
    RecordingStream destination;
    EXPECT_FALSE(KFile_InflateEntry(&destination, &reader));
    EXPECT_GT(destination.Size(), 0) << "the fixture must fail part-way to show the blocks";
    EXPECT_EQ(destination.Size() % 1024, 0);
}

TEST_F(Codec, DestinationThatRefusesBytesRaisesTheWriteErrorWithoutAMessage)
{
    OpenEntry(ZlibCompress(Text(10000)));
    FullStream inflateTarget(1500);
    EXPECT_THROW(KFile_InflateEntry(&inflateTarget, &reader), EWriteError);
    EXPECT_EQ(inflateTarget.Bytes(), Text(10000).substr(0, 1500)) << "the first block and what the second got in";

    RecordingStream source(PatternBytes(5000));
    FullStream deflateTarget(0);
    EXPECT_THROW(KFile_DeflateStream(&source, &deflateTarget), EWriteError);
    EXPECT_TRUE(presenter.messages.empty());
}

} // namespace
