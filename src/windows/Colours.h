#pragma once

#include <QColor>

namespace pomrola::colours {

inline const QColor Green(0, 128, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Maroon(128, 0, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Navy(0, 0, 128);
inline const QColor Purple(128, 0, 128);

}  // namespace pomrola::colours
