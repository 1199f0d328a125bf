#include "platform/widgets/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/widgets/qt_text.h"

namespace {

// Fonts of Japanese Windows that a Linux desktop lacks, and the nearest
// Japanese-capable fonts of the same kind (Debian's fonts-ipafont-gothic).
// The substitute runs about 2% wider than the font the forms were laid out
// in; condensed by `stretch` percent, every designed line fits its control.
struct Substitution {
    const char *family;
    const char *substitute;
    int stretch;
};

const Substitution kSubstitutions[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic", 98},
    {"ＭＳ ゴシック", "IPAGothic", 100},
};

const Substitution *SubstitutionFor(const QString &family)
{
    for (const Substitution &s : kSubstitutions) {
        if (family == QString::fromUtf8(s.family))
            return &s;
    }
    return nullptr;
}

} // namespace

void SubstituteMissingFonts()
{
    for (const Substitution &s : kSubstitutions) {
        const QString family = QString::fromUtf8(s.family);
        if (!QFontDatabase::hasFamily(family))
            QFont::insertSubstitution(family, QString::fromUtf8(s.substitute));
    }
}

QFont ToQFont(const TFont &font)
{
    const QString family = ToQString(font.Name);
    QFont result(family);
    result.setPixelSize(font.Height);
    result.setBold(font.Bold);
    const Substitution *substitution = SubstitutionFor(family);
    if (substitution != nullptr && !QFont::substitutes(family).isEmpty())
        result.setStretch(substitution->stretch);
    return result;
}
