#include "SavedGame.h"

#include "SavedGameText.h"

#include <algorithm>

namespace pomrola {

QByteArray EncodeSavedGame(const GameState& game)
{
    std::vector<std::int32_t> values = {game.Score, game.MovesLeft};
    for (int row = 1; row <= BoardSize; ++row)
        for (int column = 1; column <= BoardSize; ++column)
            values.push_back(game.board.at(column, row));
    return EncodeSavedGameValues(values);
}

bool DecodeSavedGame(const QByteArray& file, GameState& game)
{
    const SavedGameValues read = DecodeSavedGameValues(file);
    // Values read before a failure stay.
    for (int i = 0; i < static_cast<int>(read.values.size()); ++i) {
        const std::int32_t value = read.values[static_cast<std::size_t>(i)];
        if (i == 0)
            game.Score = value;
        else if (i == 1)
            game.MovesLeft = value;
        else
            game.board.at((i - 2) % BoardSize + 1, (i - 2) / BoardSize + 1) = value;
    }
    return read.complete;
}

QString SavedGameName(const QString& chosen)
{
    // Only the part after the last separator is the file's name; a dot in a
    // folder's name must not cut the path.
    const qsizetype nameStart =
        std::max(chosen.lastIndexOf(QLatin1Char('/')), chosen.lastIndexOf(QLatin1Char('\\'))) + 1;
    QString name = chosen.mid(nameStart);
    if (name.size() >= 4 && name.at(name.size() - 4) == QLatin1Char('.'))
        name.chop(4);
    return chosen.left(nameStart) + name + QStringLiteral(".sav");
}

}  // namespace pomrola
