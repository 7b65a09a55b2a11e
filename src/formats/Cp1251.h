#pragma once

#include <QByteArray>
#include <QString>

namespace pomrola {

// The Windows Cyrillic code page, in which the game stores its texts.
// A character that the code page lacks becomes "?".
QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);

}  // namespace pomrola
