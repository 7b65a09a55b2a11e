// Runs the tests inside a QApplication on the offscreen platform, with the
// configuration, data and working folders in a throwaway directory.
#include "AccessibleFactory.h"
#include "Fonts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    const QString config = home.filePath(QStringLiteral("config"));
    const QString data = home.filePath(QStringLiteral("data"));
    const QString work = home.filePath(QStringLiteral("work"));
    QDir().mkpath(config);
    QDir().mkpath(data);
    QDir().mkpath(work);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    QDir::setCurrent(work);

    QApplication app(argc, argv);
    pomrola::InstallFontSubstitutes();
    pomrola::InstallAccessibleFactory();  // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
