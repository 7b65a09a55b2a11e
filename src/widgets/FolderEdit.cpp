#include "FolderEdit.h"

#include <QDir>
#include <QFileInfo>

namespace pomrola {

FolderEdit::FolderEdit(QWidget* parent) : QLineEdit(parent)
{
    setVisible(false);
}

QString FolderEdit::WithoutTrailingSeparator(const QString& folder)
{
    QString native = QDir::toNativeSeparators(folder);
    const bool root = QDir(native).isRoot() || (native.size() == 3 && native[1] == QLatin1Char(':'));
    while (!root && native.size() > 1 && native.endsWith(QDir::separator()))
        native.chop(1);
    return native;
}

void FolderEdit::runDialog(const FolderDialog& chooseFolder, const std::function<void()>& beforeDialog,
                           const std::function<void(const QString&)>& afterDialog)
{
    QString start = text();
    beforeDialog();
    const QString root(QDir::separator());
    if (start.isEmpty())
        start = initialDir_.isEmpty() ? root : initialDir_;
    if (!QFileInfo(start).isDir())
        start = root;

    const std::optional<QString> chosen = chooseFolder(window(), start);
    const QString folder = chosen ? WithoutTrailingSeparator(*chosen) : start;
    afterDialog(folder);
    if (chosen)
        setText(folder);
}

}  // namespace pomrola
