#pragma once

#include <QDialog>

class QTextEdit;
class QToolButton;

namespace pomrola {

class ShadowLabel;

// The rules window. Only its "Закрыть" button closes it: Enter and Esc do not.
class THelpForm : public QDialog {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);

    static const QStringList RulesText;

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SpeedButton1Click();
    // A text control lays out its empty page in the application's font as it
    // is made, a font nothing else loads before the main window shows: the
    // rules are made when the window is first shown.
    void buildRules();

    ShadowLabel* RxLabel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
};

}  // namespace pomrola
