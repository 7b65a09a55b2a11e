// Any bytes as a records file: the reader never reads out of bounds, and every
// entry it took, with the 15 bytes of its name that the table keeps, writes
// out and reads back the same.
#include "RecordLine.h"

#include <cstdlib>

using namespace pomrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr int MaxLines = 20;
    constexpr int KeptNameBytes = 15;
    const auto lines =
        DecodeRecordLines(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), MaxLines);
    if (lines.size() > MaxLines)
        std::abort();
    for (const auto& line : lines) {
        if (!line || !line->scoreRead)
            continue;
        QByteArray name = line->name.left(KeptNameBytes);
        const auto again = DecodeRecordLines(EncodeRecordLine(name, line->score), MaxLines);
        name.replace('\r', ' ').replace('\n', ' ');
        if (again.size() != 1 || !again[0] || !again[0]->scoreRead || again[0]->name != name ||
            again[0]->score != line->score)
            std::abort();
    }
    return 0;
}
