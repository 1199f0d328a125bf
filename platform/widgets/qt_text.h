// Conversions at the widget boundary: the program's byte strings are in the
// system's narrow code page, Qt's strings are Unicode. Internal to this layer.
#ifndef KOMBREL_PLATFORM_WIDGETS_QT_TEXT_H
#define KOMBREL_PLATFORM_WIDGETS_QT_TEXT_H

#include <QString>
#include <string>

inline QString ToQString(const std::string &text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

#endif
