// Test support: streams that show how they are used or that misbehave.
#ifndef KOMBREL_TESTS_SUPPORT_TEST_STREAMS_H
#define KOMBREL_TESTS_SUPPORT_TEST_STREAMS_H

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/memory_stream.h"

namespace testing_support {

// A memory stream that records the size of every read and write asked of it.
class RecordingStream : public TMemoryStream {
public:
    RecordingStream() = default;
    explicit RecordingStream(std::string_view bytes)
    {
        TMemoryStream::Write(bytes.data(), bytes.size());
        SetPosition(0);
    }
    std::size_t Read(void *buffer, std::size_t count) override
    {
        reads.push_back(count);
        return TMemoryStream::Read(buffer, count);
    }
    std::size_t Write(const void *buffer, std::size_t count) override
    {
        writes.push_back(count);
        return TMemoryStream::Write(buffer, count);
    }
    std::vector<std::size_t> reads;
    std::vector<std::size_t> writes;
};

// A memory stream that takes `capacity` bytes in all and then writes short,
// like a full disk.
class FullStream : public TMemoryStream {
public:
    explicit FullStream(std::size_t capacity) : room_(capacity) {}
    std::size_t Write(const void *buffer, std::size_t count) override
    {
        const std::size_t taken = std::min(count, room_);
        room_ -= taken;
        return taken == 0 ? 0 : TMemoryStream::Write(buffer, taken);
    }

private:
    std::size_t room_;
};

} // namespace testing_support

#endif
