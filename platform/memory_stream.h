// A growable byte stream in memory. It starts empty at position 0; a write
// past the end grows it (a gap left by a position beyond the end reads as
// zeros).
//
// An optional limit bounds how large it may grow, for content that hostile
// input could make arbitrarily large: a write that would pass the limit raises
// EOutOfMemory like an allocation that fails, and writes nothing.
#ifndef KOMBREL_PLATFORM_MEMORY_STREAM_H
#define KOMBREL_PLATFORM_MEMORY_STREAM_H

#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"

class TMemoryStream : public TStream {
public:
    static constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);

    explicit TMemoryStream(std::size_t limit = kUnlimited) : limit_(limit) {}

    std::size_t Read(void *buffer, std::size_t count) override;
    // Takes all `count` bytes; raises EOutOfMemory when it cannot grow.
    std::size_t Write(const void *buffer, std::size_t count) override;
    std::int64_t Position() const override { return position_; }
    void SetPosition(std::int64_t position) override { position_ = position < 0 ? 0 : position; }
    std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }

    std::size_t Limit() const { return limit_; }
    // A copy of the whole content.
    std::string Bytes() const;

private:
    // The content lives in blocks of this size, so growing never copies what
    // is there and never holds the content twice: a stream of n bytes takes
    // at most n plus one block.
    static constexpr std::size_t kBlockSize = 1 << 20;

    // Calls `visit(block bytes, length)` for the bytes [position, position + count).
    template <typename Visit>
    void ForEachPiece(std::size_t position, std::size_t count, Visit visit) const;

    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    std::size_t size_ = 0;
    std::int64_t position_ = 0;
    std::size_t limit_;
};

#endif
