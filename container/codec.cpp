// The codec: deflates a stream into another as one zlib stream, and inflates
// the reader's current entry into a stream, both through 1024-byte buffers.
// Each failure of zlib is reported with an error box and a false result; a
// stream error raised by a destination passes through. Once initialised, the
// zlib stream is ended exactly once on every path, exceptions included.
#include <zlib.h>

#include "container/kfile.h"
#include "platform/presenter.h"
#include "platform/stream.h"

namespace {

constexpr unsigned kBufferSize = 1024;

using EndFunction = int (*)(z_streamp);

// Ends an initialised zlib stream when the scope is left without End().
class ZlibEnder {
public:
    ZlibEnder(z_stream *stream, EndFunction end) : stream_(stream), end_(end) {}
    ~ZlibEnder()
    {
        if (stream_ != nullptr)
            end_(stream_);
    }
    ZlibEnder(const ZlibEnder &) = delete;
    ZlibEnder &operator=(const ZlibEnder &) = delete;

    int End()
    {
        z_stream *stream = stream_;
        stream_ = nullptr;
        return end_(stream);
    }

private:
    z_stream *stream_;
    EndFunction end_;
};

bool Fail(const char *message)
{
    ShowErrorBox(message);
    return false;
}

// Writes the output buffer's contents, if any, and makes it empty again.
void FlushOutput(z_stream *zs, unsigned char *output, TStream *destination)
{
    const unsigned pending = kBufferSize - zs->avail_out;
    if (pending != 0)
        destination->WriteBuffer(output, pending);
    zs->next_out = output;
    zs->avail_out = kBufferSize;
}

} // namespace

bool KFile_DeflateStream(TStream *source, TStream *destination)
{
    unsigned char input[kBufferSize];
    unsigned char output[kBufferSize];
    z_stream zs{};
    if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK)
        return Fail("zlib initialize fail");
    ZlibEnder ender(&zs, deflateEnd);

    zs.avail_in = 0;
    zs.next_out = output;
    zs.avail_out = kBufferSize;
    int flush = Z_NO_FLUSH;
    for (;;) {
        if (zs.avail_in == 0) {
            zs.next_in = input;
            zs.avail_in = static_cast<uInt>(source->Read(input, kBufferSize));
            // A short read is the end of the source; the finish, once begun,
            // stays for every later pass.
            if (zs.avail_in < kBufferSize)
                flush = Z_FINISH;
        }
        const int result = deflate(&zs, flush);
        if (result == Z_STREAM_END)
            break;
        if (result != Z_OK)
            return Fail("zlib compress fail");
        if (zs.avail_out == 0)
            FlushOutput(&zs, output, destination);
    }
    FlushOutput(&zs, output, destination);
    if (ender.End() != Z_OK)
        return Fail("zlib defateEnd fail");
    return true;
}

bool KFile_InflateEntry(TStream *destination, KFileReader *reader)
{
    unsigned char input[kBufferSize];
    unsigned char output[kBufferSize];
    z_stream zs{};
    zs.next_in = nullptr;
    zs.avail_in = 0;
    if (inflateInit(&zs) != Z_OK)
        return Fail("zlib initialize fail");
    ZlibEnder ender(&zs, inflateEnd);

    zs.next_out = output;
    zs.avail_out = kBufferSize;
    for (;;) {
        if (zs.avail_in == 0) {
            zs.next_in = input;
            zs.avail_in = static_cast<uInt>(KFile_Read(input, 1, kBufferSize, reader));
        }
        // A payload that ends before its zlib stream leaves inflate without
        // input: Z_BUF_ERROR, reported like corrupt data.
        const int result = inflate(&zs, Z_NO_FLUSH);
        if (result == Z_STREAM_END)
            break;
        if (result != Z_OK)
            return Fail("zlib decompress fail");
        if (zs.avail_out == 0)
            FlushOutput(&zs, output, destination);
    }
    FlushOutput(&zs, output, destination);
    if (ender.End() != Z_OK)
        return Fail("zlib inflate_end error");
    return true;
}
