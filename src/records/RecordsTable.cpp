#include "RecordsTable.h"

#include <utility>

namespace pomrola {

QByteArray RecordName(const QByteArray& name)
{
    return name.left(RecordNameLength);
}

void MatrSortir(RecordsTable& table)
{
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 1; i < table.size(); ++i) {
            if (table[i].score > table[i - 1].score) {
                std::swap(table[i], table[i - 1]);
                swapped = true;
            }
        }
    }
}

bool EnterResult(RecordsTable& table, const QByteArray& name, std::int32_t score)
{
    if (score <= 0)
        return false;
    MatrSortir(table);
    RecordEntry* slot = nullptr;
    for (RecordEntry& entry : table) {
        if (entry.isEmpty()) {
            slot = &entry;
            break;
        }
    }
    if (!slot && score >= table.back().score)
        slot = &table.back();
    if (!slot)
        return false;
    *slot = RecordEntry{RecordName(name), score};
    MatrSortir(table);
    return true;
}

std::vector<RecordEntry> ShownEntries(const RecordsTable& table)
{
    std::vector<RecordEntry> shown;
    for (const RecordEntry& entry : table) {
        if (entry.isEmpty())
            break;
        shown.push_back(entry);
    }
    return shown;
}

}  // namespace pomrola
