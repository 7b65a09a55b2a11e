#include "CellShape.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

using pomrola::CellShape;

namespace {

struct Circle {
    QColor fill, outline, backdrop;
    int side = 0;
    int ratio = 1;
};

// A cell on a panel of the backdrop colour, rendered at the ratio; told its
// backdrop or not.
QImage Rendered(const Circle& circle, bool backdropKnown)
{
    QWidget panel;
    panel.setAutoFillBackground(true);
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, circle.backdrop);
    panel.setPalette(palette);
    panel.resize(circle.side + 3, circle.side + 2);
    auto* cell = new CellShape(&panel);
    cell->setGeometry(1, 1, circle.side + circle.side % 2, circle.side);  // odd sides: centred at half a pixel
    cell->setFillColour(circle.fill);
    cell->setOutlineColour(circle.outline);
    if (backdropKnown)
        cell->setBackdrop(circle.backdrop);
    QImage image(panel.size() * circle.ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(circle.ratio);
    panel.render(&image);
    return image;
}

}  // namespace

// A circle copied from one drawn before has the very pixels of one drawn in
// place, whatever its colours, size and the screen's pixel ratio, also
// where the cell's square lies half a pixel off.
TEST(CellShape, CopiedCirclesMatchCirclesDrawnInPlace)
{
    std::mt19937 random(20261208);
    const auto colour = [&random] { return QColor::fromRgb(random() & 0xffffffu); };
    for (int round = 0; round < 60; ++round) {
        const Circle circle{colour(), colour(), colour(), 8 + static_cast<int>(random() % 60), 1 + round % 3};
        EXPECT_EQ(Rendered(circle, true), Rendered(circle, false))
            << "side " << circle.side << ", ratio " << circle.ratio << ", fill " << qPrintable(circle.fill.name());
    }
}
