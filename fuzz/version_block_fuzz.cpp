// Any bytes as an executable: the version reader gives its errors or texts
// and never reads outside the version block it found.
#include "VerInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace pomrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/pomrola-version-fuzz-%1.bin").arg(QCoreApplication::applicationPid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    try {
        TVerInfoRes reader(path);
        for (int index = 0; index < TVerInfoRes::VersionKeyCount; ++index)
            reader.GetVersionString(index);
        reader.GetOsDescription();
    } catch (const Exception&) {}
    return 0;
}
