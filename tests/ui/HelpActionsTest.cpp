#include "TestMain.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextEdit>

#include "FakePrompts.h"
#include "dialogs/About.h"
#include "dialogs/Help.h"
#include "dialogs/Launch.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"

namespace {
struct Window
{
    QTemporaryDir dir;
    tProfile profile;
    FakePrompts prompts;
    std::unique_ptr<TfrmChat> w;

    explicit Window(const QByteArray &help = QByteArray())
    {
        if (!help.isNull()) {
            QFile f(dir.filePath(QStringLiteral("QuorlHelp.rtf")));
            if (f.open(QIODevice::WriteOnly))
                f.write(help);
        }
        w = std::make_unique<TfrmChat>(profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
        w->CreatePermanentWindows();
    }
    QTextCursor caret() const { return w->HelpWindow()->reHelp->textCursor(); }
};
} // namespace

class HelpActionsTest : public QObject
{
    Q_OBJECT
private slots:
    void showHelpSelectsTheTopic()
    {
        Window win("{\\rtf1 Contents\\par The Main Chat Screen\\par{\\b Timers Tab}\\par Timetable\\par end}");
        QVERIFY(win.prompts.messages.isEmpty());
        TfrmHelp *help = win.w->HelpWindow();
        QVERIFY(!help->isVisible());
        win.w->Actions().acHelpScreen->trigger();
        QVERIFY(help->isVisible());
        QCOMPARE(win.caret().selectedText(), QStringLiteral("The Main Chat Screen"));
        for (int i = 0; i < 2; ++i) { // the same occurrence both times
            win.w->ShowHelp(QStringLiteral("timers tab"));
            QCOMPARE(win.caret().selectionStart(), 30);
            QCOMPARE(win.caret().selectedText(), QStringLiteral("Timers Tab"));
        }
        // Only inside a longer word: nothing selected, the caret at the end.
        win.w->ShowHelp(QStringLiteral("table"));
        QVERIFY(!win.caret().hasSelection());
        QVERIFY(win.caret().atEnd());
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }

    void missingHelpFileIsReportedOnce()
    {
        Window win;
        QCOMPARE(win.prompts.messages,
                 QStringList{QStringLiteral("Could not open file ") + win.dir.path() + QStringLiteral("/QuorlHelp.rtf")});
        win.w->ShowHelp(QStringLiteral("The Main Chat Screen"));
        QVERIFY(win.w->HelpWindow()->reHelp->document()->isEmpty());
        QCOMPARE(win.prompts.messages.size(), 1);
    }

    void aboutShowsTheBuildVersion()
    {
        Window win("{\\rtf1 x}");
        win.w->Actions().acAbout->trigger();
        auto *about = win.w->findChild<TfrmAbout *>();
        QVERIFY(about && about->isVisible() && about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About QuorlChat"));
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version " QC_VERSION_TEXT));
        QTest::keyClick(about, Qt::Key_Return);
        QTRY_VERIFY(!win.w->findChild<TfrmAbout *>());
    }

    void launcherIsShownCentred()
    {
        Window win("{\\rtf1 x}");
        TfrmLaunch *launch = win.w->LaunchWindow();
        QVERIFY(launch && !launch->isVisible());
        win.w->Actions().acLaunch->trigger();
        QVERIFY(launch->isVisible());
        QCOMPARE(launch->windowTitle(), QStringLiteral("Launch Program..."));
        QCOMPARE(launch->size(), QSize(TfrmLaunch::FormWidth, TfrmLaunch::FormHeight));
    }

    void importVersion4()
    {
        Window win("{\\rtf1 x}");
        QFile f(win.dir.filePath(QStringLiteral("v4ban.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Friend\r\n");
        f.close();
        win.prompts.answers = {TPrompts::Answer::No, TPrompts::Answer::Yes, TPrompts::Answer::Yes};
        win.prompts.paths = {QString(), win.dir.filePath(QStringLiteral("v4.cht"))};
        win.w->ImportVersion4Files(); // No
        win.w->ImportVersion4Files(); // Yes, dialog cancelled
        win.w->ImportVersion4Files(); // Yes, v4.cht
        QCOMPARE(win.prompts.asked.size(), 3);
        QCOMPARE(win.prompts.asked[0], QStringLiteral("Importing will combine version 4 response files\n"
                                                      "with the current file.  Do you wish to continue?"));
        QCOMPARE(win.prompts.dialogs.size(), 2);
        QCOMPARE(win.prompts.dialogs[0], QStringLiteral("open|Select Location of Version 4 Files...|QuorlChat 4 Files (*.cht)|") +
                                             win.dir.path() + QLatin1Char('/'));
        QCOMPARE(win.prompts.messages, QStringList{QStringLiteral("Import complete.")});
        QCOMPARE(win.profile.NoBanList, QStringList{QStringLiteral("Friend")});
        QVERIFY(win.profile.Modified); // the exit asks before the imported entries are lost
    }

    void updateServerList()
    {
        Window win("{\\rtf1 x}");
        QFile f(win.dir.filePath(QStringLiteral("list.slf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("10.0.0.1\r\nchat.example.net\r\n");
        f.close();
        win.prompts.paths = {win.dir.path(), win.dir.filePath(QStringLiteral("list.slf"))};
        const QStringList before = win.profile.ServerList;
        win.w->UpdateServerList(); // a folder: not readable as a list
        QCOMPARE(win.profile.ServerList, before);
        QVERIFY(!win.profile.Modified);
        win.w->UpdateServerList();
        QCOMPARE(win.profile.ServerList, QStringList({"10.0.0.1", "chat.example.net"}));
        QVERIFY(win.profile.Modified);
        QCOMPARE(win.prompts.messages, QStringList({"Server List file is not valid", "Serve List Updated"}));
        // A file of blank lines is refused like an unreadable one.
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(" \r\n\r\n") == 5);
        f.close();
        win.profile.Modified = false;
        win.prompts.paths = {win.dir.filePath(QStringLiteral("list.slf"))};
        win.w->UpdateServerList();
        QCOMPARE(win.prompts.messages.last(), QStringLiteral("Server List file is not valid"));
        QCOMPARE(win.profile.ServerList, QStringList({"10.0.0.1", "chat.example.net"}));
        QVERIFY(!win.profile.Modified);
        QCOMPARE(win.prompts.dialogs[0], QStringLiteral("open|Choose a Server List File...|Server List Files (*.slf)|") +
                                             win.dir.path() + QLatin1Char('/'));
    }
};

QC_TEST(HelpActionsTest)
#include "HelpActionsTest.moc"
