#include "platform/graphic.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/exceptions.h"
#include "platform/stream.h"

namespace {

std::uint32_t LE16(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t LE32(std::string_view bytes, std::size_t at)
{
    return LE16(bytes, at) | LE16(bytes, at + 2) << 16;
}

// The 18-byte header that starts a standard metafile: type 1 (memory) or 2
// (disk), header size 9 words.
bool IsMetafileHeader(std::string_view bytes, std::size_t at)
{
    if (bytes.size() < at + 18)
        return false;
    const std::uint32_t type = LE16(bytes, at);
    return (type == 1 || type == 2) && LE16(bytes, at + 2) == 9;
}

} // namespace

void TGraphic::LoadFromStream(TStream &stream)
{
    std::string bytes = ReadToEnd(stream);
    if (!IsOwnFormat(bytes))
        throw EInvalidGraphic(InvalidMessage());
    data_ = std::move(bytes);
}

bool TBitmap::IsOwnFormat(std::string_view bytes) const
{
    const std::size_t fileHeader = 14;
    if (bytes.size() < fileHeader + 4 || bytes.substr(0, 2) != "BM")
        return false;
    // Bitmap headers come in these sizes only: core, OS/2 (short and long),
    // info, info with masks (two kinds), version 4 and version 5.
    const std::uint32_t infoSize = LE32(bytes, 14);
    static const std::uint32_t knownSizes[] = {12, 16, 64, 40, 52, 56, 108, 124};
    if (std::find(std::begin(knownSizes), std::end(knownSizes), infoSize) == std::end(knownSizes))
        return false;
    const std::uint32_t bitsOffset = LE32(bytes, 10);
    return fileHeader + infoSize <= bytes.size() && bitsOffset >= fileHeader + infoSize && bitsOffset <= bytes.size();
}

const char *TBitmap::InvalidMessage() const
{
    return "ビットマップの形式が正しくありません";
}

bool TIcon::IsOwnFormat(std::string_view bytes) const
{
    if (bytes.size() < 6 || LE16(bytes, 0) != 0 || LE16(bytes, 2) != 1)
        return false;
    const std::uint32_t count = LE16(bytes, 4);
    return count > 0 && 6 + 16 * static_cast<std::size_t>(count) <= bytes.size();
}

const char *TIcon::InvalidMessage() const
{
    return "アイコンの形式が正しくありません";
}

bool TMetafile::IsOwnFormat(std::string_view bytes) const
{
    const std::uint32_t placeableKey = 0x9AC6CDD7u;
    const std::size_t placeableSize = 22;
    if (bytes.size() >= 4 && LE32(bytes, 0) == placeableKey)
        return IsMetafileHeader(bytes, placeableSize);
    // Enhanced: the first record is the header (type 1) carrying " EMF".
    if (bytes.size() >= 44 && LE32(bytes, 0) == 1 && LE32(bytes, 40) == 0x464D4520u)
        return true;
    return IsMetafileHeader(bytes, 0);
}

const char *TMetafile::InvalidMessage() const
{
    return "メタファイルの形式が正しくありません";
}
