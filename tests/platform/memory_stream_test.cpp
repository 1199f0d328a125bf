// Memory streams and the write-all of every stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/exceptions.h"
#include "platform/memory_stream.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_streams.h"

using testing_support::FullStream;

namespace {

std::string ReadAll(TStream &stream)
{
    return ReadToEnd(stream);
}

TEST(MemoryStream, GrowsWithEachWriteAndReadsBack)
{
    TMemoryStream stream;
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Write("hello", 5), 5u);
    stream.WriteBuffer(" world", 6);
    EXPECT_EQ(stream.Position(), 11);
    EXPECT_EQ(stream.Bytes(), "hello world");

    stream.SetPosition(6);
    char buffer[16];
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(std::string(buffer, 5), "world");
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u) << "0 at the end";

    stream.SetPosition(0);
    stream.WriteBuffer("J", 1);
    EXPECT_EQ(stream.Bytes(), "Jello world") << "writing inside overwrites";
}

TEST(MemoryStream, WritingPastTheEndLeavesZerosInTheGap)
{
    TMemoryStream stream;
    stream.SetPosition(3);
    stream.WriteBuffer("x", 1);
    EXPECT_EQ(stream.Bytes(), std::string("\0\0\0x", 4));
    stream.SetPosition(-5);
    EXPECT_EQ(stream.Position(), 0);
    EXPECT_EQ(ReadAll(stream), std::string("\0\0\0x", 4));
}

TEST(MemoryStream, ManyBytesInSmallWrites)
{
    TMemoryStream stream;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        const char byte = static_cast<char>(i * 7);
        stream.WriteBuffer(&byte, 1);
        expected += byte;
    }
    EXPECT_EQ(stream.Bytes(), expected);
}

// The content is kept in blocks, the first of which grows: reads and writes
// that cross every kind of boundary see one run of bytes.
TEST(MemoryStream, ContentAcrossBlocksReadsBackWhole)
{
    const std::string bytes = testing_support::PatternBytes(3 * 1024 * 1024 + 5);
    TMemoryStream stream;
    for (std::size_t at = 0; at < bytes.size(); at += 1000)
        stream.WriteBuffer(bytes.data() + at, std::min<std::size_t>(1000, bytes.size() - at));
    EXPECT_TRUE(stream.Bytes() == bytes);

    stream.SetPosition((1 << 20) - 3);
    stream.WriteBuffer("abcdef", 6); // across the first and second block
    std::string expected = bytes;
    expected.replace((1 << 20) - 3, 6, "abcdef");
    stream.SetPosition(0);
    EXPECT_TRUE(ReadAll(stream) == expected);

    TMemoryStream gap;
    gap.WriteBuffer("head", 4);
    gap.SetPosition(2 * 1024 * 1024);
    gap.WriteBuffer("tail", 4);
    EXPECT_TRUE(gap.Bytes() == "head" + std::string(2 * 1024 * 1024 - 4, '\0') + "tail");
}

TEST(MemoryStream, GrowingPastTheLimitIsOutOfMemoryAndWritesNothing)
{
    TMemoryStream stream(10);
    stream.WriteBuffer("0123456789", 10);
    EXPECT_THROW(stream.WriteBuffer("x", 1), EOutOfMemory);
    EXPECT_EQ(stream.Bytes(), "0123456789");
    stream.SetPosition(4);
    stream.WriteBuffer("abcdef", 6); // within the limit
    EXPECT_EQ(stream.Bytes(), "0123abcdef");
}

TEST(MemoryStream, SizeBeyondMemoryIsOutOfMemory)
{
    TMemoryStream stream;
    stream.SetPosition(INT64_MAX);
    EXPECT_THROW(stream.Write("x", 1), EOutOfMemory);
    try {
        stream.Write("x", 1);
    } catch (const EOutOfMemory &e) {
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_EQ(stream.Size(), 0);
}

TEST(WriteBuffer, AShortWriteIsTheStreamWriteError)
{
    FullStream stream(3);
    try {
        stream.WriteBuffer("hello", 5);
        FAIL() << "no error";
    } catch (const EWriteError &e) {
        EXPECT_EQ(e.Message(), "ｽﾄﾘｰﾑへの書き込みｴﾗｰ");
    }
    EXPECT_EQ(stream.Bytes(), "hel") << "what the stream took stays";
    EXPECT_NO_THROW(stream.WriteBuffer("", 0)) << "nothing to write is never short";
}

} // namespace
