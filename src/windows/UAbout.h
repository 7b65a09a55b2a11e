#pragma once

#include <QDialog>

namespace pomrola {

// The about window.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
};

}  // namespace pomrola
