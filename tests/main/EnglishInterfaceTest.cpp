// The English interface: with the English translation installed, nothing the
// player can see is left in Russian (player names and file names excepted),
// the English texts fit the fixed windows, and without it nothing changes.
#include "FileErrorText.h"
#include "GameHarness.h"
#include "LanguageChoice.h"
#include "Pomr_Rec_U.h"
#include "QtTranslations.h"
#include "ScrollPanel.h"
#include "UAbout.h"
#include "UHelp.h"
#include "UReclama.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextEdit>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace pomrola;
using namespace pomrola::testing;

namespace {

bool HasCyrillic(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

void RemoveTranslators()
{
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Every text a window shows: captions, titles, labels, buttons, menu
// commands, the rules and the scrolling lines. The records lists hold
// player names and are left out.
QStringList VisibleTexts(QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (QObject* object : QList<QObject*>{&window} + window.findChildren<QObject*>()) {
        for (int i = 0; i < object->metaObject()->propertyCount(); ++i) {
            const QVariant value = object->metaObject()->property(i).read(object);
            if (value.typeId() == QMetaType::QString)
                texts << value.toString();
        }
        if (auto* label = qobject_cast<ShadowLabel*>(object))
            texts << label->text();
        if (auto* panel = qobject_cast<ScrollPanel*>(object))
            texts << panel->lines();
    }
    return texts;
}

::testing::AssertionResult AllEnglish(const QStringList& texts, const QString& where)
{
    for (const QString& text : texts) {
        if (HasCyrillic(text))
            return ::testing::AssertionFailure() << where.toStdString() << " shows Russian: " << text.toStdString();
    }
    return ::testing::AssertionSuccess();
}

class EnglishInterface : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallTranslations(*qApp, EnglishLanguage)); }
    void TearDown() override { RemoveTranslators(); }

    QList<QWidget*> windows(GameHarness& harness)
    {
        return {&harness.window(), harness.form2, harness.helpForm, harness.reclamaForm, harness.aboutForm};
    }
};

TEST_F(EnglishInterface, EveryWindowShowsOnlyEnglish)
{
    GameHarness harness;
    for (QWidget* window : windows(harness)) {
        window->show();  // the about window fills its labels when shown
        EXPECT_TRUE(AllEnglish(VisibleTexts(*window), window->objectName()));
        window->hide();
    }
    EXPECT_EQ(harness.window().windowTitle(), QStringLiteral("Pomrola 99      Player : (no name) "));
}

TEST_F(EnglishInterface, EveryMessageAndPromptIsEnglish)
{
    // Start-up without a records file in the folder.
    GameHarness harness(GameHarness::Options{.createRecordsFile = false, .settingsFile = {}});
    ScriptedPlatform& platform = harness.platform;
    TForm1& window = harness.window();
    window.show();

    // The records folder command, pointed at a folder with no records file.
    QTemporaryDir other;
    platform.folderAnswers.push_back(other.path());
    harness.trigger("N5");

    // A game end whose records file cannot be written: its folder is gone.
    harness.session.RecordsDir = other.path() + QStringLiteral("/gone");
    platform.inputAnswers.push_back(QStringLiteral("Ann"));
    harness.endGame(120);
    ASSERT_EQ(platform.inputCalls.size(), 1u);
    EXPECT_TRUE(
        AllEnglish({platform.inputCalls[0].caption, platform.inputCalls[0].prompt}, QStringLiteral("name box")));
    EXPECT_TRUE(AllEnglish(VisibleTexts(window), QStringLiteral("main window after the game")));
    for (const ScriptedPlatform::ModalCall& modal : platform.modals)
        EXPECT_TRUE(AllEnglish({modal.caption}, modal.objectName));
    EXPECT_EQ(platform.modals.front().caption, QStringLiteral("High scores.  Your score: 120"));

    // Saving into a folder that does not exist, and the load dialog.
    platform.saveAnswers.push_back(other.path() + QStringLiteral("/gone/game.sav"));
    harness.trigger("MnuSave");
    platform.openAnswers.push_back(std::nullopt);
    harness.trigger("MnuLoad");
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    ASSERT_EQ(platform.openRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].filter, QStringLiteral("Saved games|*.sav|All files |*.*"));
    EXPECT_EQ(platform.openRequests[0].filter, QStringLiteral("Saved games|*.sav|All files|*.*"));

    // Start-up, folder command, records file, save: four messages.
    ASSERT_EQ(platform.messages.size(), 4) << platform.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(AllEnglish(platform.messages, QStringLiteral("messages")));
    EXPECT_TRUE(platform.messages[3].startsWith(QStringLiteral("Could not save the game to the file ")));
}

TEST_F(EnglishInterface, EveryFileFailureReasonIsEnglish)
{
    // Every kind of Qt error against every system code a file call may leave.
    for (int error = QFileDevice::NoError; error <= QFileDevice::CopyError; ++error) {
        for (int code = 0; code < 200; ++code) {
            const QString reason = FileErrorText(QFileDevice::FileError(error), code);
            ASSERT_FALSE(reason.isEmpty());
            ASSERT_FALSE(HasCyrillic(reason)) << "error " << error << ", code " << code << ": " << reason.toStdString();
        }
    }
}

