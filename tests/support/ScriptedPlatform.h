#pragma once

#include "Platform.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace pomrola::testing {

// A platform that answers dialogs from a script, keeps a log of what the
// program asked for, pins the clock and never blocks in a modal loop.
class ScriptedPlatform final : public Platform {
public:
    struct InputCall {
        QString caption, prompt, initial;
    };
    struct ModalCall {
        QString objectName, caption;
    };

    // Answers, taken in order; nothing (or an empty script) means Cancel.
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    // Answers to "replace the existing file?"; an empty script answers no.
    std::deque<bool> overwriteAnswers;
    std::uint32_t clock = 0;
    int pinnedPlatformId = PlatformId();

    // Called during each pause, and while each modal window is shown.
    std::function<void(int milliseconds)> onPause;
    std::function<void(QDialog& window)> onModal;

    std::vector<InputCall> inputCalls;
    QStringList messages;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    QStringList folderStarts;
    QStringList overwriteQuestions;
    std::vector<ModalCall> modals;
    std::vector<int> pauses;
    int beeps = 0;

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
    // Runs the work at once, on this thread.
    std::unique_ptr<AsideWork> startAside(std::function<void()> work) override;
    int platformId() const override { return pinnedPlatformId; }

    QStringList modalNames() const;
};

}  // namespace pomrola::testing
