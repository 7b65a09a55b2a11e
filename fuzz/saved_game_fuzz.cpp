// Any bytes as a saved game: the reader never reads out of bounds, and the
// values it read save and load back unchanged.
#include "SavedGameText.h"

#include <cstdlib>

using namespace pomrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SavedGameValues read =
        DecodeSavedGameValues(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (read.values.size() > SavedGameValueCount || read.complete != (read.values.size() == SavedGameValueCount))
        std::abort();
    // A file that fails part of the way still leaves what was read; a game
    // saves all 66 values, the ones not read as they were (0 here).
    std::vector<std::int32_t> game = read.values;
    game.resize(SavedGameValueCount, 0);
    const SavedGameValues again = DecodeSavedGameValues(EncodeSavedGameValues(game));
    if (!again.complete || again.values != game)
        std::abort();
    return 0;
}
