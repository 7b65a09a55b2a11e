#pragma once

#include "GameState.h"
#include "RecordsFile.h"

#include <QString>

namespace pomrola {

// The values that live for the whole run: the game, the player, the records.
struct GameSession {
    GameState game;
    QString PlayerName = QStringLiteral("User");
    QString RecordsDir;
    RecordsBook records;
};

}  // namespace pomrola
