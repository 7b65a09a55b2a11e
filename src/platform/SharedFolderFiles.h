#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace pomrola {

// Entries of a folder that other people's programs share: anyone with access
// may have put a link, a pipe or a folder where a file is expected. Nothing
// here follows a link at the path it is given, waits on a pipe or device, or
// removes anything but what lies directly at or in that path.

enum class EntryKind { Missing, File, Folder, Link, Other };

// What stands at `path`, the link itself where there is one.
EntryKind KindOf(const QString& path);

// How an operation ended; `reason` is a short text in the player's language.
struct FileOutcome {
    bool ok = false;
    bool missing = false;  // nothing stands at the path
    QString reason;
};

struct PlainRead : FileOutcome {
    QByteArray bytes;
};

// Reads at most `maxBytes` of the regular file at `path`, opened without
// blocking and without following a link; anything else there is refused.
PlainRead ReadPlainFile(const QString& path, qint64 maxBytes);

// Replaces the regular file at `path`, or creates it, in one step (see
// WriteFileAtomically); refused when anything but a regular file is there.
FileOutcome ReplacePlainFile(const QString& path, const QByteArray& bytes);

// Creates a file that does not exist yet, never through a link, and closes it.
FileOutcome CreateNewFile(const QString& path, const QByteArray& bytes);

enum class Creation { Created, Exists, Failed };
struct FolderCreation {
    Creation result = Creation::Failed;
    QString reason;  // when it failed
};
// Creates one folder, open to every user who may write its parent, so that
// whoever comes next may remove it.
FolderCreation CreateFolder(const QString& path);

// Renames an entry (the link itself for a link); never replaces one.
enum class Renaming { Done, Refused, NotPermitted };
Renaming RenameEntry(const QString& from, const QString& to);
// Removes a file, link, pipe or device entry; never a folder, never a link's target.
bool RemoveEntry(const QString& path);
// Removes a real folder with the files and links directly in it; a link to a
// folder, or a folder inside it, is left alone (and so is the folder then).
bool RemoveFolderShallow(const QString& path);

// When the entry was last modified, by the clock of the computer that keeps
// it (a file server's), in milliseconds since the epoch.
std::optional<qint64> ModifiedMs(const QString& path);

// The reason to give for an entry of the wrong kind.
QString WrongKindText(EntryKind kind);

}  // namespace pomrola
