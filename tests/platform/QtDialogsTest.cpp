#include "QtPlatform.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace pomrola;

namespace {

// Messages, the name box and the folder dialog come up in the middle of the
// screen, before the main window is shown and after, wherever it stands.
TEST(QtDialogs, MessagesTheNameBoxAndTheFolderDialogAreCentredOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget main;
    main.setGeometry(0, 0, 399, 450);  // in a corner, far from the middle
    const std::function<void(QWidget*)> dialogs[] = {
        [](QWidget* parent) { QtPlatform().showMessage(parent, QStringLiteral("Файл рекордов не найден")); },
        [](QWidget* parent) { QtPlatform().inputBox(parent, QStringLiteral("Ваше имя ?"), QString(), QString()); },
        [](QWidget* parent) { QtPlatform().chooseFolder(parent, QDir::tempPath()); },
    };
    for (const bool shown : {false, true}) {
        main.setVisible(shown);
        for (std::size_t dialog = 0; dialog < std::size(dialogs); ++dialog) {
            QRect seen;
            QTimer watch;  // looks twice at the dialog once it is up, then closes it
            int looks = 0;
            QObject::connect(&watch, &QTimer::timeout, [&] {
                QWidget* box = QApplication::activeModalWidget();
                if (box && box->isVisible() && ++looks == 2) {
                    seen = box->frameGeometry();
                    box->close();
                }
            });
            watch.start(50);
            dialogs[dialog](&main);
            ASSERT_TRUE(seen.isValid()) << dialog;
            EXPECT_LE((seen.center() - screen.center()).manhattanLength(), 3)
                << "dialog " << dialog << (shown ? " after" : " before") << " the main window is shown: at " << seen.x()
                << "," << seen.y();
        }
    }
}

TEST(QtDialogs, QtsOwnButtonsAndDialogsSpeakRussian)
{
    ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()))
        << "qtbase_ru.qm not found in " << QtTranslationFolders().join(QStringLiteral(", ")).toStdString();

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));

    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pomrola '99"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));

    // The folder dialog as the records-folder command opens it.
    QFileDialog folders;
    folders.setOption(QFileDialog::DontUseNativeDialog);
    folders.setFileMode(QFileDialog::Directory);
    folders.setOption(QFileDialog::ShowDirsOnly);
    EXPECT_EQ(folders.windowTitle(), QStringLiteral("Найти каталог"));
    auto* dialogButtons = folders.findChild<QDialogButtonBox*>();
    ASSERT_NE(dialogButtons, nullptr);
    EXPECT_EQ(dialogButtons->button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')),
              QStringLiteral("Выбрать"));
    EXPECT_EQ(dialogButtons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Отмена"));
}

}  // namespace
