// Test support: zlib streams made independently of the codec under test.
#ifndef KOMBREL_TESTS_SUPPORT_ZLIB_BYTES_H
#define KOMBREL_TESTS_SUPPORT_ZLIB_BYTES_H

#include <zlib.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace testing_support {

// One zlib stream of `bytes` at the default level, made in a single call.
inline std::string ZlibCompress(std::string_view bytes)
{
    uLongf length = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(length, '\0');
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &length, reinterpret_cast<const Bytef *>(bytes.data()),
                  static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION)
        != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(length);
    return out;
}

// A zlib stream of `bytes` that needs the preset dictionary `dictionary`.
inline std::string ZlibCompressWithDictionary(std::string_view bytes, std::string_view dictionary)
{
    z_stream zs{};
    std::string out(compressBound(static_cast<uLong>(bytes.size())) + 64, '\0');
    if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("deflateInit failed");
    deflateSetDictionary(&zs, reinterpret_cast<const Bytef *>(dictionary.data()), static_cast<uInt>(dictionary.size()));
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    zs.avail_in = static_cast<uInt>(bytes.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    return out;
}

} // namespace testing_support

#endif
