#include "platform/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/exceptions.h"

std::size_t TMemoryStream::Read(void *buffer, std::size_t count)
{
    const auto size = static_cast<std::int64_t>(bytes_.size());
    if (position_ >= size || count == 0)
        return 0;
    const std::size_t got = std::min(count, static_cast<std::size_t>(size - position_));
    std::memcpy(buffer, bytes_.data() + position_, got);
    position_ += static_cast<std::int64_t>(got);
    return got;
}

std::size_t TMemoryStream::Write(const void *buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    const auto position = static_cast<std::uint64_t>(position_);
    const std::uint64_t end = position + count;
    if (end < position || end > limit_ || end > bytes_.max_size())
        throw EOutOfMemory();
    if (end > bytes_.size()) {
        try {
            if (end > bytes_.capacity()) {
                // Grow geometrically, but never reserve past the limit.
                const std::uint64_t doubled = std::max<std::uint64_t>(bytes_.capacity() * 2, 4096);
                bytes_.reserve(static_cast<std::size_t>(std::clamp<std::uint64_t>(doubled, end, limit_)));
            }
            bytes_.resize(static_cast<std::size_t>(end));
        } catch (const std::bad_alloc &) {
            throw EOutOfMemory();
        } catch (const std::length_error &) {
            throw EOutOfMemory();
        }
    }
    std::memcpy(bytes_.data() + position, buffer, count);
    position_ = static_cast<std::int64_t>(end);
    return count;
}