// Each line of a label, the rules and the scrolling text fits the width that
// the fixed window gives it.
TEST_F(EnglishInterface, TextsFitTheirPlaces)
{
#ifdef Q_OS_WIN
    // Under Wine the fonts are Wine's own, not the ones a Windows desktop has.
    GTEST_SKIP() << "widths are measured on Linux with the game's stand-in fonts";
#endif
    GameHarness harness;
    const auto fits = [](const QString& text, const QFont& font, int width) {
        const QFontMetrics metrics(font);
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            if (metrics.horizontalAdvance(line) > width)
                return ::testing::AssertionFailure() << '"' << line.toStdString() << "\" is "
                                                     << metrics.horizontalAdvance(line) << " px, room " << width;
        }
        return ::testing::AssertionSuccess();
    };
    for (QWidget* window : windows(harness)) {
        window->show();
        for (ShadowLabel* label : window->findChildren<ShadowLabel*>()) {
            if (label->window() != window)
                continue;  // a hidden window's, checked when it is shown
            if (label->objectName() == QLatin1String("RxLabel2") && window == harness.reclamaForm)
                continue;  // word-wrapped: checked by height below
            EXPECT_TRUE(fits(label->text(), label->font(), label->width())) << label->objectName().toStdString();
        }
        for (ScrollPanel* panel : window->findChildren<ScrollPanel*>())
            EXPECT_TRUE(fits(panel->lines().join(QLatin1Char('\n')), panel->font(), panel->width()));
        for (QTextEdit* edit : window->findChildren<QTextEdit*>())
            EXPECT_TRUE(fits(edit->toPlainText(), edit->font(),
                             edit->width() - edit->verticalScrollBar()->sizeHint().width() -
                                 2 * int(edit->document()->documentMargin())));
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            EXPECT_TRUE(fits(button->text(), button->font(), button->width()));
        window->hide();
    }
    ShadowLabel* offers = Label(*harness.reclamaForm, "RxLabel2");
    const QRect needed = QFontMetrics(offers->font())
                             .boundingRect(QRect(0, 0, offers->width(), 10000), Qt::TextWordWrap, offers->text());
    EXPECT_LE(needed.height(), offers->height());
    EXPECT_LE(needed.width(), offers->width());
}

// Each entry of the translation source is finished, keeps the placeholders,
// the line breaks and the edge spaces of its source text, and is what the
// embedded translation gives.
TEST_F(EnglishInterface, TranslationSourceIsCompleteAndMatchesTheEmbeddedOne)
{
    QFile file(QStringLiteral(POMROLA_TRANSLATION_SOURCE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context, source;
    int entries = 0;
    const QRegularExpression placeholder(QStringLiteral("%\\d"));
    const auto edges = [](const QString& text) {
        const qsizetype lead = text.size() - text.trimmed().size() == 0 ? 0 : text.indexOf(text.trimmed());
        return std::pair{lead, text.size() - lead - text.trimmed().size()};
    };
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (const auto& match : placeholder.globalMatch(text))
            found << match.captured();
        found.sort();
        return found;
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText();
            ++entries;
            const std::string what = context.toStdString() + " / " + source.toStdString();
            EXPECT_TRUE(type.isEmpty()) << type.toStdString() << ": " << what;
            EXPECT_FALSE(translation.trimmed().isEmpty()) << what;
            EXPECT_FALSE(HasCyrillic(translation)) << what;
            EXPECT_EQ(placeholders(translation), placeholders(source)) << what;
            EXPECT_EQ(translation.count(QLatin1Char('\n')), source.count(QLatin1Char('\n'))) << what;
            EXPECT_EQ(edges(translation), edges(source)) << what;
            EXPECT_EQ(QCoreApplication::translate(context.toUtf8().constData(), source.toUtf8().constData()),
                      translation)
                << what;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(entries, 60);
}

TEST(RussianInterface, IsTheDefaultWhateverTheChoiceSays)
{
    for (const QString& language : {QString(), QStringLiteral("ru"), QStringLiteral("de"), QStringLiteral("e n")}) {
        InstallTranslations(*qApp, language);
        EXPECT_EQ(QCoreApplication::translate("TForm1", "Игра"), QStringLiteral("Игра")) << language.toStdString();
        GameHarness harness;
        EXPECT_EQ(harness.window().windowTitle(), QStringLiteral("Помрола 99      Игрок : (без имени) "));
        RemoveTranslators();
    }
}

TEST(LanguageChoice, CommandLineWinsOverTheSettingsFile)
{
    const QString program = QStringLiteral("pomrola99"), lang = QStringLiteral("--lang");
    const QString en = QStringLiteral("en"), ru = QStringLiteral("ru");
    EXPECT_EQ(ChosenLanguage({program}, QString()), QString());
    EXPECT_EQ(ChosenLanguage({program}, QStringLiteral(" EN ")), en);
    EXPECT_EQ(ChosenLanguage({program, lang, en}, QString()), en);
    EXPECT_EQ(ChosenLanguage({program, QStringLiteral("--lang=en")}, ru), en);
    EXPECT_EQ(ChosenLanguage({program, lang, ru}, en), ru);
    // A dangling option leaves the settings file's choice.
    EXPECT_EQ(ChosenLanguage({program, lang}, en), en);
    // The program's own name is not an option.
    EXPECT_EQ(ChosenLanguage({QStringLiteral("--lang=en")}, QString()), QString());
}

// Reading and writing the language option: SettingsRoundTrip.

}  // namespace
