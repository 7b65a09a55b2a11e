#pragma once

#include <QWidget>

#include <functional>
#include <optional>

namespace pomrola {

// A hidden folder-choice edit: it remembers the last folder accepted in its
// dialog (its text) and an initial folder that the owner sets before each
// dialog. Never shown, it keeps its text itself: a line edit lays out its text
// as it is made, in the application's font, which nothing shown at start-up uses.
class FolderEdit : public QWidget {
    Q_OBJECT
public:
    explicit FolderEdit(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& folder) { text_ = folder; }
    QString initialDir() const { return initialDir_; }
    void setInitialDir(const QString& folder) { initialDir_ = folder; }

    // Opens the folder dialog at the start folder (the text, else the initial
    // folder, else the root; the root too when that folder does not exist),
    // then calls `afterDialog` with the chosen folder, or with the start folder
    // when the dialog was cancelled. Only an accepted folder becomes the text.
    // The dialog itself is the owner's, so that tests can answer it.
    using FolderDialog = std::function<std::optional<QString>(QWidget* parent, const QString& start)>;
    void runDialog(const FolderDialog& chooseFolder, const std::function<void()>& beforeDialog,
                   const std::function<void(const QString&)>& afterDialog);

private:
    QString initialDir_;
    QString text_;
};

}  // namespace pomrola
