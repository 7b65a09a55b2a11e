#pragma once

#include "GameState.h"

#include <QByteArray>
#include <QString>

namespace pomrola {

// A saved game: Score, MovesLeft and the 64 cells row by row, one decimal
// number per CR LF line, 66 lines.
QByteArray EncodeSavedGame(const GameState& game);

// Reads a saved game over the game. The first failure (a value that is not a
// whole number, or the file ending before all 64 cells) stops the reading;
// values read before it stay. Returns whether everything was read.
[[nodiscard]] bool DecodeSavedGame(const QByteArray& file, GameState& game);

// The chosen path with the file name's three-letter extension replaced by
// ".sav": party.txt and party give party.sav, my.game gives my.game.sav. The
// folder part stays as it is.
QString SavedGameName(const QString& chosen);

}  // namespace pomrola
