#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "FakePrompts.h"
#include "dialogs/Launch.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"

class LauncherStatusTest : public QObject
{
    Q_OBJECT
private slots:
    // A prefix made after start-up is used, its Diablo folder gets its separator, and a missing
    // Wine is said in the status bar.
    void prefixMadeAfterStartUp()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("empty"));
        const QByteArray oldPath = qgetenv("PATH"), oldPrefix = qgetenv("WINEPREFIX");
        const bool hadPrefix = qEnvironmentVariableIsSet("WINEPREFIX");
        const auto restore = qScopeGuard([&] {
            qputenv("PATH", oldPath);
            hadPrefix ? qputenv("WINEPREFIX", oldPrefix) : qunsetenv("WINEPREFIX");
        });
        qputenv("PATH", QFile::encodeName(dir.filePath("empty")));
        qputenv("WINEPREFIX", QFile::encodeName(dir.filePath("prefix")));
        tProfile profile;
        FakePrompts prompts;
        TfrmChat w(profile);
        w.SetProgramFolder(dir.path());
        w.SetPrompts(&prompts);
        w.CreatePermanentWindows();

        QVERIFY(QDir(dir.path()).mkpath("prefix"));
        QFile reg(dir.filePath("prefix/system.reg"));
        QVERIFY(reg.open(QIODevice::WriteOnly));
        reg.write("WINE REGISTRY Version 2\n\n[Software\\\\Blizzard Entertainment\\\\Archives] 1\n\"DiabloInstall\"=\"C:\\\\Diablo\"\n");
        reg.close();
        w.LaunchWindow()->Click(LaunchTarget::Diablo);
        QCOMPARE(w.StatusText(0), QStringLiteral("Wine was not found: cannot start C:\\Diablo\\diablo.exe"));
    }
};

QC_TEST(LauncherStatusTest)
#include "LauncherStatusTest.moc"
