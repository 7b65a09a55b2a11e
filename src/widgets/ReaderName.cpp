#include "ReaderName.h"

#include <QVariant>
#include <QWidget>

namespace pomrola {

namespace {
constexpr char Property[] = "pomrolaReaderName";
}

void SetReaderName(QWidget& widget, const QString& name)
{
    widget.setProperty(Property, name);
}

QString ReaderName(const QWidget& widget)
{
    return widget.property(Property).toString();
}

}  // namespace pomrola
