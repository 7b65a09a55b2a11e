#include "Fonts.h"

#include <QStringList>

namespace pomrola {

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
}

QFont PixelFont(const QString& family, int characterHeight, bool bold)
{
    QFont font(family);
    font.setPixelSize(characterHeight);
    font.setBold(bold);
    return font;
}

}  // namespace pomrola
