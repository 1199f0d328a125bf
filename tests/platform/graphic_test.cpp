// Graphic objects: each kind keeps the bytes of its own file format and
// rejects anything else.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/exceptions.h"
#include "platform/graphic.h"
#include "platform/memory_stream.h"
#include "tests/support/container_bytes.h"

using testing_support::LE32;

namespace {

std::string LE16(std::uint16_t v)
{
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
}

// A 1x1 24-bit BMP with a header of `infoSize` bytes.
std::string Bitmap(std::uint32_t infoSize = 40, std::string magic = "BM")
{
    const std::string info = LE32(infoSize) + std::string(infoSize - 4, '\0');
    const std::string pixels(4, '\x7f');
    const auto offset = static_cast<std::uint32_t>(14 + info.size());
    return magic + LE32(offset + 4) + LE32(0) + LE32(offset) + info + pixels;
}

std::string WithLE32At(std::string bytes, std::size_t at, std::uint32_t v)
{
    return bytes.replace(at, 4, LE32(v));
}

std::string Icon(std::uint16_t type = 1, std::uint16_t count = 1, int entries = 1)
{
    std::string bytes = LE16(0) + LE16(type) + LE16(count);
    for (int i = 0; i < entries; ++i)
        bytes += std::string(16, '\1');
    return bytes + "image";
}

std::string MetafileHeader(std::uint16_t type = 1, std::uint16_t words = 9)
{
    return LE16(type) + LE16(words) + std::string(14, '\0');
}

std::string Placeable()
{
    return LE32(0x9AC6CDD7u) + std::string(18, '\0');
}

std::string Enhanced(const char *signature = " EMF")
{
    return LE32(1) + LE32(88) + std::string(32, '\0') + signature + std::string(44, '\0');
}

enum class Kind { Bitmap, Icon, Metafile };

std::unique_ptr<TGraphic> Make(Kind kind)
{
    switch (kind) {
    case Kind::Bitmap: return std::make_unique<TBitmap>();
    case Kind::Icon: return std::make_unique<TIcon>();
    case Kind::Metafile: return std::make_unique<TMetafile>();
    }
    return nullptr;
}

struct GraphicCase {
    const char *label;
    Kind kind;
    std::string bytes;
    bool valid;
    friend void PrintTo(const GraphicCase &c, std::ostream *out) { *out << c.label; }
};

class GraphicLoad : public ::testing::TestWithParam<GraphicCase> {};

TEST_P(GraphicLoad, KeepsItsOwnFormatAndRejectsTheRest)
{
    const GraphicCase &c = GetParam();
    auto graphic = Make(c.kind);
    TMemoryStream stream;
    stream.WriteBuffer("prefix", 6);
    stream.WriteBuffer(c.bytes.data(), c.bytes.size());
    stream.SetPosition(6);
    if (c.valid) {
        graphic->LoadFromStream(stream);
        EXPECT_EQ(graphic->Data(), c.bytes) << "from the position to the end";
    } else {
        EXPECT_THROW(graphic->LoadFromStream(stream), EInvalidGraphic);
        EXPECT_TRUE(graphic->Empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, GraphicLoad,
    ::testing::Values(GraphicCase{"BitmapInfoHeader", Kind::Bitmap, Bitmap(40), true},
                      GraphicCase{"BitmapCoreHeader", Kind::Bitmap, Bitmap(12), true},
                      GraphicCase{"BitmapVersion5Header", Kind::Bitmap, Bitmap(124), true},
                      GraphicCase{"BitmapWrongMagic", Kind::Bitmap, Bitmap(40, "MB"), false},
                      GraphicCase{"BitmapUnknownHeaderSize", Kind::Bitmap, Bitmap(33), false},
                      GraphicCase{"BitmapCutInItsHeader", Kind::Bitmap, Bitmap(40).substr(0, 30), false},
                      GraphicCase{"BitmapPixelOffsetPastTheEnd", Kind::Bitmap, WithLE32At(Bitmap(40), 10, 59), false},
                      GraphicCase{"BitmapEmpty", Kind::Bitmap, "", false},
                      GraphicCase{"Icon", Kind::Icon, Icon(), true},
                      GraphicCase{"IconCursorType", Kind::Icon, Icon(2), false},
                      GraphicCase{"IconNoImages", Kind::Icon, Icon(1, 0, 0), false},
                      GraphicCase{"IconDirectoryPastTheEnd", Kind::Icon, Icon(1, 2, 1).substr(0, 6 + 16 + 10), false},
                      GraphicCase{"IconGivenABitmap", Kind::Icon, Bitmap(), false},
                      GraphicCase{"MetafileStandardMemory", Kind::Metafile, MetafileHeader(1), true},
                      GraphicCase{"MetafileStandardDisk", Kind::Metafile, MetafileHeader(2) + "records", true},
                      GraphicCase{"MetafilePlaceable", Kind::Metafile, Placeable() + MetafileHeader(), true},
                      GraphicCase{"MetafileEnhanced", Kind::Metafile, Enhanced(), true},
                      GraphicCase{"MetafilePlaceableWithoutHeader", Kind::Metafile, Placeable(), false},
                      GraphicCase{"MetafileWrongHeaderSize", Kind::Metafile, MetafileHeader(1, 8), false},
                      GraphicCase{"MetafileWrongType", Kind::Metafile, MetafileHeader(3), false},
                      GraphicCase{"MetafileEnhancedWithoutSignature", Kind::Metafile, Enhanced("EMF "), false},
                      GraphicCase{"MetafileGivenAnIcon", Kind::Metafile, Icon(), false}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(Graphic, RejectedBytesKeepTheEarlierPicture)
{
    TBitmap bitmap;
    TMemoryStream good;
    const std::string picture = Bitmap();
    good.WriteBuffer(picture.data(), picture.size());
    good.SetPosition(0);
    bitmap.LoadFromStream(good);

    TMemoryStream bad;
    bad.WriteBuffer("not a picture", 13);
    bad.SetPosition(0);
    try {
        bitmap.LoadFromStream(bad);
        FAIL() << "accepted";
    } catch (const EInvalidGraphic &e) {
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_EQ(bitmap.Data(), picture);
}

} // namespace
