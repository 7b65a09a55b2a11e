#pragma once

#include <QString>

namespace pomrola {

// A folder in native form without its trailing separator, except at a root
// ("/", "C:\"), which keeps it.
QString WithoutTrailingSeparator(const QString& folder);

// The process's current folder, without a trailing separator except at a root.
QString CurrentFolder();

// The Windows folder on Windows, where older installations kept their settings;
// empty elsewhere.
QString WindowsFolder();

}  // namespace pomrola
