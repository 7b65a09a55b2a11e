#include "Fonts.h"

#include <QFontDatabase>
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

namespace {

// The family itself where it is installed, otherwise its first installed
// substitute: the font the substitution comes to, named at once, so that the
// font database does not search every font for a family it lacks.
QString InstalledFamily(const QString& family)
{
    static const QStringList installed = QFontDatabase::families();
    QStringList candidates = QFont::substitutes(family);
    candidates.prepend(family);
    for (const QString& name : candidates)
        if (installed.contains(name, Qt::CaseInsensitive))
            return name;
    return family;
}

}  // namespace

QFont PixelFont(const QString& family, int characterHeight, bool bold)
{
    QFont font(InstalledFamily(family));
    font.setPixelSize(characterHeight);
    font.setBold(bold);
    return font;
}

}  // namespace pomrola
