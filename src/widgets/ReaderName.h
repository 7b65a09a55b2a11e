#pragma once

#include <QString>

class QWidget;

namespace pomrola {

// A name a screen reader gives a control in place of the text it draws (or
// for a panel that draws none). Unlike QWidget::setAccessibleName, setting it
// builds no accessibility object, so a game without a reader pays nothing.
void SetReaderName(QWidget& widget, const QString& name);
QString ReaderName(const QWidget& widget);

}  // namespace pomrola
