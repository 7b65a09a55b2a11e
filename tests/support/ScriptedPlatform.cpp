#include "ScriptedPlatform.h"

#include <QCoreApplication>
#include <QDialog>

namespace pomrola::testing {

namespace {

std::optional<QString> Next(std::deque<std::optional<QString>>& answers)
{
    std::optional<QString> answer;
    if (!answers.empty()) {
        answer.swap(answers.front());
        answers.pop_front();
    }
    return answer;
}

}  // namespace

QString ScriptedPlatform::inputBox(QWidget*, const QString& caption, const QString& prompt, const QString& initial)
{
    inputCalls.push_back({caption, prompt, initial});
    const std::optional<QString> answer = Next(inputAnswers);
    return answer ? answer->left(255) : initial;
}

void ScriptedPlatform::showMessage(QWidget*, const QString& text)
{
    messages << text;
}

std::optional<QString> ScriptedPlatform::openFileName(QWidget*, const FileDialogRequest& request)
{
    openRequests.push_back(request);
    return Next(openAnswers);
}

std::optional<QString> ScriptedPlatform::saveFileName(QWidget*, const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return Next(saveAnswers);
}

bool ScriptedPlatform::confirmOverwrite(QWidget*, const QString& path)
{
    overwriteQuestions << path;
    if (overwriteAnswers.empty())
        return false;
    const bool answer = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPlatform::chooseFolder(QWidget*, const QString& startFolder)
{
    folderStarts << startFolder;
    return Next(folderAnswers);
}

void ScriptedPlatform::showModal(QDialog& window)
{
    modals.push_back({window.objectName(), window.windowTitle()});
    window.show();
    QCoreApplication::processEvents();
    if (onModal)
        onModal(window);
    window.hide();
}

void ScriptedPlatform::beep()
{
    ++beeps;
}

std::uint32_t ScriptedPlatform::utcMillisecondsOfDay()
{
    return clock;
}

void ScriptedPlatform::pause(int milliseconds)
{
    pauses.push_back(milliseconds);
    QCoreApplication::processEvents();
    if (onPause)
        onPause(milliseconds);
}

QStringList ScriptedPlatform::modalNames() const
{
    QStringList names;
    for (const ModalCall& call : modals)
        names << call.objectName;
    return names;
}

std::unique_ptr<AsideWork> ScriptedPlatform::startAside(std::function<void()> work)
{
    work();
    return std::make_unique<EndedWork>();
}

}  // namespace pomrola::testing
