// Every window's fixed layout in one table: where each control sits, in its
// parent, and what it says. Menu commands have no place; their text carries
// the shortcut after a tab, as a menu shows it.
#include "GameHarness.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

#include <optional>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

struct Placed {
    const char* window;
    const char* name;
    std::optional<QRect> geometry;  // an invalid size: only the top-left is fixed
    std::optional<QString> text;
};

const Placed Layout[] = {
    // A window and the main window's client area are placed by the system: only their size counts.
    {"Form1", "client", QRect(0, 0, 399, 432), std::nullopt},
    {"Form1", "ScorePanel", QRect(0, 0, 201, 29), std::nullopt},
    {"Form1", "MovesPanel", QRect(202, 0, 197, 29), std::nullopt},
    {"Form1", "BoardPanel", QRect(0, 31, 401, 400), std::nullopt},
    {"Form1", "RxLabel6", QRect(1, 1, 118, 27), QStringLiteral("С Ч Е Т")},
    {"Form1", "RxLabel3", QRect(119, 1, 81, 27), QStringLiteral("0")},
    {"Form1", "RxLabel4", QRect(1, 1, 77, 27), std::nullopt},  // the dealt game's move count
    {"Form1", "RxLabel2", QRect(78, 1, 118, 27), QStringLiteral("ОСТАЛОСЬ")},
    {"Form1", "Game", std::nullopt, QStringLiteral("Игра")},
    {"Form1", "Hlp", std::nullopt, QStringLiteral("?")},
    {"Form1", "MnuNew", std::nullopt, QStringLiteral("Заново\tF4")},
    {"Form1", "MnuSave", std::nullopt, QStringLiteral("Сохранить\tF2")},
    {"Form1", "MnuLoad", std::nullopt, QStringLiteral("Загрузить\tF3")},
    {"Form1", "MnuRec", std::nullopt, QStringLiteral("Рекорды\tF5")},
    {"Form1", "N4", std::nullopt, QStringLiteral("На этой машине")},
    {"Form1", "N5", std::nullopt, QStringLiteral("По сети")},
    {"Form1", "MnuExit", std::nullopt, QStringLiteral("Вы&ход\tCtrl+X")},
    {"Form1", "MnuHelp", std::nullopt, QStringLiteral("Правила игры")},
    {"Form1", "MnuAbout", std::nullopt, QStringLiteral("О программе")},

    {"HelpForm", "HelpForm", QRect(0, 0, 449, 329), QStringLiteral("Правила игры")},
    {"HelpForm", "RxLabel1", QRect(QPoint(98, 12), QSize()),  // sized to its font
     QStringLiteral("игра   П О М Р О Л А ")},
    {"HelpForm", "SpeedButton1", QRect(46, 294, 368, 32), QStringLiteral("Закрыть")},
    {"HelpForm", "RichEdit1", QRect(8, 56, 433, 233), std::nullopt},

    {"ReclamaForm", "ReclamaForm", QRect(0, 0, 442, 248), QStringLiteral("Ваша реклама")},
    {"ReclamaForm", "RxLabel1", QRect(0, 0, 442, 145), QStringLiteral("А это место\nдля Вашей рекламы")},
    {"ReclamaForm", "RxLabel2", QRect(0, 145, 442, 88), std::nullopt},
    {"ReclamaForm", "Label1", QRect(0, 233, 442, 15), QStringLiteral("Нажмите любую клавишу")},

    {"AboutForm", "AboutForm", QRect(0, 0, 287, 256), std::nullopt},
    {"AboutForm", "Image1", QRect(8, 8, 85, 84), std::nullopt},
    {"AboutForm", "SP", QRect(0, 104, 287, 95), std::nullopt},
};

QString TextOf(const QObject& control)
{
    if (const auto* menu = qobject_cast<const QMenu*>(&control))
        return menu->title();
    if (const auto* widget = qobject_cast<const QWidget*>(&control); widget && widget->isWindow())
        return widget->windowTitle();
    if (const auto* action = qobject_cast<const QAction*>(&control)) {
        const QString shortcut = action->shortcut().toString(QKeySequence::PortableText);
        return shortcut.isEmpty() ? action->text() : action->text() + QLatin1Char('\t') + shortcut;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return button->text();
    if (const auto* label = qobject_cast<const ShadowLabel*>(&control))
        return label->text();
    return control.property("text").toString();
}

QRect PlaceOf(const QWidget& control)
{
    const bool placedBySystem = control.isWindow() || control.objectName() == QLatin1String("client");
    return placedBySystem ? control.rect() : control.geometry();
}

class WindowLayout : public ::testing::TestWithParam<const char*> {};

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowLayout, ::testing::Values("Form1", "HelpForm", "ReclamaForm", "AboutForm"),
                         [](const auto& window) { return std::string(window.param); });

TEST_P(WindowLayout, EveryControlHasItsPlaceAndText)
{
    GameHarness harness;
    QWidget& main = harness.window();  // the other windows are its children
    QWidget& window = main.objectName() == GetParam() ? main : *Control<QWidget>(main, GetParam());
    window.show();  // as the player sees it: the rules text is made when first shown
    for (const Placed& placed : Layout) {
        if (qstrcmp(placed.window, GetParam()) != 0)
            continue;
        SCOPED_TRACE(placed.name);
        const QObject* control = window.objectName() == QLatin1String(placed.name)
                                     ? &window
                                     : window.findChild<QObject*>(QLatin1String(placed.name));
        ASSERT_NE(control, nullptr);
        if (placed.geometry) {
            const QRect place = PlaceOf(*qobject_cast<const QWidget*>(control));
            if (placed.geometry->size().isValid()) {
                EXPECT_EQ(place, *placed.geometry);
            } else {
                EXPECT_EQ(place.topLeft(), placed.geometry->topLeft());
            }
        }
        if (placed.text) {
            EXPECT_EQ(TextOf(*control).toStdString(), placed.text->toStdString());
        }
    }
}

}  // namespace
