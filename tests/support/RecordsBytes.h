#pragma once

#include <QByteArray>

namespace pomrola::testing {

// A records-file line as the file stores it, written out here by hand rather
// than by the writer under test: every byte b as (256 - b) mod 256, then CR LF.
inline QByteArray ScrambledLine(const QByteArray& text)
{
    QByteArray bytes = text;
    for (char& c : bytes)
        c = static_cast<char>(-static_cast<unsigned char>(c));
    return bytes + "\r\n";
}

}  // namespace pomrola::testing
