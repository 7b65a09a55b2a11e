#pragma once

#include <QPoint>
#include <QSize>

#include <functional>

class QScreen;
class QWidget;

namespace pomrola {

// Where a window's frame goes, given the size of the frame.
using FramePlacer = std::function<QPoint(const QSize& frame)>;

// Moves the window's frame to place(frame size) now and once more when the
// window manager has framed it: before a window is first shown its frame is
// not known, so the first move can only count the client area.
void PlaceFrame(QWidget& window, FramePlacer place);

// The screen the window is on, or the primary screen before it has one.
QScreen* ScreenOf(const QWidget& window);

}  // namespace pomrola
