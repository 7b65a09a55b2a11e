#pragma once

#include <QAccessibleWidget>

namespace pomrola {

// Owner-drawn controls (shadow labels, bevel panels, the scrolling panel, the
// owner-drawn list, the announcer) as a screen reader reads them: the text
// they draw as their name, unless the window gave them a name of its own
// (QWidget::accessibleName, else ReaderName).
class TextAccessible : public QAccessibleWidget {
public:
    using TextOf = QString (*)(const QWidget& widget);

    TextAccessible(QWidget* widget, QAccessible::Role role, TextOf textOf);

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

private:
    TextOf textOf_;
};

}  // namespace pomrola
