#include "DefaultRecordsFolder.h"

#include "RecordsFile.h"
#include "SystemFolders.h"

#include <QFile>

namespace pomrola {

QString DefaultRecordsFolder()
{
    QString current = CurrentFolder();
    if (CanCreateFilesIn(current))
        return current;
    QString own = UserDataFolder();
    if (own.isEmpty())
        return current;
    // Never over a table already there; where it cannot be made, the start
    // reports the folder as usual.
    static_cast<void>(QFile(RecordsFilePath(own)).open(QIODevice::WriteOnly | QIODevice::NewOnly));
    return own;
}

}  // namespace pomrola
