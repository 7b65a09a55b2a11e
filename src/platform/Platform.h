#pragma once

#include "VersionLibrary.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace pomrola {

// The program's title: caption of its message boxes.
inline const QString ApplicationTitle = QStringLiteral("Pomrola '99");

struct FileDialogRequest {
    QString fileName;  // proposed name, for example "*.sav"
    QString filter;    // "Description|pattern|Description|pattern"
};

// Work running away from the windows (Platform::startAside).
class AsideWork {
public:
    virtual ~AsideWork() = default;
    // Waits while the windows keep painting but take no input. Returns true
    // when the work has ended; false when `limitMs` (if not negative) passed
    // first: the work then goes on alone, and must own everything it touches.
    virtual bool wait(int limitMs) = 0;
};

// Work that ended before it was handed back.
class EndedWork final : public AsideWork {
public:
    bool wait(int /*limitMs*/) override { return true; }
};

// Everything the windows need from the outside world. The Qt implementation
// talks to the desktop; tests use a scripted one that answers from a script,
// pins the clock and does not block in modal loops.
class Platform {
public:
    virtual ~Platform() = default;

    // Returns the edited text on OK and `initial` on Cancel; at most 255 characters.
    virtual QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& initial) = 0;
    // A plain box with the application title, the text and one OK button.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The full path chosen, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // Asks before overwriting an existing file.
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // The save dialog's "replace the existing file?" question, for a file the
    // program is about to write under a name other than the one chosen.
    virtual bool confirmOverwrite(QWidget* parent, const QString& path) = 0;
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder) = 0;
    // Shows a window modally and returns when it is closed.
    virtual void showModal(QDialog& window) = 0;
    virtual void beep() = 0;
    // UTC time of day in milliseconds, 0..86,399,999.
    virtual std::uint32_t utcMillisecondsOfDay() = 0;
    // Waits while painting and input go on.
    virtual void pause(int milliseconds) = 0;
    // Starts `work` away from the windows, so that a slow or unreachable
    // share never freezes them; the caller may go on and wait for it later.
    virtual std::unique_ptr<AsideWork> startAside(std::function<void()> work) = 0;
    // Starts `work` and waits for it (AsideWork::wait).
    bool runAside(std::function<void()> work, int limitMs = -1) { return startAside(std::move(work))->wait(limitMs); }
    // The identifier of the running system's platform (see PlatformId).
    virtual int platformId() const { return PlatformId(); }
};

}  // namespace pomrola
