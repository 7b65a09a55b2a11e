#pragma once

#include <QString>

namespace pomrola {

// A folder in native form without its trailing separator, except at a root
// ("/", "C:\"), which keeps it.
QString WithoutTrailingSeparator(const QString& folder);

// The process's current folder, without a trailing separator except at a root.
QString CurrentFolder();

// Whether this user can create a file in the folder. Tried with a file that
// is removed at once: permission bits, Windows access lists and read-only
// media all show only there.
bool CanCreateFilesIn(const QString& folder);

// This user's own data folder for the program (AppData\Roaming\pomrola99 on
// Windows, ~/.local/share/pomrola99 on Linux), created when missing; empty
// when it cannot be created.
QString UserDataFolder();

// The Windows folder on Windows, where older installations kept their settings;
// empty elsewhere.
QString WindowsFolder();

}  // namespace pomrola
