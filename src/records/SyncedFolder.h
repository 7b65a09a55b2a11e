#pragma once

#include "RecordsTable.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace pomrola {

// A records folder that a sync or cloud-drive client copies between
// computers has no lock that reaches the other computers; when two changed
// the file before they saw each other's change, the client keeps both, one
// of them as a conflict copy beside the file.

// Whether `fileName` is such a copy of "Pomrola99.rec" as Syncthing,
// Nextcloud (and ownCloud), Dropbox or, in a OneDrive folder, OneDrive names it.
bool IsConflictCopyName(const QString& fileName, bool inOneDrive);

// Whether a sync client keeps the folder (its marker in the folder or above).
bool IsSynchronisedFolder(const QString& recordsDir);

// In such a folder each computer also keeps its own results in a file of its
// own, which no other computer writes and so no client ever puts in conflict:
// "Pomrola99.computer-<8 hexadecimal digits>.rec", in the records file's format.
QString OwnResultsPath(const QString& recordsDir);

// What the folder holds beside the records file (its conflict copies, and the
// computers' own results), from one listing: on a network share every listing
// is a round trip.
struct BesideRecordsFile {
    QStringList conflictCopies;
    QStringList computerResults;
};
BesideRecordsFile ListBesideRecordsFile(const QString& recordsDir);

// The union of several copies of one table as multisets: an entry counts as
// many times as the most any one copy holds it, in the order first met.
std::vector<RecordEntry> UnionOfCopies(const std::vector<std::vector<RecordEntry>>& copies);

}  // namespace pomrola
