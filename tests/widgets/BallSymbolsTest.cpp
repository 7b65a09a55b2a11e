// The symbols inside the balls must let every pair of colours be told apart
// where the colours themselves cannot: in greyscale and as people with the
// three common kinds of colour blindness see them. Colour blindness is
// simulated with the matrices of Machado, Oliveira and Fernandes (2009),
// severity 1, applied to linear RGB.
#include "BallColours.h"
#include "BallSymbols.h"
#include "CellShape.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace pomrola;
using pomrola::testing::BallColour;

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

struct Vision {
    const char* name;
    Matrix matrix;
};

const Vision Visions[] = {
    {"greyscale", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
    {"protanopia",
     {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}}},
    {"deuteranopia",
     {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}}},
    {"tritanopia",
     {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}}},
};

const QColor Face(240, 240, 240);

double Linear(int channel)
{
    const double v = channel / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// Relative luminance of the colour as seen with the given vision; a grey
// picture keeps exactly this of every colour.
double SeenLuminance(QColor colour, const Vision& vision)
{
    const double rgb[3] = {Linear(colour.red()), Linear(colour.green()), Linear(colour.blue())};
    double seen[3];
    for (std::size_t row = 0; row < 3; ++row) {
        double sum = 0;
        for (std::size_t k = 0; k < 3; ++k)
            sum += vision.matrix[row][k] * rgb[k];
        seen[row] = std::clamp(sum, 0.0, 1.0);
    }
    return 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
}

double Contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// With `symbols` unset the cell is never told of symbols at all.
QImage RenderCell(int code, int side, qreal pixelRatio, std::optional<bool> symbols)
{
    CellShape cell;
    cell.setGeometry(0, 0, side, side);
    cell.setOutlineColour(Face);
    cell.setFillColour(code >= 1 && code <= 8 ? BallColour(code) : Face);
    if (symbols) {
        cell.setSymbolCode(code);
        cell.setShowSymbol(*symbols);
    }
    const int pixels = qRound(side * pixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Face);
    cell.render(&image);
    return image;
}

// Pixels of the ball (inside 90% of its radius, clear of the smoothed edge)
// that a viewer with `vision` sees as the symbol's ink rather than the ball.
std::vector<bool> InkMask(const QImage& image, int code, const Vision& vision)
{
    const double ball = SeenLuminance(BallColour(code), vision);
    const double ink = SeenLuminance(SymbolForCode(code).ink, vision);
    const double centre = image.width() / 2.0, radius = image.width() / 2.0 * 0.9;
    std::vector<bool> mask;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double seen = SeenLuminance(image.pixelColor(x, y), vision);
            mask.push_back(std::hypot(x + 0.5 - centre, y + 0.5 - centre) <= radius &&
                           std::abs(seen - ink) < std::abs(seen - ball));
        }
    return mask;
}

// 0 for equal masks, 1 for masks with no pixel in common.
double Distance(const std::vector<bool>& a, const std::vector<bool>& b)
{
    int both = 0, either = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        both += a[k] && b[k];
        either += a[k] || b[k];
    }
    return either == 0 ? 0.0 : 1.0 - double(both) / either;
}

TEST(BallSymbols, InkIsTheBetterOfBlackAndWhiteForEveryVision)
{
    for (int code = 1; code <= 8; ++code) {
        const BallSymbol symbol = SymbolForCode(code);
        ASSERT_NE(symbol.shape, SymbolShape::None) << "code " << code;
        ASSERT_TRUE(symbol.ink == QColor(Qt::black) || symbol.ink == QColor(Qt::white)) << "code " << code;
        const QColor other = symbol.ink == QColor(Qt::black) ? QColor(Qt::white) : QColor(Qt::black);
        double chosenWeakest = 1e9, otherWeakest = 1e9;
        for (const Vision& vision : Visions) {
            const double ball = SeenLuminance(BallColour(code), vision);
            chosenWeakest = std::min(chosenWeakest, Contrast(ball, SeenLuminance(symbol.ink, vision)));
            otherWeakest = std::min(otherWeakest, Contrast(ball, SeenLuminance(other, vision)));
        }
        EXPECT_GE(chosenWeakest, otherWeakest) << "code " << code;
        EXPECT_GE(chosenWeakest, 3.0) << "code " << code;  // the usual floor for graphics
    }
}

