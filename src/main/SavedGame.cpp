#include "SavedGame.h"

#include "ParseWholeNumber.h"

#include <algorithm>

namespace pomrola {

namespace {

// Reads the file as a text reader does: numbers separated by blanks and
// line ends, and whole lines.
class TextReader {
public:
    explicit TextReader(const QByteArray& bytes) : bytes_(bytes) {}

    // The next number after blanks, tabs and empty lines; the rest of its line
    // is skipped. At the end of the file it reads as 0.
    bool readNumberLine(std::int32_t& value)
    {
        while (pos_ < bytes_.size() && static_cast<unsigned char>(bytes_[pos_]) <= ' ')
            ++pos_;
        if (pos_ >= bytes_.size()) {
            value = 0;
            return true;
        }
        const qsizetype start = pos_;
        while (pos_ < bytes_.size() && static_cast<unsigned char>(bytes_[pos_]) > ' ')
            ++pos_;
        const bool ok = ParseWholeNumber(QByteArrayView(bytes_).sliced(start, pos_ - start), value);
        skipLine();
        return ok;
    }

    // The next whole line, or nothing at the end of the file.
    std::optional<QByteArray> readLine()
    {
        if (pos_ >= bytes_.size())
            return std::nullopt;
        const qsizetype start = pos_;
        skipLine();
        QByteArray line = bytes_.mid(start, pos_ - start);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        return line;
    }

private:
    void skipLine()
    {
        const qsizetype end = bytes_.indexOf('\n', pos_);
        pos_ = end < 0 ? bytes_.size() : end + 1;
    }

    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

}  // namespace

QByteArray EncodeSavedGame(const GameState& game)
{
    QByteArray file;
    auto line = [&file](std::int32_t value) { file += QByteArray::number(value) + "\r\n"; };
    line(game.Score);
    line(game.MovesLeft);
    for (int row = 1; row <= BoardSize; ++row)
        for (int column = 1; column <= BoardSize; ++column)
            line(game.board.at(column, row));
    return file;
}

bool DecodeSavedGame(const QByteArray& file, GameState& game)
{
    TextReader reader(file);
    std::int32_t value = 0;
    if (!reader.readNumberLine(value))
        return false;
    game.Score = value;
    if (!reader.readNumberLine(value))
        return false;
    game.MovesLeft = value;
    for (int row = 1; row <= BoardSize; ++row) {
        for (int column = 1; column <= BoardSize; ++column) {
            const std::optional<QByteArray> line = reader.readLine();
            if (!line || !ParseWholeNumber(*line, value))
                return false;
            game.board.at(column, row) = value;
        }
    }
    return true;
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
