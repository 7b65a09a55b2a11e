#include "KeyboardCursor.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pomrola {

namespace {

// One pixel between the brackets and a rectangle's outline on the cell's edge.
constexpr int Inset = 2;
// Room left between the arms and the circle's antialiased outline.
constexpr double CircleClearance = 2.0;

}  // namespace

KeyboardCursor::KeyboardCursor(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

int KeyboardCursor::armLength() const
{
    // The arm grows from the corner while its last pixel stays outside the
    // circle inscribed in the cell's square.
    const double radius = std::min(width(), height()) / 2.0;
    const double cx = width() / 2.0;
    const double cy = height() / 2.0;
    int length = 0;
    for (int k = Inset; k < width() / 2; ++k) {
        const double dx = cx - (k + 0.5);
        const double dy = cy - (Inset + 0.5);
        if (std::hypot(dx, dy) < radius + CircleClearance)
            break;
        ++length;
    }
    return length;
}

void KeyboardCursor::paintEvent(QPaintEvent*)
{
    // Black and white dots in turn, seen on any ball colour and on the face.
    QPainter painter(this);
    const int arm = armLength();
    const int right = width() - 1 - Inset;
    const int bottom = height() - 1 - Inset;
    auto dot = [&](int step, int x, int y) {
        painter.setPen(step % 2 == 0 ? Qt::black : Qt::white);
        painter.drawPoint(x, y);
    };
    for (int step = 0; step < arm; ++step) {
        const int along = Inset + step;
        const int alongRight = right - step;
        const int alongBottom = bottom - step;
        dot(step, along, Inset);
        dot(step, alongRight, Inset);
        dot(step, along, bottom);
        dot(step, alongRight, bottom);
        if (step == 0)
            continue;  // the corner dot is shared by both arms
        dot(step, Inset, along);
        dot(step, right, along);
        dot(step, Inset, alongBottom);
        dot(step, right, alongBottom);
    }
}

}  // namespace pomrola