TEST(BallSymbols, NoneOutsideTheBallColoursAndNoneWhenSwitchedOff)
{
    for (int code : {0, 9, 10, 11, -1, 300}) {
        EXPECT_EQ(SymbolForCode(code).shape, SymbolShape::None) << "code " << code;
        EXPECT_EQ(RenderCell(code, 50, 1, true), RenderCell(code, 50, 1, false)) << "code " << code;
    }
    for (int code = 1; code <= 8; ++code) {
        const QImage off = RenderCell(code, 50, 1, false);
        EXPECT_EQ(off, RenderCell(code, 50, 1, std::nullopt)) << "code " << code;
        EXPECT_EQ(off.pixelColor(25, 25), BallColour(code)) << "code " << code;
    }
}

// Every pair of colours differs in the shape of its symbol as each vision
// sees it, at the board's size and at random sizes and pixel ratios.
TEST(BallSymbols, EveryPairStaysDistinctInGreyAndForColourBlindness)
{
    const unsigned seed = 20261208;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<std::pair<int, qreal>> sizes = {{50, 1.0}, {50, 2.0}};
    for (int k = 0; k < 4; ++k)
        sizes.emplace_back(std::uniform_int_distribution<int>(24, 120)(random), k % 2 ? 2.0 : 1.0);

    for (const auto& [side, ratio] : sizes) {
        SCOPED_TRACE("side " + std::to_string(side) + " ratio " + std::to_string(ratio));
        std::vector<QImage> cells;
        for (int code = 1; code <= 8; ++code)
            cells.push_back(RenderCell(code, side, ratio, true));
        for (const Vision& vision : Visions) {
            SCOPED_TRACE(vision.name);
            std::vector<std::vector<bool>> masks;
            for (int code = 1; code <= 8; ++code) {
                masks.push_back(InkMask(cells[static_cast<std::size_t>(code - 1)], code, vision));
                const double ballArea = 3.14159 * std::pow(cells[0].width() / 2.0, 2);
                EXPECT_GE(double(std::count(masks.back().begin(), masks.back().end(), true)), 0.03 * ballArea)
                    << "symbol of code " << code << " hardly visible";
            }
            for (std::size_t a = 0; a < masks.size(); ++a)
                for (std::size_t b = a + 1; b < masks.size(); ++b)
                    EXPECT_GE(Distance(masks[a], masks[b]), 0.35) << "codes " << a + 1 << " and " << b + 1;
        }
    }
}

// The symbol grows with the ball and stays well inside it at any pixel ratio.
TEST(BallSymbols, ScaleWithTheBallAndStayInsideIt)
{
    for (int code = 1; code <= 8; ++code) {
        int changed[3] = {};  // by pixel ratio
        for (int ratio : {1, 2}) {
            const QImage with = RenderCell(code, 50, ratio, true), without = RenderCell(code, 50, ratio, false);
            ASSERT_EQ(with.width(), 50 * ratio);
            int outside = 0;
            const double centre = with.width() / 2.0;
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x)
                    if (with.pixel(x, y) != without.pixel(x, y)) {
                        ++changed[ratio];
                        outside += std::hypot(x + 0.5 - centre, y + 0.5 - centre) > centre * 0.7;
                    }
            EXPECT_EQ(outside, 0) << "code " << code << " ratio " << ratio;
        }
        // Four times the pixels at twice the ratio, give or take the smoothing.
        EXPECT_NEAR(double(changed[2]) / changed[1], 4.0, 1.2) << "code " << code;
    }
}

}  // namespace
