// Every window's fixed layout in one table: where each control sits, in its
// parent, and what it says. Menu commands have no place; their text carries
// the shortcut after a tab, as a menu shows it.
#include "GameHarness.h"
#include "ShadowLabel.h"
#include "UAbout.h"
#include "UHelp.h"
#include "UReclama.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <optional>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

enum class Window { Main, Rules, Advertisement, About };

struct Placed {
    Window window;
    const char* name;
    std::optional<QRect> geometry;  // an invalid size: only the top-left is fixed
    std::optional<QString> text;
};

const Placed Layout[] = {
    // A window and the main window's client area are placed by the system: only their size counts.
    {Window::Main, "client", QRect(0, 0, 399, 432), std::nullopt},
    {Window::Main, "ScorePanel", QRect(0, 0, 201, 29), std::nullopt},
    {Window::Main, "MovesPanel", QRect(202, 0, 197, 29), std::nullopt},
    {Window::Main, "BoardPanel", QRect(0, 31, 401, 400), std::nullopt},
    {Window::Main, "RxLabel6", QRect(1, 1, 118, 27), QStringLiteral("С Ч Е Т")},
    {Window::Main, "RxLabel3", QRect(119, 1, 81, 27), QStringLiteral("0")},
    {Window::Main, "RxLabel4", QRect(1, 1, 77, 27), std::nullopt},  // the dealt game's move count
    {Window::Main, "RxLabel2", QRect(78, 1, 118, 27), QStringLiteral("ОСТАЛОСЬ")},
    {Window::Main, "Game", std::nullopt, QStringLiteral("Игра")},
    {Window::Main, "Hlp", std::nullopt, QStringLiteral("?")},
    {Window::Main, "MnuNew", std::nullopt, QStringLiteral("Заново\tF4")},
    {Window::Main, "MnuSave", std::nullopt, QStringLiteral("Сохранить\tF2")},
    {Window::Main, "MnuLoad", std::nullopt, QStringLiteral("Загрузить\tF3")},
    {Window::Main, "MnuRec", std::nullopt, QStringLiteral("Рекорды\tF5")},
    {Window::Main, "N4", std::nullopt, QStringLiteral("На этой машине")},
    {Window::Main, "N5", std::nullopt, QStringLiteral("По сети")},
    {Window::Main, "MnuExit", std::nullopt, QStringLiteral("Вы&ход\tCtrl+X")},
    {Window::Main, "MnuHelp", std::nullopt, QStringLiteral("Правила игры")},
    {Window::Main, "MnuAbout", std::nullopt, QStringLiteral("О программе")},

    {Window::Rules, "HelpForm", QRect(0, 0, 449, 329), QStringLiteral("Правила игры")},
    {Window::Rules, "RxLabel1", QRect(QPoint(98, 12), QSize()),  // sized to its font
     QStringLiteral("игра   П О М Р О Л А ")},
    {Window::Rules, "SpeedButton1", QRect(46, 294, 368, 32), QStringLiteral("Закрыть")},
    {Window::Rules, "RichEdit1", QRect(8, 56, 433, 233), std::nullopt},

    {Window::Advertisement, "ReclamaForm", QRect(0, 0, 442, 248), QStringLiteral("Ваша реклама")},
    {Window::Advertisement, "RxLabel1", QRect(0, 0, 442, 145), QStringLiteral("А это место\nдля Вашей рекламы")},
    {Window::Advertisement, "RxLabel2", QRect(0, 145, 442, 88), std::nullopt},
    {Window::Advertisement, "Label1", QRect(0, 233, 442, 15), QStringLiteral("Нажмите любую клавишу")},

    {Window::About, "AboutForm", QRect(0, 0, 287, 256), std::nullopt},
    {Window::About, "Image1", QRect(8, 8, 85, 84), std::nullopt},
    {Window::About, "SP", QRect(0, 104, 287, 95), std::nullopt},
};

QWidget& WindowOf(GameHarness& harness, Window window)
{
    switch (window) {
    case Window::Main: return harness.window();
    case Window::Rules: return *harness.helpForm;
    case Window::Advertisement: return *harness.reclamaForm;
    case Window::About: return *harness.aboutForm;
    }
    return harness.window();
}

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

std::string WindowName(const ::testing::TestParamInfo<Window>& window)
{
    const char* names[] = {"Main", "Rules", "Advertisement", "About"};
    return names[static_cast<int>(window.param)];
}

class WindowLayout : public ::testing::TestWithParam<Window> {};

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowLayout,
                         ::testing::Values(Window::Main, Window::Rules, Window::Advertisement, Window::About),
                         WindowName);

TEST_P(WindowLayout, EveryControlHasItsPlaceAndText)
{
    GameHarness harness;
    const QWidget& window = WindowOf(harness, GetParam());
    for (const Placed& placed : Layout) {
        if (placed.window != GetParam())
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
