// Any bytes as a settings file: reading and rewriting it stay in bounds, and a
// value written (the first line of the input, as text) reads back without a
// line break and without disturbing the other key.
#include "ProfileText.h"

#include <cstdlib>

using namespace pomrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ProfileText profile = ProfileText::FromBytes(bytes);
    profile.value(QStringLiteral("Data"), QStringLiteral("Name"));
    const QString name = QString::fromUtf8(bytes.left(64));
    profile.setValue(QStringLiteral("Data"), QStringLiteral("Name"), name);
    profile.setValue(QStringLiteral("Data"), QStringLiteral("Directory"), QStringLiteral("/records"));
    const ProfileText back = ProfileText::FromBytes(profile.contents());
    const std::optional<QString> readName = back.value(QStringLiteral("Data"), QStringLiteral("Name"));
    if (!readName || readName->contains(QLatin1Char('\n')) || readName->contains(QLatin1Char('\r')))
        std::abort();
    if (back.value(QStringLiteral("Data"), QStringLiteral("Directory")) != QStringLiteral("/records"))
        std::abort();
    return 0;
}
