// records_writer <folder> <name> <lock wait ms> <score,score,...>: loads the records file
// of the folder and adds the results in order, as game ends; prints how long each write
// took, lock wait included, in microseconds; stops at the first that fails.
// --keep-going <folder> <name> <lock wait ms> <scores>: goes on after a failure as the game
// does, the result kept for the next write; prints "ok <score>" or "failed <score> <reason>".
// --hold-lock <folder>: takes the records lock, says "locked" and waits to be killed.
// --exclusive <folder> <witness> <go file> <name> <scores>: once the go file is there, holds for each
// result the records lock and with it a kernel lock on the witness, taken without waiting (the kernel
// drops a killed holder's): "overlap" when another holder has it; then adds it as --keep-going does.
// --start <folder>: the game's start-up: loads the file and writes what waits for it.
// --hold-open <file> <ms>: keeps the file open for reading that long after saying "open".
// POMROLA_PENDING_FILE: where all but --exclusive keep waiting results, as the game its own.
#include "Cp1251.h"
#include "FolderLock.h"
#include "RecordsFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <cstdio>
#include <functional>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

// One line of the report, out at once: the test reads it while this runs.
void Say(const QByteArray& line)
{
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

int HoldLock(const QString& folder)
{
    pomrola::FolderLock lock(pomrola::RecordsFilePath(folder) + QStringLiteral(".lock"), 15000);
    if (lock.tryLock(30000) != pomrola::FolderLock::Result::Locked)
        return 1;
    Say("locked");
    for (;;)
        QThread::sleep(1);
}

int HoldOpen(const QString& path, int ms)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    file.read(1);
    Say("open");
    QThread::msleep(static_cast<unsigned long>(ms));
    return 0;
}

// Adds one result as a game end does and reports it as above, a failure of a `timed` one on
// the error output; false when it failed.
bool AddOne(pomrola::RecordsBook& book, const QStringList& args, const QString& score, bool timed)
{
    QElapsedTimer took;
    took.start();
    const auto error = pomrola::AddRecord(book, args[0], pomrola::ToCp1251(args[1]), score.toInt(), args[2].toInt());
    if (timed && error)
        std::fprintf(stderr, "%s\n", qPrintable(*error));
    else if (timed)
        Say(QByteArray::number(took.nsecsElapsed() / 1000));
    else
        Say((error ? "failed " : "ok ") + score.toUtf8() + (error ? " " + error->toUtf8() : QByteArray()));
    return !error;
}

// <folder> <name> <lock wait ms> <score,score,...>: adds the results in order, each
// after `before`; `timed` stops at the first failure (exit status 1).
int AddEach(pomrola::RecordsBook& book, const QStringList& args, bool timed, const std::function<void()>& before = {})
{
    static_cast<void>(pomrola::LoadRecords(book, args[0]));  // a missing file is an empty table
    for (const QString& score : args[3].split(QLatin1Char(','))) {
        if (before)
            before();
        if (!AddOne(book, args, score, timed) && timed)
            return 1;
    }
    return 0;
}

#ifndef Q_OS_WIN
// Holds the records lock a moment, as a writer does, with the witness's kernel lock.
void HoldWithWitness(const QString& folder, const QByteArray& witness)
{
    pomrola::FolderLock lock(pomrola::RecordsFilePath(folder) + QStringLiteral(".lock"), 15000);
    if (lock.tryLock(60000) != pomrola::FolderLock::Result::Locked)
        return;
    const int fd = ::open(witness.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        Say("overlap");
    QThread::msleep(std::uint32_t(std::rand() % 10));
    if (fd >= 0)
        ::close(fd);
    static_cast<void>(lock.unlock());
}

int Exclusive(const QStringList& args)
{
    while (!QFile::exists(args[2]))
        QThread::msleep(1);
    pomrola::RecordsBook book;
    return AddEach(book, {args[0], args[3], QStringLiteral("60000"), args[4]}, false,
                   [&] { HoldWithWitness(args[0], QFile::encodeName(args[1])); });
}
#endif

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--hold-lock"))
        return HoldLock(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("--hold-open"))
        return HoldOpen(args[2], args[3].toInt());
#ifndef Q_OS_WIN
    if (args.size() == 7 && args[1] == QLatin1String("--exclusive"))
        return Exclusive(args.mid(2));
#endif
    pomrola::RecordsBook book;
    book.pendingPath = qEnvironmentVariable("POMROLA_PENDING_FILE");
    if (args.size() == 3 && args[1] == QLatin1String("--start")) {
        static_cast<void>(pomrola::LoadRecords(book, args[2]));
        const bool waiting = pomrola::HasWaitingRecords(book, args[2]);
        if (const auto error = waiting ? pomrola::WriteWaitingRecords(book, args[2]) : std::nullopt)
            Say("failed " + error->toUtf8());
        return 0;
    }
    if (args.size() == 6 && args[1] == QLatin1String("--keep-going"))
        return AddEach(book, args.mid(2), false);
    return args.size() == 5 ? AddEach(book, args.mid(1), true) : 2;
}
