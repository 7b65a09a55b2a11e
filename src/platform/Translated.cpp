#include "Translated.h"

#include <QCoreApplication>

namespace pomrola {

QString Translated(const char* context, const QString& source)
{
    if (source.trimmed().isEmpty())
        return source;
    return QCoreApplication::translate(context, source.toUtf8().constData());
}

QStringList Translated(const char* context, const QStringList& sources)
{
    QStringList texts;
    texts.reserve(sources.size());
    for (const QString& source : sources)
        texts << Translated(context, source);
    return texts;
}

}  // namespace pomrola
