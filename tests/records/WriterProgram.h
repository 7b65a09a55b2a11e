#pragma once

#include <QCoreApplication>
#include <QString>

namespace pomrola::testing {

// The records writer helper, built beside the test program: found from there,
// so the path holds on every system (Wine cannot start a path without a drive).
inline QString WriterProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" RECORDS_WRITER);
}

}  // namespace pomrola::testing
