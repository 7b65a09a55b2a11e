// records_writer <folder> <name> <count> <first score>: loads the records file
// of the folder, then adds <count> results with consecutive scores.
#include "Cp1251.h"
#include "RecordsFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5)
        return 2;
    pomrola::RecordsBook book;
    pomrola::LoadRecords(book, args[1]);
    const int count = args[3].toInt();
    const int first = args[4].toInt();
    for (int i = 0; i < count; ++i) {
        // The test asks whether results are lost or files torn, not how long a
        // writer waits: eight writers on a loaded machine can wait longer than
        // the game's few seconds for their turn.
        constexpr int LockWaitMs = 60000;
        if (const auto error = pomrola::AddRecord(book, args[1], pomrola::ToCp1251(args[2]), first + i, LockWaitMs)) {
            std::fprintf(stderr, "%s\n", qPrintable(*error));
            return 1;
        }
    }
    return 0;
}
