#include "UAbout.h"

#include "BevelPanel.h"
#include "CentreOnScreenOnce.h"
#include "Fonts.h"
#include "Platform.h"
#include "ScrollPanel.h"
#include "Translated.h"
#include "WindowLook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace pomrola {

namespace {

constexpr int ScrollIntervalMs = 60;
constexpr int SystemLabelRightEdge = 282;

// The names the version data gives, listed so that they have translations.
[[maybe_unused]] const char* const VersionTexts[] = {
    QT_TRANSLATE_NOOP("TAboutForm", "Помрола 99"),
    QT_TRANSLATE_NOOP("TAboutForm", "Команда Помролы, 2026"),
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

BevelPanel* MakeBevelLine(QWidget* parent, const char* name, QRect geometry)
{
    auto* line = new BevelPanel(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(geometry);
    line->setBevels(BevelPanel::Bevel::Lowered, BevelPanel::Bevel::None);
    return line;
}

}  // namespace

const QStringList TAboutForm::ScrollLines = {
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QString(),
    QT_TRANSLATE_NOOP("TAboutForm", "        Команда Помролы"),
    QString(),
    QT_TRANSLATE_NOOP("TAboutForm", "- игры для Windows и Linux"),
    QT_TRANSLATE_NOOP("TAboutForm", "- программы на заказ"),
    QT_TRANSLATE_NOOP("TAboutForm", "- настольные приложения"),
    QT_TRANSLATE_NOOP("TAboutForm", "  для дома и офиса"),
    QT_TRANSLATE_NOOP("TAboutForm", "- базы данных"),
    QT_TRANSLATE_NOOP("TAboutForm", "- сайты и"),
    QT_TRANSLATE_NOOP("TAboutForm", "  интернет-магазины"),
    QT_TRANSLATE_NOOP("TAboutForm", "- перенос старых программ"),
    QT_TRANSLATE_NOOP("TAboutForm", "- сопровождение"),
    QString(),
    QStringLiteral("e-mail: team@pomrola.example"),
};

TAboutForm::TAboutForm(Platform& platform, QWidget* parent, const QString& executablePath)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      platform_(platform)
{
    MakeGreenWindow(*this, "AboutForm", QCoreApplication::translate("TAboutForm", "О программе"), QSize(287, 256));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(8, 8, 85, 84);

    LName = MakeLabel(this, "LName", QStringLiteral("Internal Name"),
                      PixelFont(QStringLiteral("Times New Roman"), 24, true), colours::Yellow);
    LName->setGeometry(101, 8, 182, 52);
    LName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LName->setWordWrap(true);

    LVersion = MakeLabel(this, "LVersion", QStringLiteral("Product Version"),
                         PixelFont(QStringLiteral("MS Sans Serif"), 13, true), colours::Purple);
    LVersion->setGeometry(134, 60, 121, 16);
    LVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    LCopy = MakeLabel(this, "LCopy", QStringLiteral("Legal Copyright"),
                      PixelFont(QStringLiteral("MS Sans Serif"), 11, true), colours::Navy);
    // FormShow fits this label and LOs, LSystem to their texts before each
    // showing; measuring them here would only load their fonts at start-up.
    LCopy->move(101, 81);

    Bevel1 = MakeBevelLine(this, "Bevel1", QRect(0, 100, 284, 2));

    SP = new ScrollPanel(this);
    SP->setObjectName(QStringLiteral("SP"));
    SP->setGeometry(0, 104, 287, 95);
    SP->setFont(PixelFont(QStringLiteral("Times New Roman"), 13, true));
    QPalette scroll = SP->palette();
    scroll.setColor(QPalette::Window, colours::Green);
    scroll.setColor(QPalette::WindowText, colours::Yellow);
    SP->setPalette(scroll);
    SP->setLines(Translated("TAboutForm", ScrollLines));
    SP->setInterval(ScrollIntervalMs);
    SP->setActive(true);  // scrolls from creation, while the window is still hidden

    Bevel2 = MakeBevelLine(this, "Bevel2", QRect(3, 198, 284, 2));

    LOs = MakeLabel(this, "LOs", QStringLiteral("LOS"), PixelFont(QStringLiteral("MS Sans Serif"), 11),
                    palette().color(QPalette::WindowText));
    LOs->move(3, 200);

    LSystem = MakeLabel(this, "LSystem", QStringLiteral("LSystem"), font(), palette().color(QPalette::WindowText));
    LSystem->setAlignment(Qt::AlignRight | Qt::AlignTop);
    LSystem->move(SystemLabelRightEdge - LSystem->width(), 200);

    SpeedButton1 = MakeCloseButton(this, QRect(0, 224, 286, 33), 11);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAboutForm::SpeedButton1Click);

    FormCreate(platform, executablePath);
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::FormCreate(Platform& platform, const QString& executablePath)
{
    try {
        VersionReader = std::make_unique<TVerInfoRes>(executablePath);
    } catch (const Exception& error) {
        platform.showMessage(this, error.message());
        return;
    }
    SP->setInterval(ScrollIntervalMs);
}

void TAboutForm::showEvent(QShowEvent* event)
{
    CentreOnScreenOnce(*this, true);
    FormShow();
    QDialog::showEvent(event);
}

void TAboutForm::FormShow()
{
    // Decoded when first needed: the window is made before the main window shows.
    if (Image1->pixmap().isNull())
        Image1->setPixmap(QPixmap(QStringLiteral(":/logo.png")));

    // The platform identifier turns into LSystem's text.
    switch (platform_.platformId()) {
    case 0: LSystem->setText(QStringLiteral("System is Win32s.")); break;
    case 1: LSystem->setText(QStringLiteral("System is Windows 95/98.")); break;
    case 2: LSystem->setText(QStringLiteral("System is Windows NT.")); break;
    default: break;  // keeps its current text
    }
    LSystem->adjustSize();
    LSystem->move(SystemLabelRightEdge - LSystem->width(), LSystem->y());

    if (VersionReader) {
        LName->setText(Translated("TAboutForm", VersionReader->GetVersionString(VersionKey::InternalName)));
        LVersion->setText(QStringLiteral("Version ") + VersionReader->GetVersionString(VersionKey::ProductVersion));
        LCopy->setText(QStringLiteral("(c) ") +
                       Translated("TAboutForm", VersionReader->GetVersionString(VersionKey::LegalCopyright)));
        LOs->setText(VersionReader->GetOsDescription());
    } else {
        // Without version information the window names the game and says so.
        LName->setText(QCoreApplication::translate("TAboutForm", "Помрола 99"));
        LVersion->setText(QString());
        LCopy->setText(QString());
        LOs->setText(QCoreApplication::translate("TAboutForm", "Нет сведений о версии"));
    }
    LCopy->adjustSize();
    LOs->adjustSize();
    SP->setActive(true);
}

void TAboutForm::keyPressEvent(QKeyEvent* event)
{
    event->accept();  // only "Закрыть" closes the window: not Esc, not Enter
}

void TAboutForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TAboutForm::FormClose()
{
    SP->setActive(false);
}

void TAboutForm::SpeedButton1Click()
{
    accept();
}

}  // namespace pomrola
