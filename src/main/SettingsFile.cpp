#include "SettingsFile.h"

#include "DefaultRecordsFolder.h"
#include "ProfileFile.h"
#include "SystemFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pomrola {

namespace {

const QString Section = QStringLiteral("Data");
const QString OptionsSection = QStringLiteral("Options");
const QString SymbolsKey = QStringLiteral("Symbols");

std::optional<bool> ReadSwitch(const std::optional<QString>& value)
{
    if (!value)
        return std::nullopt;
    const QString text = value->trimmed();
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

QString SettingsFileName()
{
    QString base = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("pomrola99");
    return base + QStringLiteral(".INI");
}

// Older installations kept the file in the Windows folder; it is read from
// there while the configuration folder has none, and its lines move with the
// first write.
QString SettingsSource(const QString& path)
{
    const QString windowsFolder = WindowsFolder();
    if (windowsFolder.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString legacy = windowsFolder + QLatin1Char('\\') + QFileInfo(path).fileName();
    return QFileInfo::exists(legacy) ? legacy : path;
}

}  // namespace

QString DefaultSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           SettingsFileName();
}

QString PendingResultsPath(const QString& settingsPath)
{
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("pomrola99.pending"));
}

PlayerSettings ReadSettings(const QString& path)
{
    const ProfileFile profile = ProfileFile::Read(SettingsSource(path));
    PlayerSettings settings;
    settings.name = profile.value(Section, QStringLiteral("Name")).value_or(QStringLiteral("User"));
    const std::optional<QString> directory = profile.value(Section, QStringLiteral("Directory"));
    settings.directory = directory ? *directory : DefaultRecordsFolder();
    settings.language = profile.value(QStringLiteral("Options"), QStringLiteral("Language")).value_or(QString());
    settings.symbols = ReadSwitch(profile.value(OptionsSection, SymbolsKey));
    return settings;
}

std::optional<QString> WriteSettings(const QString& path, const PlayerSettings& settings)
{
    ProfileFile profile = ProfileFile::Read(SettingsSource(path));
    profile.setValue(Section, QStringLiteral("Name"), settings.name);
    profile.setValue(Section, QStringLiteral("Directory"), settings.directory);
    if (settings.symbols)
        profile.setValue(OptionsSection, SymbolsKey, *settings.symbols ? QStringLiteral("1") : QStringLiteral("0"));
    return profile.write(path);
}

}  // namespace pomrola
