#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace pomrola::testing {

// Writers under faketime load its clock library first, which a sanitizer build refuses.
inline void AllowPreloadedClocks()
{
    qputenv("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":verify_asan_link_order=0");
}

// Built beside the test program, so the path holds everywhere (Wine needs a drive).
inline QString WriterProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" RECORDS_WRITER);
}

// The start of a command running a program with its clock off by `offset` ("+60": a minute ahead),
// libfaketime preloaded by env so that the program is the process started; empty without it.
inline QStringList ClockOff(const QString& offset)
{
    for (const QString& library : {QStringLiteral("/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"),
                                   QStringLiteral("/usr/lib/faketime/libfaketime.so.1")}) {
        if (QFileInfo::exists(library))
            return {QStringLiteral("env"), QStringLiteral("LD_PRELOAD=") + library,
                    QStringLiteral("FAKETIME=") + offset};
    }
    return {};
}

// Removes what the clock library of a writer killed under ClockOff leaves: a later process of its id would not start.
inline void ReleaseClockOf(qint64 pid)
{
    QFile::remove(QStringLiteral("/dev/shm/faketime_shm_%1").arg(pid));
    QFile::remove(QStringLiteral("/dev/shm/sem.faketime_sem_%1").arg(pid));
}

}  // namespace pomrola::testing
