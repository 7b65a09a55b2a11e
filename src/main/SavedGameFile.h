#pragma once

#include "GameState.h"

#include <QString>

#include <optional>

namespace pomrola {

// Writes the game to `path` atomically: a failed save leaves any earlier
// file as it was. Returns a short Russian reason on failure.
[[nodiscard]] std::optional<QString> SaveGameToFile(const QString& path, const GameState& game);

// Reads a saved game from `path` over the game (see DecodeSavedGame): values
// read before the first failure stay. Returns a short Russian reason when the
// file cannot be read or does not hold a whole game.
[[nodiscard]] std::optional<QString> LoadGameFromFile(const QString& path, GameState& game);

}  // namespace pomrola
