#pragma once

class QWidget;

namespace pomrola {

// Centres a top-level window on its screen the first time it is shown; later
// showings keep the place where it was when last closed.
// With `wholeDesktop`, it is centred on the area of all monitors.
void CentreOnScreenOnce(QWidget& window, bool wholeDesktop = false);

// Centres a window on its screen each time it has been shown, once it has
// taken its final size (message boxes size themselves while being shown).
void CentreOnScreenWhenShown(QWidget& window);

}  // namespace pomrola
