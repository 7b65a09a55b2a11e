#include "RecordsFolderMessage.h"

#include <QCoreApplication>

namespace pomrola {

QString RecordsFolderMessage(const QString& recordsDir, bool startUp)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("RecordsFolderMessage", text); };
    const QString lineBreak = QStringLiteral("\n\r");
    return tr("Не могу найти файл рекордов в каталоге : ") + recordsDir +
           (startUp ? QStringLiteral("!") : QStringLiteral(" !")) + (startUp ? lineBreak : lineBreak + lineBreak) +
           tr("Проверте правильность указания каталога") + lineBreak + tr(" в меню: ") +
           (startUp ? tr("\"Игра|Файл рекордов\"") : tr("\"Игра | Файл рекордов\""));
}

}  // namespace pomrola
