#include "CellNames.h"

#include "BallSymbols.h"
#include "CellShape.h"

#include <QCoreApplication>

#include <array>

namespace pomrola {

namespace {

struct NamedColour {
    QRgb rgb;
    const char* name;
};

// The colours the board paints (the engine's table), by what is on screen.
const std::array<NamedColour, 10> Colours = {{
    {qRgb(0, 0, 255), QT_TRANSLATE_NOOP("CellNames", "синий")},
    {qRgb(255, 0, 0), QT_TRANSLATE_NOOP("CellNames", "красный")},
    {qRgb(0, 128, 0), QT_TRANSLATE_NOOP("CellNames", "зелёный")},
    {qRgb(0, 0, 0), QT_TRANSLATE_NOOP("CellNames", "чёрный")},
    {qRgb(255, 255, 0), QT_TRANSLATE_NOOP("CellNames", "жёлтый")},
    {qRgb(0, 255, 255), QT_TRANSLATE_NOOP("CellNames", "голубой")},
    {qRgb(128, 128, 128), QT_TRANSLATE_NOOP("CellNames", "серый")},
    {qRgb(255, 0, 255), QT_TRANSLATE_NOOP("CellNames", "пурпурный")},
    {qRgb(128, 0, 0), QT_TRANSLATE_NOOP("CellNames", "бордовый")},
    {qRgb(0, 255, 0), QT_TRANSLATE_NOOP("CellNames", "салатовый")},
}};

const char* SymbolName(SymbolShape shape)
{
    switch (shape) {
    case SymbolShape::Dot: return QT_TRANSLATE_NOOP("CellNames", "точка");
    case SymbolShape::Ring: return QT_TRANSLATE_NOOP("CellNames", "кольцо");
    case SymbolShape::Cross: return QT_TRANSLATE_NOOP("CellNames", "крестик");
    case SymbolShape::Plus: return QT_TRANSLATE_NOOP("CellNames", "плюс");
    case SymbolShape::Square: return QT_TRANSLATE_NOOP("CellNames", "квадрат");
    case SymbolShape::Triangle: return QT_TRANSLATE_NOOP("CellNames", "треугольник");
    case SymbolShape::Diamond: return QT_TRANSLATE_NOOP("CellNames", "ромб");
    case SymbolShape::Star: return QT_TRANSLATE_NOOP("CellNames", "звезда");
    case SymbolShape::None: break;
    }
    return nullptr;
}

QString Translate(const char* text)
{
    return QCoreApplication::translate("CellNames", text);
}

}  // namespace

QString CellPlaceName(int column, int row)
{
    return QChar(u'A' + (column - 1)) + QString::number(row);
}

QString CellColourName(const CellShape& cell)
{
    // An empty cell is painted in the face colour of its outline.
    if (cell.fillColour() == cell.outlineColour())
        return Translate(QT_TRANSLATE_NOOP("CellNames", "пусто"));
    const QRgb rgb = cell.fillColour().rgb();
    for (const NamedColour& colour : Colours)
        if (colour.rgb == rgb)
            return Translate(colour.name);
    return Translate(QT_TRANSLATE_NOOP("CellNames", "неизвестный цвет"));
}

QString CellName(const CellShape& cell)
{
    QString name = CellColourName(cell);
    if (cell.showsSymbol()) {
        if (const char* symbol = SymbolName(SymbolForCode(cell.symbolCode()).shape))
            name += QStringLiteral(", ") + Translate(symbol);
    }
    return name + QStringLiteral(", ") + CellPlaceName(cell.column(), cell.row());
}

}  // namespace pomrola
