#include "RecordsFolderMessage.h"

namespace pomrola {

QString RecordsFolderMessage(const QString& recordsDir, bool startUp)
{
    const QString lineBreak = QStringLiteral("\n\r");
    return QStringLiteral("Не могу найти файл рекордов в каталоге : ") + recordsDir +
           (startUp ? QStringLiteral("!") : QStringLiteral(" !")) + (startUp ? lineBreak : lineBreak + lineBreak) +
           QStringLiteral("Проверте правильность указания каталога") + lineBreak + QStringLiteral(" в меню: ") +
           (startUp ? QStringLiteral("\"Игра|Файл рекордов\"") : QStringLiteral("\"Игра | Файл рекордов\""));
}

}  // namespace pomrola
