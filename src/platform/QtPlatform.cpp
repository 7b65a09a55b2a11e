#include "QtPlatform.h"

#include "CentreOnScreenOnce.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <memory>
#include <mutex>

namespace pomrola {

namespace {

constexpr int InputBoxMaxLength = 255;

#ifndef Q_OS_WIN
// Work on a thread of Qt's own (Qt's per-thread data must be set up for the
// work and torn down after it); one stuck in an unreachable share is left to
// end on its own and deletes itself then.
class ThreadWork final : public AsideWork {
public:
    explicit ThreadWork(std::function<void()> work) : state_(std::make_shared<State>())
    {
        // The worker wakes the waiting loop as soon as it ends; the loop it
        // wakes is forgotten under the lock before it goes, so a worker left
        // running past the limit never touches it.
        QThread* aside = QThread::create([work = std::move(work), state = state_] {
            work();
            const std::lock_guard lock(state->mutex);
            state->finished = true;
            if (state->loop)
                QMetaObject::invokeMethod(state->loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        QObject::connect(aside, &QThread::finished, aside, &QObject::deleteLater);
        aside->start();
    }

    bool wait(int limitMs) override
    {
        QEventLoop loop;
        {
            const std::lock_guard lock(state_->mutex);
            if (state_->finished)
                return true;
            state_->loop = &loop;
        }
        QTimer limit;
        if (limitMs >= 0) {
            limit.setSingleShot(true);
            QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
            limit.start(limitMs);
        }
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        const std::lock_guard lock(state_->mutex);
        state_->loop = nullptr;
        return state_->finished;
    }

private:
    struct State {
        std::mutex mutex;
        QEventLoop* loop = nullptr;
        bool finished = false;
    };
    std::shared_ptr<State> state_;
};
#endif

// An empty answer is how the desktop dialogs say "cancelled".
std::optional<QString> Chosen(const QString& answer)
{
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

using FileDialog = QString (*)(QWidget*, const QString&, const QString&, const QString&, QString*,
                               QFileDialog::Options);

std::optional<QString> RunFileDialog(FileDialog dialog, QWidget* parent, const FileDialogRequest& request)
{
    return Chosen(dialog(parent, QString(), request.fileName, ToQtNameFilters(request.filter), nullptr, {}));
}

}  // namespace

QString ToQtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters.join(QStringLiteral(";;"));
}

QString QtPlatform::inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial)
{
    QInputDialog dialog(parent);
    CentreOnScreenWhenShown(dialog);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(InputBoxMaxLength);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : initial;
}

void QtPlatform::showMessage(QWidget* parent, const QString& text)
{
    // Owned by a window that is not shown yet (at start-up), the box would
    // have no task-bar button: it then stands alone.
    QWidget* owner = parent && parent->window()->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, owner);
    CentreOnScreenWhenShown(box);
    box.exec();
}

std::optional<QString> QtPlatform::openFileName(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(&QFileDialog::getOpenFileName, parent, request);
}

std::optional<QString> QtPlatform::saveFileName(QWidget* parent, const FileDialogRequest& request)
{
    return RunFileDialog(&QFileDialog::getSaveFileName, parent, request);
}

bool QtPlatform::confirmOverwrite(QWidget* parent, const QString& path)
{
    // The file dialog's own words, so Qt's Russian translation covers them.
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
            .arg(QFileInfo(path).fileName());
    return QMessageBox::warning(parent, ApplicationTitle, question, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtPlatform::chooseFolder(QWidget* parent, const QString& startFolder)
{
    QFileDialog dialog(parent, QString(), startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Where the system's own dialog is used, the system places it.
    CentreOnScreenWhenShown(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Chosen(dialog.selectedFiles().value(0));
}

void QtPlatform::showModal(QDialog& window)
{
    window.exec();
}

void QtPlatform::beep()
{
    QApplication::beep();
}

std::uint32_t QtPlatform::utcMillisecondsOfDay()
{
    return static_cast<std::uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

void QtPlatform::pause(int milliseconds)
{
    // An event loop that sleeps until the timer fires: the window keeps painting
    // and taking input, and no core is kept busy.
    QEventLoop loop;
    QTimer::singleShot(std::max(milliseconds, 0), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

std::unique_ptr<AsideWork> QtPlatform::startAside(std::function<void()> work)
{
#ifdef Q_OS_WIN
    // Under Wine a game that had run any work on a second thread hung when it
    // closed; until that is understood, Windows does the work here, as before,
    // where the system's own network timeouts bound it.
    work();
    return std::make_unique<EndedWork>();
#else
    return std::make_unique<ThreadWork>(std::move(work));
#endif
}

}  // namespace pomrola
