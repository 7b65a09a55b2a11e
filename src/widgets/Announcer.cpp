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
    setVisible(false);
    text_ = text;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    setVisible(true);
}

}  // namespace pomrola
