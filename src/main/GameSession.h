#pragma once

#include "GameState.h"
#include "RecordsFile.h"

#include <QString>

namespace pomrola {

// The main window's caption always begins with the game's title.
inline const QString GameTitle = QStringLiteral(QT_TRANSLATE_NOOP("GameSession", "Помрола 99"));

// The values that live for the whole run: the game, the player, the records.
struct GameSession {
    GameState game;
    QString PlayerName = QStringLiteral("User");
    QString RecordsDir;
    RecordsBook records;
};

}  // namespace pomrola
