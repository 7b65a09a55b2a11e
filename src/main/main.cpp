#include "AccessibleFactory.h"
#include "FontConfigWarmUp.h"
#include "Fonts.h"
#include "GameSession.h"
#include "LanguageChoice.h"
#include "Pomr_Rec_U.h"
#include "Pomrola99_U1.h"
#include "QtPlatform.h"
#include "QtTranslations.h"
#include "SettingsFile.h"
#include "UAbout.h"
#include "UHelp.h"
#include "UReclama.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    using namespace pomrola;

    // Started first: it runs on another core while Qt starts.
    FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pomrola99"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pomrola99.png")));
    InstallFontSubstitutes();
    // Screen readers' view of the owner-drawn controls, built only when asked for.
    InstallAccessibleFactory();
    // Read before any window exists, so that every text comes out in the
    // chosen language.
    InstallTranslations(app, ChosenLanguage(QApplication::arguments(), ReadSettings(DefaultSettingsPath()).language));
    // The main window asks for its font as it is made.
    fontConfig.wait();

    QtPlatform platform;
    GameSession session;

    // The five windows, created once in this order; the first is the main window.
    TForm1 form1(platform, session, StoragePaths{DefaultSettingsPath()});
    TForm2 form2(session.records, &form1);
    THelpForm helpForm(&form1);
    TReclamaForm reclamaForm(&form1);
    TAboutForm aboutForm(platform, &form1);
    form1.setCompanions(&form2, &helpForm, &reclamaForm, &aboutForm);

    form1.show();
    return app.exec();
}
