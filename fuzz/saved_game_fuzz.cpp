// Any bytes as a saved game: the reader never reads out of bounds, and the
// game it leaves saves and loads back unchanged.
#include "SavedGame.h"

#include <cstdlib>

using namespace pomrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    GameState game;
    // A file that fails part of the way still leaves what was read.
    static_cast<void>(
        DecodeSavedGame(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), game));
    GameState again;
    if (!DecodeSavedGame(EncodeSavedGame(game), again) || again.board != game.board || again.Score != game.Score ||
        again.MovesLeft != game.MovesLeft)
        std::abort();
    return 0;
}
