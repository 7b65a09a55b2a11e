// records_writer <folder> <name> <lock wait ms> <score,score,...>: loads the
// records file of the folder, then adds the results in order. Prints how long
// each write held the lock, in microseconds, one line each.
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
    std::int64_t heldNs = 0;
    pomrola::RecordsWriteOptions options;
    options.lockWaitMs = args[3].toInt();
    options.lockHeldNs = &heldNs;
    for (const QString& score : args[4].split(QLatin1Char(','))) {
        if (const auto error = pomrola::AddRecord(book, args[1], pomrola::ToCp1251(args[2]), score.toInt(), options)) {
            std::fprintf(stderr, "%s\n", qPrintable(*error));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(heldNs / 1000));
    }
    return 0;
}
