#include "SavedGameText.h"

#include "ParseWholeNumber.h"

#include <optional>

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

QByteArray EncodeSavedGameValues(const std::vector<std::int32_t>& values)
{
    QByteArray file;
    for (std::int32_t value : values)
        file += QByteArray::number(value) + "\r\n";
    return file;
}

SavedGameValues DecodeSavedGameValues(const QByteArray& file)
{
    SavedGameValues result;
    TextReader reader(file);
    std::int32_t value = 0;
    for (int i = 0; i < 2; ++i) {
        if (!reader.readNumberLine(value))
            return result;
        result.values.push_back(value);
    }
    while (static_cast<int>(result.values.size()) < SavedGameValueCount) {
        const std::optional<QByteArray> line = reader.readLine();
        if (!line || !ParseWholeNumber(*line, value))
            return result;
        result.values.push_back(value);
    }
    result.complete = true;
    return result;
}

}  // namespace pomrola
