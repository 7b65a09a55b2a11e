#include "QtPlatform.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

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
                // Under Wine the dialog is not always the active one: any visible
                // modal window will do.
                QWidget* box = QApplication::activeModalWidget();
                for (QWidget* window : QApplication::topLevelWidgets())
                    box = !box && window->isVisible() && window->isModal() ? window : box;
                if (!box)
                    return;
                if (++looks == 2)
                    seen = box->frameGeometry().center();
                if (looks >= 2)
                    box->close();
            });
            watch.start(50);
            dialog();
            EXPECT_LE((seen - middle).manhattanLength(), 3) << "main window shown: " << shown;
        }
    }
}

// File work on a slow share runs aside: the window's timers and painting go
// on, and a read that never ends is given up after its limit.
TEST(QtDialogs, WorkAsideKeepsTheWindowAliveAndIsGivenUpAfterItsLimit)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows does the work on the window's thread";
#endif
    int ticks = 0;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&ticks] { ++ticks; });
    painter.start(10);
    auto sleepFor = [](std::shared_ptr<std::atomic_int> ms) {
        return [ms] {
            for (; *ms > 0; *ms -= 5)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
    };
    EXPECT_TRUE(QtPlatform().runAside(sleepFor(std::make_shared<std::atomic_int>(300)), -1));
    EXPECT_GE(ticks, 10);
    auto stuck = std::make_shared<std::atomic_int>(1 << 30);
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(QtPlatform().runAside(sleepFor(stuck), 100));
    EXPECT_LT(waited.elapsed(), 1000);
    // Its late end touches nothing of the wait it left (the sanitizers would tell).
    *stuck = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    QCoreApplication::processEvents();

    // Started, it runs while the caller goes on; the caller waits for it later.
    auto callerWentOn = std::make_shared<std::atomic_bool>(false);
    auto sawIt = std::make_shared<std::atomic_bool>(false);
    const std::unique_ptr<AsideWork> started = QtPlatform().startAside([callerWentOn, sawIt] {
        for (int ms = 0; ms < 2000 && !*sawIt; ms += 5) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            *sawIt = callerWentOn->load();
        }
    });
    *callerWentOn = true;
    EXPECT_TRUE(started->wait(5000));
    EXPECT_TRUE(*sawIt);
    EXPECT_TRUE(started->wait(0));  // an ended work answers at once
}

TEST(QtDialogs, QtsOwnButtonsAndDialogsSpeakRussian)
{
    ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()))
        << "qtbase_ru.qm not found in " << QtTranslationFolders().join(QStringLiteral(", ")).toStdString();

    const auto text = [](const QAbstractButton* button) { return button->text().remove(QLatin1Char('&')); };
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(text(buttons.button(QDialogButtonBox::Cancel)), QStringLiteral("Отмена"));

    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Pomrola '99"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(text(box.button(QMessageBox::Yes)), QStringLiteral("Да"));
    EXPECT_EQ(text(box.button(QMessageBox::No)), QStringLiteral("Нет"));

    // The folder dialog as the records-folder command opens it.
    QFileDialog folders;
    folders.setOption(QFileDialog::DontUseNativeDialog);
    folders.setFileMode(QFileDialog::Directory);
    folders.setOption(QFileDialog::ShowDirsOnly);
    EXPECT_EQ(folders.windowTitle(), QStringLiteral("Найти каталог"));
    auto* dialogButtons = folders.findChild<QDialogButtonBox*>();
    ASSERT_NE(dialogButtons, nullptr);
    EXPECT_EQ(text(dialogButtons->button(QDialogButtonBox::Open)), QStringLiteral("Выбрать"));
    EXPECT_EQ(text(dialogButtons->button(QDialogButtonBox::Cancel)), QStringLiteral("Отмена"));
}

}  // namespace
