#include "Announcer.h"

#include <QAccessible>

namespace pomrola {

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    setVisible(false);
}

void Announcer::announce(const QString& text)
{
    text_ = text;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    // Orca speaks a notification at every change of its showing state, off as
    // well as on: it is shown once and then only said to be shown again.
    if (!isVisible()) {
        setVisible(true);
    } else {
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

}  // namespace pomrola
