#include "TestMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTemporaryDir>

#include "FakePrompts.h"
#include "FullDisk.h"
#include "automation/GameRegistry.h"
#include "dialogs/Launch.h"
#include "profile/ChatIni.h"
#include "profile/Profile.h"
#include "profile/ProfileFiles.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"
#include "ui/TranscriptView.h"
#include "ui/UserListView.h"
#include "view/CustomList.h"

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window whose program folder is a fresh temporary folder and whose dialogs are answered by the test.
struct Window
{
    QTemporaryDir dir;
    tProfile profile;
    FakePrompts prompts;
    std::unique_ptr<TfrmChat> w;

    Window() { make(); }
    void make()
    {
        w = std::make_unique<TfrmChat>(profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
    }
    QString ini() const { return dir.filePath(QStringLiteral("Chat.ini")); }
    void writeIni(const QByteArray &bytes) const
    {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    bool show()
    {
        w->show();
        return QTest::qWaitForWindowActive(w.get());
    }
    QStringList chatLines() const
    {
        const QString t = w->ChatText().PlainText();
        return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
    }
};
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void firstStartWithoutChatIni()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        QCOMPARE(w.windowTitle(), QStringLiteral("QuorlChat Version 7"));
        QCOMPARE(w.pos(), QPoint(50, 50));
        QCOMPARE(w.size(), QSize(800, 600));
        QVERIFY(!w.isMaximized());
        QTRY_COMPARE(w.pnlUsers->width(), 162);
        QCOMPARE(w.lstDef->height(), 132);
        QCOMPARE(w.reWhisper->height(), 132);
        QCOMPARE(w.edChannel->height(), 25);
        QCOMPARE(w.pnlEntry->height(), 33);
        for (QWidget *pane : {static_cast<QWidget *>(w.lstDef), static_cast<QWidget *>(w.lstUser),
                              static_cast<QWidget *>(w.reWhisper), w.pnlUsers})
            QVERIFY(pane->isVisible());
        QVERIFY(!w.pnlUrl->isVisible());
        QVERIFY(!w.Switches.TextLabels);
        QCOMPARE(f.profile.CurrentProfile, QStringLiteral("None"));
        QVERIFY(f.chatLines().isEmpty());
        QVERIFY(w.edEntry->hasFocus());
        QVERIFY(!QFile::exists(f.ini())); // nothing is written before the window closes
    }

