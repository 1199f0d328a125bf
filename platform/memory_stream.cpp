#include "platform/memory_stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/exceptions.h"

template <typename Visit>
void TMemoryStream::ForEachPiece(std::size_t position, std::size_t count, Visit visit) const
{
    while (count != 0) {
        const std::size_t offset = position % kBlockSize;
        const std::size_t piece = std::min(count, kBlockSize - offset);
        visit(blocks_[position / kBlockSize].get() + offset, piece);
        position += piece;
        count -= piece;
    }
}

std::size_t TMemoryStream::Read(void *buffer, std::size_t count)
{
    if (position_ >= static_cast<std::int64_t>(size_) || count == 0)
        return 0;
    const std::size_t got = std::min(count, size_ - static_cast<std::size_t>(position_));
    auto *out = static_cast<unsigned char *>(buffer);
    ForEachPiece(static_cast<std::size_t>(position_), got, [&out](const unsigned char *bytes, std::size_t n) {
        std::memcpy(out, bytes, n);
        out += n;
    });
    position_ += static_cast<std::int64_t>(got);
    return got;
}

std::size_t TMemoryStream::Write(const void *buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    const auto position = static_cast<std::uint64_t>(position_);
    const std::uint64_t end = position + count;
    if (end < position || end > limit_ || end > static_cast<std::uint64_t>(PTRDIFF_MAX))
        throw EOutOfMemory();
    try {
        while (blocks_.size() * kBlockSize < end)
            blocks_.push_back(std::make_unique_for_overwrite<unsigned char[]>(kBlockSize));
    } catch (const std::bad_alloc &) {
        throw EOutOfMemory();
    }
    // A gap left by a position beyond the end reads as zeros.
    if (position > size_)
        ForEachPiece(size_, static_cast<std::size_t>(position) - size_,
                     [](unsigned char *bytes, std::size_t n) { std::memset(bytes, 0, n); });
    const auto *in = static_cast<const unsigned char *>(buffer);
    ForEachPiece(static_cast<std::size_t>(position), count, [&in](unsigned char *bytes, std::size_t n) {
        std::memcpy(bytes, in, n);
        in += n;
    });
    size_ = std::max<std::size_t>(size_, static_cast<std::size_t>(end));
    position_ = static_cast<std::int64_t>(end);
    return count;
}

std::string TMemoryStream::Bytes() const
{
    std::string bytes;
    bytes.reserve(size_);
    ForEachPiece(0, size_, [&bytes](const unsigned char *piece, std::size_t n) {
        bytes.append(reinterpret_cast<const char *>(piece), n);
    });
    return bytes;
}
