#pragma once

#include <QStringList>

namespace pomrola {

// Texts kept in constants are built before any translator is installed: they
// are looked up when shown. A text with no translation comes back unchanged.
QString Translated(const char* context, const QString& source);
QStringList Translated(const char* context, const QStringList& sources);

}  // namespace pomrola
