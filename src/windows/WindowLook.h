#pragma once

#include <QColor>
#include <QRect>

class QToolButton;
class QWidget;

namespace pomrola {

namespace colours {

inline const QColor Green(0, 128, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Maroon(128, 0, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Navy(0, 0, 128);
inline const QColor Purple(128, 0, 128);

}  // namespace colours

// The look the secondary windows share: a fixed client size on green.
void MakeGreenWindow(QWidget& window, const char* objectName, const QString& caption, QSize clientSize);

// A flat "Закрыть" button in lime that never takes the keyboard focus.
QToolButton* MakeCloseButton(QWidget* parent, QRect geometry, int fontHeight);

}  // namespace pomrola
