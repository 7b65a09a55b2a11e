#pragma once

#include <QString>

namespace pomrola {

// The records folder when the settings name none: the current folder, where
// this user can write in it. Where he cannot (the game installed under
// Program Files and started from its shortcut), his own data folder instead,
// given an empty records file, so that the first start has a table to load
// rather than a folder to report that the player never chose.
QString DefaultRecordsFolder();

}  // namespace pomrola
