#pragma once

#include <QFileDevice>
#include <QString>

namespace pomrola {

// The operating system's code for the last failed call (errno, or
// GetLastError on Windows). Clear it before a file operation and read it
// right after the failure, so that a code left by an earlier call is not taken
// for the reason.
void ClearSystemError();
int LastSystemError();

// A short reason, in the player's language, for a failed file operation, for our own messages:
// from the system's code where it says more, else from Qt's kind of error.
// Qt's own error strings are English and never shown.
QString FileErrorText(QFileDevice::FileError error, int systemError);
// The same from the system's code alone; `folder`, where given, tells a disk
// without room for another file from a full one.
QString SystemErrorText(int systemError, const QString& folder = QString());

}  // namespace pomrola
