#include "SyncedFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include <algorithm>

namespace pomrola {

namespace {

// Markers the clients keep in the root of a folder they synchronise.
const QStringList SyncMarkers = {QStringLiteral(".stfolder"), QStringLiteral(".sync_journal.db"),
                                 QStringLiteral(".owncloudsync.log"), QStringLiteral(".dropbox"),
                                 QStringLiteral(".dropbox.cache")};

bool UnderOneDrive(const QString& recordsDir)
{
    const QString folder = QDir::cleanPath(QFileInfo(recordsDir).absoluteFilePath());
    for (const char* variable : {"OneDrive", "OneDriveConsumer", "OneDriveCommercial"}) {
        const QString root = QDir::cleanPath(qEnvironmentVariable(variable));
        if (!root.isEmpty() && (folder == root || folder.startsWith(root + QLatin1Char('/'))))
            return true;
    }
    return false;
}

}  // namespace

bool IsConflictCopyName(const QString& fileName, bool inOneDrive)
{
    // The records file itself, at every start: not worth compiling the patterns for.
    if (fileName == QLatin1String("Pomrola99.rec"))
        return false;
    const QRegularExpression copies(
        QStringLiteral("^Pomrola99(\\.sync-conflict-\\d{8}-\\d{6}-[A-Z0-9]{7}"            // Syncthing
                       "| \\(conflicted copy \\d{4}-\\d{2}-\\d{2} \\d{6}\\)"              // Nextcloud
                       "|_conflict-\\d{8}-\\d{6}"                                         // ownCloud
                       "| \\(.+'s conflicted copy \\d{4}-\\d{2}-\\d{2}( \\(\\d+\\))?\\)"  // Dropbox
                       ")\\.rec$"));
    // OneDrive adds the computer's name; elsewhere such a name is the player's own file.
    const QRegularExpression oneDrive(QStringLiteral("^Pomrola99-[A-Za-z0-9-]{1,15}\\.rec$"));
    return copies.match(fileName).hasMatch() || (inOneDrive && oneDrive.match(fileName).hasMatch());
}

QString OwnResultsPath(const QString& recordsDir)
{
    const QByteArray computer = QSysInfo::machineHostName().toUtf8() + '/' + QSysInfo::machineUniqueId() + '/' +
                                qgetenv("USER") + qgetenv("USERNAME");
    const QByteArray key = QCryptographicHash::hash(computer, QCryptographicHash::Sha1).toHex().left(8);
    return QDir(recordsDir).filePath(QStringLiteral("Pomrola99.computer-%1.rec").arg(QString::fromLatin1(key)));
}

BesideRecordsFile ListBesideRecordsFile(const QString& recordsDir)
{
    const bool inOneDrive = UnderOneDrive(recordsDir);
    const QRegularExpression computerFile(QStringLiteral("^Pomrola99\\.computer-[0-9a-f]{8}\\.rec$"));
    const QDir folder(recordsDir);
    BesideRecordsFile found;
    // Names told apart by hand rather than by QDir's name filters, which
    // compile a pattern at every listing.
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(QLatin1String("Pomrola99")) || !name.endsWith(QLatin1String(".rec")))
            continue;
        // The prefix first: the pattern is compiled at its first match, and
        // every folder holds the records file itself.
        if (name.startsWith(QLatin1String("Pomrola99.computer-")) && computerFile.match(name).hasMatch())
            found.computerResults << folder.filePath(name);
        else if (IsConflictCopyName(name, inOneDrive))
            found.conflictCopies << folder.filePath(name);
    }
    return found;
}

bool IsSynchronisedFolder(const QString& recordsDir)
{
    if (UnderOneDrive(recordsDir))
        return true;
    QDir folder(QFileInfo(recordsDir).absoluteFilePath());
    for (int depth = 0; depth < 64; ++depth) {
        for (const QString& marker : SyncMarkers) {
            if (QFileInfo::exists(folder.filePath(marker)))
                return true;
        }
        if (!folder.cdUp())
            return false;
    }
    return false;
}

std::vector<RecordEntry> UnionOfCopies(const std::vector<std::vector<RecordEntry>>& copies)
{
    std::vector<RecordEntry> all;
    for (const std::vector<RecordEntry>& copy : copies) {
        for (const RecordEntry& entry : copy) {
            const auto inCopy = std::count(copy.begin(), copy.end(), entry);
            if (std::count(all.begin(), all.end(), entry) < inCopy)
                all.push_back(entry);
        }
    }
    return all;
}

}  // namespace pomrola
