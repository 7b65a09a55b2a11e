#pragma once

#include <QString>

#include <optional>

namespace pomrola {

struct PlayerSettings {
    QString name;
    QString directory;
    QString language = QString();  // from [Options]; empty: the Russian interface
    // Section "Options", key Symbols: "1" shows a symbol in every ball, "0"
    // does not. Nothing when the file has no valid value; then writing
    // leaves the section alone, so a file whose player never switched
    // symbols keeps exactly the lines it had.
    std::optional<bool> symbols = std::nullopt;
};

// The settings file: the executable's name with ".INI", in the user's
// configuration folder.
QString DefaultSettingsPath();

// Results that could not reach their records file wait in this file, beside
// the settings file: one user's, never in a shared records folder.
QString PendingResultsPath(const QString& settingsPath);

// Section "Data": Name (default "User") and Directory (default
// DefaultRecordsFolder()). A key present with an empty value gives an empty text. Section
// "Options": Language, which only the player writes.
PlayerSettings ReadSettings(const QString& path);

// Writes the two keys (and Symbols when it has a value) and keeps every other
// line of the file, or of an older installation's file while this one has
// none; returns an error text when the file cannot be written.
[[nodiscard]] std::optional<QString> WriteSettings(const QString& path, const PlayerSettings& settings);

}  // namespace pomrola
