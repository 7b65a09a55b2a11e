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
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    QWidget main;
    main.setGeometry(0, 0, 399, 450);  // in a corner
    const std::function<void()> dialogs[] = {
        [&main] { QtPlatform().showMessage(&main, QStringLiteral("Файл рекордов не найден")); },
        [&main] { QtPlatform().inputBox(&main, QStringLiteral("Ваше имя ?"), QString(), QString()); },
        [&main] { QtPlatform().chooseFolder(&main, QDir::tempPath()); },
    };
    for (const bool shown : {false, true}) {
        main.setVisible(shown);
        for (const auto& dialog : dialogs) {
            QPoint seen;
            int looks = 0;
            QTimer watch;  // the second look finds the dialog placed, and closes it
            QObject::connect(&watch, &QTimer::timeout, [&] {
                if (QWidget* box = QApplication::activeModalWidget(); box && ++looks == 2) {
                    seen = box->frameGeometry().center();
                    box->close();
                }
            });
            watch.start(50);
            dialog();
            EXPECT_LE((seen - middle).manhattanLength(), 3) << "main window shown: " << shown;
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
