#include "FolderEdit.h"

#include <QDir>
#include <QFileInfo>

namespace pomrola {

FolderEdit::FolderEdit(QWidget* parent) : QWidget(parent)
{
    setVisible(false);
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
    const QString folder = chosen ? *chosen : start;
    afterDialog(folder);
    if (chosen)
        setText(folder);
}

}  // namespace pomrola
