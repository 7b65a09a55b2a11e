#pragma once

#include <QDialog>

class QLabel;

namespace pomrola {

class ShadowLabel;

// The advertisement window: any key or a click anywhere closes it.
class TReclamaForm : public QDialog {
    Q_OBJECT
public:
    explicit TReclamaForm(QWidget* parent = nullptr);

    static const QString ContactAddress;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RxLabel1Click();
    void FormKeyDown();

    ShadowLabel* RxLabel1 = nullptr;
    ShadowLabel* RxLabel2 = nullptr;
    ShadowLabel* Label1 = nullptr;
};

}  // namespace pomrola
