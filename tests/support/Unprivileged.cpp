#include "Unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace pomrola::testing {

std::optional<::testing::AssertionResult> RerunAsUnprivileged()
{
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    if (geteuid() != 0)
        return std::nullopt;
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        return ::testing::AssertionFailure() << "running as root and there is no user nobody";
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2")
                               .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()));

    // The test program may lie where nobody cannot reach it (a checkout under
    // /root, a folder made by mktemp -d): nobody runs a copy of it from a
    // folder of its own. It takes nothing else from beside it.
    QTemporaryDir copyFolder(QStringLiteral("/tmp/pomrola-unprivileged-XXXXXX"));
    const QString program = copyFolder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    constexpr QFileDevice::Permissions Everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                  QFileDevice::ExeOther;
    if (!copyFolder.isValid() || !QFile::copy(QCoreApplication::applicationFilePath(), program) ||
        !QFile::setPermissions(copyFolder.path(), Everyone) || !QFile::setPermissions(program, Everyone))
        return ::testing::AssertionFailure()
               << "cannot copy the test program for nobody to " << copyFolder.path().toStdString();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Root's runtime and home folders are not nobody's to use.
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    environment.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QStringLiteral("/tmp"));
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=%1").arg(nobody->pw_uid), QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                 QStringLiteral("--clear-groups"), QStringLiteral("--"), program, filter});
    if (!child.waitForFinished(120000))
        return ::testing::AssertionFailure()
               << "the run as nobody did not finish: " << child.errorString().toStdString();
    const QByteArray output = child.readAll();
    // A filter that matched nothing would pass without testing anything.
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || !output.contains("[  PASSED  ] 1 test"))
        return ::testing::AssertionFailure() << "as nobody:\n" << output.toStdString();
    return ::testing::AssertionSuccess();
#endif
}

}  // namespace pomrola::testing
