#pragma once

#include <QString>

namespace pomrola {

// The message shown when the records file cannot be loaded: the start-up form
// and the form the folder commands show differ in three places.
QString RecordsFolderMessage(const QString& recordsDir, bool startUp);

}  // namespace pomrola
