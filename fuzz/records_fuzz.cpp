// Any bytes as a records file: the reader never reads out of bounds, and what
// it took over writes out and reads back as the same table.
#include "RecordsCodec.h"

#include <cstdlib>

using namespace pomrola;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RecordsTable table{};
    DecodeRecords(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), table);
    const QByteArray written = EncodeRecords(table);
    RecordsTable again{};
    if (!DecodeRecords(written, again).ok || EncodeRecords(again) != written)
        std::abort();
    return 0;
}
