#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace pomrola {

// Where a window's placement is kept: the registry on Windows
// (HKEY_CURRENT_USER\software\<organization>\<application>\<section>), the
// user's configuration store elsewhere.
struct PlacementStore {
    QString organization;
    QString application;
    QString section;  // for example "storage/MainForm"
};

// Stores the show state, the screen's pixels per inch and the normal and
// minimised/maximised positions, all as text.
void SavePlacement(const PlacementStore& store, const QWidget& window);

// The frame's corner itself when a usable piece of the frame shows on some
// screen; otherwise the corner that puts the whole frame on the nearest
// screen's available area.
QPoint PulledOntoScreen(const QRect& frame);

// Moves the window's frame to the saved top-left corner when the pixels per inch are
// unchanged and the saved rectangle is not empty, and restores a minimised
// state. Returns whether a saved position was used.
[[nodiscard]] bool RestorePlacement(const PlacementStore& store, QWidget& window);

}  // namespace pomrola
