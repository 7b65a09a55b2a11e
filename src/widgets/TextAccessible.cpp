#include "TextAccessible.h"

#include "ReaderName.h"

#include <QWidget>

namespace pomrola {

TextAccessible::TextAccessible(QWidget* widget, QAccessible::Role role, TextOf textOf)
    : QAccessibleWidget(widget, role), textOf_(textOf)
{}

QString TextAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        const QString name = ReaderName(*widget());
        return name.isEmpty() ? textOf_(*widget()) : name;
    }
    return QAccessibleWidget::text(type);
}

QAccessible::State TextAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
}

}  // namespace pomrola
