#include "LanguageChoice.h"

namespace pomrola {

QString ChosenLanguage(const QStringList& arguments, const QString& fromSettings)
{
    const QString option = QStringLiteral("--lang");
    const QString withValue = option + QLatin1Char('=');
    QString chosen = fromSettings;
    // arguments[0] is the program itself; the last option given counts.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            chosen = arguments[++i];
        else if (arguments[i].startsWith(withValue))
            chosen = arguments[i].mid(withValue.size());
    }
    return chosen.trimmed().toLower();
}

}  // namespace pomrola
