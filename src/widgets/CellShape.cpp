#include "CellShape.h"

#include "BallSymbols.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <map>
#include <tuple>

namespace pomrola {

namespace {

void DrawCircle(QPainter& painter, const QRectF& square)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(square.adjusted(0.5, 0.5, -0.5, -0.5));
}

// The circle on its backdrop, drawn at the screen's pixel ratio; copied, it
// gives the very pixels drawing it in place gives.
const QImage& CircleOnBackdrop(const QPen& outline, const QColor& fill, const QColor& backdrop, int side, int ratio)
{
    using Key = std::tuple<QRgb, QRgb, QRgb, int, int>;
    static std::map<Key, QImage> circles;
    const Key key{outline.color().rgba(), fill.rgba(), backdrop.rgba(), side, ratio};
    auto found = circles.find(key);
    if (found != circles.end())
        return found->second;
    if (circles.size() >= 64)  // colours and sizes come in handfuls; never grow without end
        circles.clear();
    QImage image(side * ratio, side * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(backdrop);
    QPainter painter(&image);
    painter.setPen(outline);
    painter.setBrush(fill);
    DrawCircle(painter, QRectF(0, 0, side, side));
    painter.end();
    return circles.emplace(key, std::move(image)).first->second;
}

// The scale of a transform that only scales by a whole number and moves by
// whole pixels, or 0: a copy is exact only then.
int WholeScale(const QTransform& transform)
{
    const qreal scale = transform.m11();
    const bool whole = transform.type() <= QTransform::TxScale && scale == transform.m22() && scale >= 1 &&
                       scale == std::floor(scale) && transform.dx() == std::floor(transform.dx()) &&
                       transform.dy() == std::floor(transform.dy());
    return whole ? static_cast<int>(scale) : 0;
}

}  // namespace

CellShape::CellShape(QWidget* parent) : QWidget(parent)
{}

void CellShape::setPlace(int column, int row)
{
    column_ = column;
    row_ = row;
}

void CellShape::notifyAccessible(bool nameChanged)
{
    if (!QAccessible::isActive())
        return;
    if (nameChanged) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void CellShape::setForm(Form form)
{
    if (form_ != form) {
        form_ = form;
        update();
        notifyAccessible(false);
    }
}

void CellShape::setFillColour(const QColor& colour)
{
    if (fill_ != colour) {
        fill_ = colour;
        update();
        notifyAccessible(true);
    }
}

void CellShape::setOutlineColour(const QColor& colour)
{
    if (outline_ != colour) {
        outline_ = colour;
        update();
        notifyAccessible(true);
    }
}

void CellShape::setBackdrop(const QColor& colour)
{
    if (backdrop_ != colour) {
        backdrop_ = colour;
        update();
    }
}

void CellShape::setSymbolCode(int code)
{
    if (symbolCode_ != code) {
        symbolCode_ = code;
        if (showSymbol_) {
            update();
            notifyAccessible(true);
        }
    }
}

void CellShape::setShowSymbol(bool show)
{
    if (showSymbol_ != show) {
        showSymbol_ = show;
        update();
        notifyAccessible(true);
    }
}

void CellShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(fill_);
    const int side = std::min(width(), height());
    const QRectF square((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    if (form_ == Form::Rectangle)
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    else if (const int ratio = WholeScale(QTransform(painter.deviceTransform()).translate(square.x(), square.y()));
             ratio > 0 && backdrop_.isValid() && backdrop_.alpha() == 255)
        painter.drawImage(square.topLeft(), CircleOnBackdrop(painter.pen(), fill_, backdrop_, side, ratio));
    else
        DrawCircle(painter, square);
    if (showSymbol_)
        PaintBallSymbol(painter, SymbolForCode(symbolCode_), square);
}

void CellShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed(this);
}

}  // namespace pomrola
