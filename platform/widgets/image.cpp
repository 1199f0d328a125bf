#include "platform/widgets/image.h"

#include <QLabel>
#include <QPixmap>

#include "platform/exceptions.h"
#include "platform/widgets/qt_text.h"

TImage::TImage(TWinControl &parent, std::string name) : TControl(std::move(name), new QLabel, &parent)
{
    static_cast<QLabel *>(Handle())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TImage::LoadFromResource(const std::string &resourceName)
{
    const QPixmap picture(QStringLiteral(":/") + ToQString(resourceName));
    if (picture.isNull())
        throw EInvalidGraphic("no picture in resource " + resourceName);
    static_cast<QLabel *>(Handle())->setPixmap(picture);
}

int TImage::PictureWidth() const
{
    return static_cast<QLabel *>(Handle())->pixmap().width();
}

int TImage::PictureHeight() const
{
    return static_cast<QLabel *>(Handle())->pixmap().height();
}
