#pragma once

#include <QStringList>

namespace pomrola {

// The interface language the player asked for: "--lang en" (or "--lang=en")
// on the command line wins over Language in the settings file. The answer is
// lower case and trimmed; empty when neither asks for one.
QString ChosenLanguage(const QStringList& arguments, const QString& fromSettings);

}  // namespace pomrola
