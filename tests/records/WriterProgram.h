#pragma once

#include <QCoreApplication>
#include <QString>

namespace pomrola::testing {

// The records writer helper, built beside the test program: found from there,
// so the path holds on every system (Wine cannot start a path without a drive).
// Writers under faketime load its clock library first, which a sanitizer
// build's run-time check would refuse.
inline void AllowPreloadedClocks()
{
    qputenv("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":verify_asan_link_order=0");
}

inline QString WriterProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" RECORDS_WRITER);
}

}  // namespace pomrola::testing