    void chatIniRoundTrip()
    {
        Window f;
        f.writeIni("[Screen]\r\nTop=70\r\nLeft=90\r\nWidth=700\r\nHeight=500\r\nNew User Width=200\r\n"
                   "New Custom Height=100\r\nNew Whisper Height=90\r\n[Windows]\r\nText Labels=1\r\n"
                   "[Response]\r\nIgnore=!\r\n[Mine]\r\nnote=kept\r\n");
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        QCOMPARE(w.pos(), QPoint(90, 70));
        QCOMPARE(w.size(), QSize(700, 500));
        QTRY_COMPARE(w.UserPanelWidth(), 200);
        QCOMPARE(w.CustomListHeight(), 100);
        QCOMPARE(w.WhisperPaneHeight(), 90);
        QCOMPARE(w.IgnorePrefix, QStringLiteral("!"));
        QVERIFY(w.Switches.TextLabels && w.Actions().acTextLabel->isChecked());

        w.Splitter2->setSizes({400, 250});
        w.Actions().acWhisperVis->trigger(); // hide the whisper pane: its height is still written
        f.profile.CurrentProfile = f.dir.filePath(QStringLiteral("my profile.ch5"));
        const QString recite = f.dir.filePath(QStringLiteral("recite.txt"));
        QFile text(recite);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("first line\r\nsecond line\r\n");
        text.close();
        w.TextFileName = recite;
        w.TextTarget = QStringLiteral("Bob");
        QVERIFY(w.close());
        const QByteArray bytes = readAll(f.ini());
        QVERIFY(bytes.contains("Last File=" + f.dir.filePath(QStringLiteral("my profile.ch5")).toLatin1() + "\r\n"));
        QVERIFY(bytes.contains("Batch File=" + recite.toLatin1() + "\r\nBatch User=Bob\r\n"));
        QVERIFY(bytes.contains("New User Width=250\r\n"));
        QVERIFY(bytes.contains("New Whisper Height=90\r\n"));
        QVERIFY(bytes.contains("Whisper=0\r\n"));
        QVERIFY(bytes.contains("[Response]\r\nIgnore=!\r\n"));
        QVERIFY(bytes.contains("[Mine]\r\nnote=kept\r\n"));

        // The next start comes back the same way (the profile named there is gone: reported, not fatal).
        f.make();
        QVERIFY(f.show());
        QTRY_COMPARE(f.w->UserPanelWidth(), 250);
        QVERIFY(!f.w->reWhisper->isVisible());
        QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("Error loading file: ") + f.dir.filePath(QStringLiteral("my profile.ch5"))});
        QVERIFY(f.chatLines().contains(QStringLiteral("An Error occured loadng chat settings.")));
        QCOMPARE(f.profile.CurrentProfile, QStringLiteral("None"));
        QCOMPARE(f.w->TextLines, (QStringList{QStringLiteral("first line"), QStringLiteral("second line")}));
        QCOMPARE(f.w->TextTarget, QStringLiteral("Bob"));
        QVERIFY(QFile::remove(recite));
        QVERIFY(f.w->close());
        // "None" is not written: the next start tries the same file again.
        QVERIFY(readAll(f.ini()).contains("Last File=" + f.dir.filePath(QStringLiteral("my profile.ch5")).toLatin1()));

        // A text file that went away is reported and forgotten.
        f.prompts.messages.clear();
        f.make();
        QVERIFY(f.show());
        QVERIFY(f.prompts.messages.contains(QStringLiteral("Could not open text file")));
        QCOMPARE(f.w->TextFileName, QString());
        QVERIFY(f.w->TextLines.isEmpty());
    }

    void closeAsksWhileModified()
    {
        Window f;
        QVERIFY(f.show());
        f.profile.Modified = true;
        QVERIFY(!f.w->close()); // Cancel: keeps running, nothing written
        QCOMPARE(f.prompts.asked, QStringList{QStringLiteral("Save current chat settings?")});
        QVERIFY(f.w->isVisible());
        QVERIFY(!QFile::exists(f.ini()));

        f.prompts.answers = {TPrompts::Answer::Yes}; // Yes, but the save dialog is cancelled
        QVERIFY(!f.w->close());
        QCOMPARE(f.prompts.dialogs.size(), 1);
        QVERIFY(!QFile::exists(f.ini()));

        f.prompts.answers = {TPrompts::Answer::No};
        QVERIFY(f.w->close());
        QVERIFY(!f.w->isVisible());
        const QByteArray bytes = readAll(f.ini());
        QVERIFY(bytes.contains("[Screen]") && !bytes.contains("[Last File]"));
    }

    void fileActionsThroughTheMenu()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        f.profile.Modified = true;
        f.profile.UserDef = QStringList{QStringLiteral("Friend")};
        w.TextLines = QStringList{QStringLiteral("a line to recite")};
        w.Actions().acNew->trigger(); // Cancel
        QVERIFY(f.profile.Modified);
        QVERIFY(f.chatLines().isEmpty());
        QCOMPARE(w.TextLines.size(), 1);

        f.prompts.answers = {TPrompts::Answer::No};
        w.Actions().acNew->trigger();
        QCOMPARE(f.chatLines(), QStringList{QStringLiteral("Chat settings cleared.")});
        QVERIFY(!f.profile.Modified);
        QCOMPARE(w.lstDef->model()->rowCount(), 0);
        QVERIFY(w.TextLines.isEmpty()); // the text file sender's lines go with the profile

        const QString path = f.dir.filePath(QStringLiteral("saved.ch5"));
        f.profile.UserDef = QStringList{QStringLiteral("Friend")};
        f.prompts.paths = {path};
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier); // no profile yet: Save As
        QCOMPARE(f.prompts.dialogs.last(), QStringLiteral("save|Save Chat Settings...|Chat Files (*.ch5)|ch5|") +
                                               f.dir.path() + QLatin1Char('/'));
        QCOMPARE(f.chatLines().last(), QStringLiteral("Chat settings saved."));
        QCOMPARE(f.profile.CurrentProfile, path);

        f.prompts.answers = {TPrompts::Answer::No};
        w.Actions().acNew->trigger();
        f.profile.Modified = false;
        f.prompts.paths = {path};
        QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.chatLines().last(), QStringLiteral("Chat settings loaded."));
        QCOMPARE(w.lstDef->model()->rowCount(), 1);
        QCOMPARE(w.lstDef->model()->index(0, 0).data().toString(), QStringLiteral("Friend"));
    }

    void failedLoadKeepsTheAccount()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        w.bcChat().UserName = QStringLiteral("Alice");
        w.ChatInterface().Address = QStringLiteral("10.0.0.1");
        tProfile other;
        other.Settings.setUserName(QStringLiteral("Mallory"));
        other.Settings.setServer(QStringLiteral("10.6.6.6"));
        struct : ProfileReporter { void showMessage(const QString &) override {} } quiet;
        const QString good = f.dir.filePath(QStringLiteral("good.ch5")), bad = f.dir.filePath(QStringLiteral("bad.ch5"));
        QVERIFY(SaveProfile(other, good, quiet) && SaveProfile(other, bad, quiet));
        QVERIFY(QFile::remove(f.dir.filePath(QStringLiteral("bad.ext"))));
        QFile pro(f.dir.filePath(QStringLiteral("bad.pro"))); // three of the eight product lines
        QVERIFY(pro.open(QIODevice::WriteOnly) && pro.write("a\r\nb\r\nc\r\n") == 9);
        pro.close();

        f.prompts.paths = {bad};
        w.Actions().acOpen->trigger();
        QCOMPARE(f.chatLines().last(), QStringLiteral("An Error occured loading chat settings."));
        QCOMPARE(w.bcChat().UserName, QStringLiteral("Alice"));
        QCOMPARE(w.ChatInterface().Address, QStringLiteral("10.0.0.1"));
        f.prompts.paths = {good};
        f.profile.Modified = false;
        w.Actions().acOpen->trigger();
        QCOMPARE(w.bcChat().UserName, QStringLiteral("Mallory"));
        QCOMPARE(w.ChatInterface().Address, QStringLiteral("10.6.6.6"));
    }

    void chatIniThatCannotBeReadIsLeftAlone()
    {
        Window f;
        const QByteArray big = "[Response]\r\nIgnore=!\r\n;" + QByteArray(tIniFile::MaxFileSize, ' ') + "\r\n";
        f.writeIni(big);
        QVERIFY(f.show());
        f.profile.CurrentProfile = f.dir.filePath(QStringLiteral("p.ch5"));
        QVERIFY(f.w->close());
        QVERIFY(readAll(f.ini()) == big);
    }

    void windowMenuFromTheKeyboard()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        QMenuBar *bar = w.menuBar();
        QMenu *window = w.Actions().mnuWindow;
        // Alt alone marks the first menu; the arrow keys walk to "&Window" and open it.
        QTest::keyPress(w.edEntry->lineEdit(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(w.edEntry->lineEdit(), Qt::Key_Alt, Qt::NoModifier);
        QTRY_VERIFY(bar->hasFocus());
        QCOMPARE(bar->activeAction(), w.Actions().mnuFile->menuAction());
        for (int i = 0; i < 10 && bar->activeAction() != window->menuAction(); ++i)
            QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), window->menuAction());
        QTest::keyClick(bar, Qt::Key_Down);
        QTRY_VERIFY(window->isVisible());
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!window->isVisible());
    }

    void paneLayoutSwitches()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        QTRY_COMPARE(w.lstDef->height(), 132);
        const int room = w.pnlUsers->height() - 25;

        w.Actions().acUserList->trigger(); // custom list fills the panel
        QVERIFY(!w.lstUser->isVisible() && w.lstDef->isVisible());
        QTRY_COMPARE(w.lstDef->height(), room);
        QVERIFY(!w.Actions().acUserList->isChecked());

        w.Actions().acUserList->trigger(); // docked again, 20 px left for the user list
        QVERIFY(w.lstUser->isVisible());
        QTRY_COMPARE(w.lstUser->height(), 20);
        QCOMPARE(w.lstDef->height(), room - 20 - 8);

        w.Actions().acUserDef->trigger();
        w.Actions().acUserList->trigger();
        QVERIFY(!w.pnlUsers->isVisible()); // both hidden: panel, channel box and splitter go
        QVERIFY(!w.edChannel->isVisible());
        QTRY_VERIFY(!w.Splitter2->handle(1)->isVisible());
        QTRY_COMPARE(w.Splitter3->width(), w.Splitter2->width());

        w.Actions().acUserList->trigger();
        QVERIFY(w.pnlUsers->isVisible() && w.lstUser->isVisible() && !w.lstDef->isVisible());
        QCOMPARE(w.UserPanelWidth(), 162);

        w.Actions().acWhisperVis->trigger();
        QVERIFY(!w.reWhisper->isVisible());
        QTRY_COMPARE(w.reChat->height(), w.Splitter3->height());
    }

    void minimiseAndRestoreKeepThePanes()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        w.Splitter2->setSizes({500, 230});
        QTRY_COMPARE(w.UserPanelWidth(), 230);
        const QSize before = w.size();
        const int custom = w.CustomListHeight(), whisper = w.WhisperPaneHeight();
        w.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(w.windowState() & Qt::WindowMinimized);
        w.resize(160, 120); // what shrinking a minimised window would do to the panes
        w.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(w.size(), before);
        QTRY_COMPARE(w.UserPanelWidth(), 230);
        QCOMPARE(w.CustomListHeight(), custom);
        QCOMPARE(w.WhisperPaneHeight(), whisper);
    }

    void appearanceFollowsTheProfile()
    {
        Window f;
        tChatSettings &s = f.profile.Settings;
        s.setColor(ChatBackground, 0x00102030);
        s.setColor(EntryBackground, 0x00000080);
        s.setColor(EntryColor, 0x0000FF00);
        s.setColor(CustomUserBackground, 0x00404040);
        tFontRec big = s.UserListFont();
        big.FontSize = 15; // 20 px at 96 dpi: rows of 26 px
        s.setUserListFont(big);
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        w.ApplyAppearance();
        QCOMPARE(w.reChat->palette().color(QPalette::Base), QColor(0x30, 0x20, 0x10));
        QCOMPARE(w.edEntry->palette().color(QPalette::Base), QColor(0x80, 0, 0));
        QCOMPARE(w.edEntry->palette().color(QPalette::Text), QColor(0, 0xFF, 0));
        QCOMPARE(w.lstDef->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
        QCOMPARE(w.lstUser->font().family(), QStringLiteral("Arial"));
        QCOMPARE(w.edChannel->font().family(), QStringLiteral("Arial"));
        const int px = qRound(15 * w.lstUser->logicalDpiY() / 72.0);
        QCOMPARE(w.lstUser->Delegate()->ItemHeight, int(std::nearbyint(px * 1.3)));

        // A height whose 1.3 times ends in a half goes to the even neighbour: 25 px gives 32, not 33.
        if (w.lstUser->logicalDpiY() == 96) {
            big.FontSize = 19; // 25 px at 96 dpi
            s.setUserListFont(big);
            w.ApplyAppearance();
            QCOMPARE(w.lstUser->Delegate()->ItemHeight, 32);
            QCOMPARE(w.lstDef->Delegate()->ItemHeight, 32);
        }
    }

    void transcriptMenuTargetsThePaneClickedLast()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        w.ChatText().WriteLine(QStringLiteral("chat line"), Qt::white);
        w.WhisperText().WriteLine(QStringLiteral("whisper line"), Qt::white);
        w.Actions().acChatClear->trigger(); // no right-click yet: the whisper pane
        QCOMPARE(w.WhisperText().PlainText(), QString());
        QCOMPARE(w.ChatText().PlainText(), QStringLiteral("chat line"));

        QTest::mousePress(w.reChat->viewport(), Qt::RightButton);
        QCOMPARE(&w.MenuTarget(), &w.ChatText());
        QTest::mouseRelease(w.reChat->viewport(), Qt::RightButton);
        const QString path = f.dir.filePath(QStringLiteral("chat.txt"));
        f.prompts.paths = {path};
        w.Actions().acChatSave->trigger();
        QCOMPARE(f.prompts.dialogs.last(), QStringLiteral("save|Save Chat File...|Text Files (*.txt)|txt|") +
                                               f.dir.path() + QLatin1Char('/'));
        QCOMPARE(readAll(path), QByteArray("chat line\r\n"));
        f.prompts.paths = {f.dir.filePath(QStringLiteral("no/such/dir/x.txt"))};
        w.Actions().acChatSave->trigger();
        QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("Unable to save file")});
        QVERIFY(w.edEntry->hasFocus());
    }

    void caretStopsBlinkingWhenIdle()
    {
        Window f;
        QVERIFY(f.show());
        const int blink = QApplication::cursorFlashTime();
        QVERIFY(blink > 0);
        f.w->SetCaretBlinkTimeout(30);
        QTRY_COMPARE(QApplication::cursorFlashTime(), 0);
        QTest::keyClick(f.w->edEntry, Qt::Key_X);
        QCOMPARE(QApplication::cursorFlashTime(), blink);
        QCOMPARE(f.w->edEntry->text(), QStringLiteral("x"));
        QTRY_COMPARE(QApplication::cursorFlashTime(), 0);
        f.w.reset(); // a window that goes leaves the blink as it found it
        QCOMPARE(QApplication::cursorFlashTime(), blink);
    }

    void hintsCoverPanelZeroWhileShown()
    {
        Window f;
        QVERIFY(f.show());
        TfrmChat &w = *f.w;
        w.Actions().acSetup->showStatusText(w.menuBar());
        QCOMPARE(w.StatusText(0), QStringLiteral("Program setup"));
        w.Actions().mnuFile->menuAction()->showStatusText(w.menuBar());
        QCOMPARE(w.StatusText(0), QStringLiteral("File functions"));
        QStatusTipEvent leave{QString()};
        QCoreApplication::sendEvent(&w, &leave);
        QCOMPARE(w.StatusText(0), QString());
    }

    // Ctrl+S, the other writers and File > Exit on a full disk: each says so, no file changes, no
    // temporary stays, Modified stays set and the program goes on until the next close.
    void fullDiskSavesNothingAndSaysSo()
    {
        tFullDisk disk(512);
        QC_NEED_FULL_DISK(disk);
        const auto at = [&](const char *name) { return disk.path(QString::fromLatin1(name)); };
        const QString record = at("main.ch5"), ini = at("Chat.ini"), toolbarFile = at("Toolbar.dat");
        tProfile profile;
        profile.OwnerList << QStringLiteral("Boss");
        profile.Users.Add(std::make_unique<tUser>());
        struct : ProfileReporter { void showMessage(const QString &) override {} } quiet;
        QVERIFY(SaveProfile(profile, record, quiet));
        const QMap<QString, QByteArray> written = {
            {ini, "[Last File]\r\nLast File=" + QFile::encodeName(record) + "\r\n[Screen]\r\nWidth=700\r\n"},
            {toolbarFile, QByteArray("\x01\0\0\0\x02\0\0\0", 8)},
            {at("saved.txt"), "an earlier transcript\r\n"},
            {at("icons.txt"), "Bob\r\nbob.bmp\r\n"},
            {at("Registry.ini"), "[Software\\Game]\r\nProgram=old.exe\r\n"},
            {at("system.reg"), "WINE REGISTRY Version 2\n\n[Software\\\\Game] 1\n\"Program\"=\"old\"\n"},
        };
        for (auto it = written.begin(); it != written.end(); ++it) {
            QFile f(it.key());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(it.value()) == it.value().size());
        }
        FakePrompts prompts;
        TfrmChat w(profile);
        w.SetProgramFolder(disk.folder());
        w.SetPrompts(&prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QMap<QString, QByteArray> before;
        for (const QString &name : disk.entries())
            before.insert(name, readAll(disk.path(name)));
        w.ChatText().WriteLine(QStringLiteral("a line worth keeping"), Qt::white);
        profile.OwnerList << QStringLiteral("Mallory");
        profile.Modified = true;
        QVERIFY(disk.fill());
        const QStringList entries = disk.entries();
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("Error saving file: ") + record});
        QCOMPARE(w.ChatText().PlainText().split(QLatin1Char('\n')).last(), QStringLiteral("An Error occured saving chat settings."));
        QVERIFY(profile.Modified);
        QVERIFY(!w.ChatText().SaveToFile(at("saved.txt")));
        QVERIFY(!iconsfile::Write(at("icons.txt"), {QStringLiteral("Bob"), QStringLiteral("new.bmp")}));
        const QString key = QStringLiteral("Software\\Game"), value = QStringLiteral("Program");
        QVERIFY(!tIniRegistry(at("Registry.ini")).WriteString(key, value, QStringLiteral("new.exe")));
        QVERIFY(!tWineRegistry(disk.folder()).WriteString(key, value, QStringLiteral("new")));
        prompts.messages.clear();
        prompts.answers = {TPrompts::Answer::No};
        QVERIFY(!w.close());
        QCOMPARE(prompts.messages, QStringList({"Error saving file: " + ini, "Error saving file: " + toolbarFile}));
        for (const QString &name : before.keys())
            QVERIFY2(name == "filler" || readAll(disk.path(name)) == before[name], qPrintable(name));
        QCOMPARE(disk.entries(), entries);
        QVERIFY(w.close()); // the report was read: the next close ends the program
    }
    // A Wine prefix made after start-up is used, its Diablo folder gets its separator, and a
    // missing Wine is said in the status bar.
    void launcherFindsAPrefixMadeAfterStartUp()
    {
        QTemporaryDir dir;
        const QByteArray oldPath = qgetenv("PATH"), oldPrefix = qgetenv("WINEPREFIX");
        const bool hadPrefix = qEnvironmentVariableIsSet("WINEPREFIX");
        const auto restore = qScopeGuard([&] {
            qputenv("PATH", oldPath);
            hadPrefix ? qputenv("WINEPREFIX", oldPrefix) : qunsetenv("WINEPREFIX");
        });
        qputenv("PATH", QFile::encodeName(dir.filePath("empty")));
        qputenv("WINEPREFIX", QFile::encodeName(dir.filePath("prefix")));
        Window f;
        f.w->CreatePermanentWindows();
        QVERIFY(QDir(dir.path()).mkpath("prefix"));
        QFile reg(dir.filePath("prefix/system.reg"));
        QVERIFY(reg.open(QIODevice::WriteOnly));
        reg.write("WINE REGISTRY Version 2\n\n[Software\\\\Blizzard Entertainment\\\\Archives] 1\n\"DiabloInstall\"=\"C:\\\\Diablo\"\n");
        reg.close();
        f.w->LaunchWindow()->Click(LaunchTarget::Diablo);
        QCOMPARE(f.w->StatusText(0), QStringLiteral("Wine was not found: cannot start C:\\Diablo\\diablo.exe"));
    }

};

QC_TEST(MainWindowTest)
#include "MainWindowTest.moc"
