#pragma once

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

// Moves the window to the saved top-left corner when the pixels per inch are
// unchanged and the saved rectangle is not empty, and restores a minimised
// state. Returns whether a saved position was used.
bool RestorePlacement(const PlacementStore& store, QWidget& window);

}  // namespace pomrola
