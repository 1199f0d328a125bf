// Byte streams: the one interface through which the container unit's codec and
// transfer functions read and write, whatever holds the bytes.
#ifndef KOMBREL_PLATFORM_STREAM_H
#define KOMBREL_PLATFORM_STREAM_H

#include <cstddef>
#include <cstdint>
#include <string>

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to `count` bytes at the position and moves past them. Returns
    // the number read: fewer than asked only at the end of the stream, and 0
    // at the end or when the read failed.
    virtual std::size_t Read(void *buffer, std::size_t count) = 0;

    // Writes up to `count` bytes at the position and moves past them. Returns
    // the number written, which is short when the stream takes no more.
    virtual std::size_t Write(const void *buffer, std::size_t count) = 0;

    // Writes all `count` bytes or raises EWriteError.
    void WriteBuffer(const void *buffer, std::size_t count);

    virtual std::int64_t Position() const = 0;
    // A negative position is taken as 0.
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;
};

// Everything from the stream's position to its end.
std::string ReadToEnd(TStream &stream);

#endif
