#pragma once

#include <QWidget>

namespace pomrola {

// A notification for screen readers, never seen: a widget of no size whose
// text is given to the reader each time it is said to be shown (on AT-SPI a
// "notification" whose state turns "showing", which Orca speaks, after a name
// change that any listener can read). Qt 6.4 has no announcement event.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void announce(const QString& text);

private:
    QString text_;
};

}  // namespace pomrola
