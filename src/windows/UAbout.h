#pragma once

#include "VerInfo.h"

#include <QCoreApplication>
#include <QDialog>

#include <memory>

class QLabel;
class QToolButton;

namespace pomrola {

class BevelPanel;
class Platform;
class ScrollPanel;

// The about window: title, version and copyright read from the executable's
// version information, the target and running system, a logo and a panel of
// scrolling text.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(Platform& platform, QWidget* parent = nullptr,
                        const QString& executablePath = QCoreApplication::applicationFilePath());
    ~TAboutForm() override;

    static const QStringList ScrollLines;

    bool hasVersionReader() const { return VersionReader != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void FormCreate(Platform& platform, const QString& executablePath);
    void FormShow();
    void FormClose();
    void SpeedButton1Click();

    QLabel* Image1 = nullptr;
    QLabel* LName = nullptr;
    QLabel* LVersion = nullptr;
    QLabel* LCopy = nullptr;
    BevelPanel* Bevel1 = nullptr;
    ScrollPanel* SP = nullptr;
    BevelPanel* Bevel2 = nullptr;
    QLabel* LOs = nullptr;
    QLabel* LSystem = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    std::unique_ptr<TVerInfoRes> VersionReader;
    Platform& platform_;
};

}  // namespace pomrola
