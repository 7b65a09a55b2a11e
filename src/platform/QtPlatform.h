#pragma once

#include "Platform.h"

namespace pomrola {

class QtPlatform final : public Platform {
public:
    QString inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override;
    void showMessage(QWidget* parent, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool confirmOverwrite(QWidget* parent, const QString& path) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder) override;
    void showModal(QDialog& window) override;
    void beep() override;
    std::uint32_t utcMillisecondsOfDay() override;
    void pause(int milliseconds) override;
    std::unique_ptr<AsideWork> startAside(std::function<void()> work) override;
};

// "Saved games|*.sav|All files|*.*" as Qt name filters: "Saved games (*.sav);;All files (*.*)".
QString ToQtNameFilters(const QString& filter);

}  // namespace pomrola
