// Pictures as the program hands them around: each kind loads itself from a
// stream, checks that the bytes are a picture in its own file format and keeps
// them. Nothing here draws; the widgets turn the bytes into an image.
#ifndef KOMBREL_PLATFORM_GRAPHIC_H
#define KOMBREL_PLATFORM_GRAPHIC_H

#include <string>
#include <string_view>

class TStream;

class TGraphic {
public:
    virtual ~TGraphic() = default;

    // Replaces the picture with the one stored from the stream's position to
    // its end. Raises EInvalidGraphic, keeping the old picture, when the bytes
    // are not of this kind's format.
    void LoadFromStream(TStream &stream);

    bool Empty() const { return data_.empty(); }
    // The picture's file bytes.
    const std::string &Data() const { return data_; }

protected:
    virtual bool IsOwnFormat(std::string_view bytes) const = 0;
    virtual const char *InvalidMessage() const = 0;

private:
    std::string data_;
};

// A BMP file: "BM", a file header and a known bitmap header that fit in it.
class TBitmap : public TGraphic {
protected:
    bool IsOwnFormat(std::string_view bytes) const override;
    const char *InvalidMessage() const override;
};

// An ICO file: reserved 0, type 1, at least one image, and a directory that
// fits in it.
class TIcon : public TGraphic {
protected:
    bool IsOwnFormat(std::string_view bytes) const override;
    const char *InvalidMessage() const override;
};

// A Windows metafile (standard, or with the placeable header in front) or an
// enhanced metafile.
class TMetafile : public TGraphic {
protected:
    bool IsOwnFormat(std::string_view bytes) const override;
    const char *InvalidMessage() const override;
};

#endif
