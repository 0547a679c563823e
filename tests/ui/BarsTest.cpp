#include "TestMain.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "FakePrompts.h"
#include "dialogs/CustomTool.h"
#include "profile/Profile.h"
#include "profile/ToolbarFile.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"

namespace {
// Stands in for the desktop's browser: records what a click would open.
class TOpened : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *Schemes[] = {"http", "https", "ftp", "file", "javascript"};
    QStringList urls;
    TOpened() { for (const char *s : Schemes) QDesktopServices::setUrlHandler(QString::fromLatin1(s), this, "open"); }
    ~TOpened() override { for (const char *s : Schemes) QDesktopServices::unsetUrlHandler(QString::fromLatin1(s)); }
public slots:
    void open(const QUrl &url) { urls << url.toString(); }
};

struct Window
{
    QTemporaryDir dir;
    tProfile profile;
    FakePrompts prompts;
    std::unique_ptr<TfrmChat> w;

    void make()
    {
        w = std::make_unique<TfrmChat>(profile);
        w->SetProgramFolder(dir.path());
        w->SetPrompts(&prompts);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    QString file(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    // "|" for a separator, the caption of each button, "" for an empty one.
    static QStringList buttons(QToolBar *bar)
    {
        QStringList out;
        for (QAction *a : bar->actions()) {
            auto *b = qobject_cast<QToolButton *>(bar->widgetForAction(a));
            out << (b ? b->text() : QStringLiteral("|"));
        }
        return out;
    }
};
} // namespace

class BarsTest : public QObject
{
    Q_OBJECT
private slots:
    void defaultToolbarWithAndWithoutLabels()
    {
        Window f;
        f.make();
        TfrmChat &w = *f.w;
        QCOMPARE(Window::buttons(w.pnlBar).join(QLatin1Char(',')),
                 QStringLiteral("Connect,|,Setup...,Fonts...,|,Channel...,List Users...,|,Details...,Accounts,|,"
                                "Text Files...,|,Away Mode,DND Mode,Whisp Lock,|,Chat Pause,|,Cut,Copy,Paste,Undo"));
        QVERIFY(w.pnlBar->isVisible());
        auto *connect = qobject_cast<QToolButton *>(w.pnlBar->widgetForAction(w.pnlBar->actions().first()));
        QCOMPARE(connect->toolButtonStyle(), Qt::ToolButtonIconOnly);
        w.Actions().acTextLabel->trigger();
        QCOMPARE(connect->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        // The button follows its action: disabled while logged off, checked with it.
        auto *away = qobject_cast<QToolButton *>(w.pnlBar->widgetForAction(w.pnlBar->actions().at(13)));
        QCOMPARE(away->text(), QStringLiteral("Away Mode"));
        QVERIFY(!away->isEnabled());
        QVERIFY(!connect->icon().isNull());
        QCOMPARE(connect->icon().pixmap(QSize(20, 20), 2.0).size(), QSize(40, 40));
    }

    void customiseAppliesAndShutDownWrites()
    {
        Window f;
        toolbar::Save(f.file("Toolbar.dat"), {1, 40});
        f.make();
        TfrmChat &w = *f.w;
        QCOMPARE(Window::buttons(w.pnlBar), (QStringList{"Connect", ""}));
        w.Actions().acCustom->trigger();
        auto *dlg = w.findChild<TfrmCustomTool *>();
        QVERIFY(dlg);
        QCOMPARE(dlg->Definition(), QList<qint32>{1}); // the 40 is gone
        dlg->Rules().Clear();
        dlg->reject(); // any way of closing applies
        QVERIFY(Window::buttons(w.pnlBar).isEmpty());
        QCOMPARE(QFileInfo(f.file("Toolbar.dat")).size(), 8); // written only at shut-down
        w.close();
        QCOMPARE(QFileInfo(f.file("Toolbar.dat")).size(), 0);
    }

    void favouritesBarAndItsMenu()
    {
        Window f;
        f.profile.Settings.setShowFavorites(true);
        f.profile.Favorite = {QStringLiteral("Alpha"), QStringLiteral("Beta")};
        f.make();
        TfrmChat &w = *f.w;
        QCOMPARE(Window::buttons(w.pnlFavorites), (QStringList{"Alpha", "Beta"}));
        QVERIFY(w.pnlFavorites->isVisible());
        const auto menuEntry = [&w](int i) { return w.mnFavorite->actions().at(i); };
        menuEntry(4)->trigger(); // no button hovered yet: nothing
        QCOMPARE(f.profile.Favorite.size(), 2);
        QWidget *beta = w.pnlFavorites->widgetForAction(w.pnlFavorites->actions().at(1));
        QTest::mouseMove(beta);
        QTRY_COMPARE(w.HoveredFavorite(), 1);
        f.prompts.textAnswers.push_back({true, QStringLiteral("Gamma")});
        menuEntry(3)->trigger();
        QCOMPARE(f.prompts.texts.last(), QStringLiteral("Edit Favorite|Enter a new channel name:|Beta"));
        QCOMPARE(Window::buttons(w.pnlFavorites), (QStringList{"Alpha", "Gamma"}));
        QCOMPARE(w.HoveredFavorite(), -1); // forgotten with the old buttons
        QVERIFY(f.profile.Modified);
        w.Actions().acAddFavorite->trigger();
        w.Actions().acAddFavorite->trigger();
        QCOMPARE(Window::buttons(w.pnlFavorites), (QStringList{"Alpha", "Gamma", "New Channel", "New Channel"}));
        f.profile.Modified = false;
    }

    void soundMenusAndUrlBar()
    {
        Window f;
        QDir(f.dir.path()).mkpath(QStringLiteral("Sounds/Fun"));
        QFile(f.file("Sounds/Fun/Bell.WAV")).open(QIODevice::WriteOnly);
        QFile(f.file("Sounds/top.wav")).open(QIODevice::WriteOnly);
        f.make();
        TfrmChat &w = *f.w;
        QMenu *sounds = w.Actions().mnuSounds;
        QStringList captions;
        for (QAction *a : sounds->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"&Refresh Sound List", "", "fun", "top.wav"}));
        QCOMPARE(sounds->actions().at(2)->menu()->actions().first()->text(), QStringLiteral("bell.wav"));
        QMenu user;
        w.AddUserSoundMenu(&user, [] { return QStringLiteral("Bob"); });
        w.Actions().acReloadsounds->trigger();
        QCOMPARE(sounds->actions().size(), 4); // rebuilt, not added to
        QCOMPARE(user.actions().size(), 2);
        sounds->actions().at(3)->trigger(); // not logged on: nothing sent or written
        QVERIFY(!w.ChatText().PlainText().contains(QStringLiteral("Playing")));

        QVERIFY(!w.pnlUrl->isVisible());
        w.Events().bcChatWhisper(QStringLiteral("Bob"), QStringLiteral("/url <b>x.org</b>"));
        QVERIFY(w.pnlUrl->isVisible());
        QCOMPARE(w.lblUserUrl->text(), QStringLiteral("Bob has sent the following URL: "));
        QCOMPARE(w.lblUrl->text(), QStringLiteral("<b>x.org</b>"));
        QCOMPARE(w.lblUrl->textFormat(), Qt::PlainText);
        w.btnCloseURL->click();
        QVERIFY(!w.pnlUrl->isVisible());
    }

    // A stranger's sound or address: a long one never widens the window; a refused one looks refused.
    void soundsAndAddressesFromStrangers_data()
    {
        QTest::addColumn<bool>("whisper"); // else said in the channel
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown"); // a line written for it; empty: nothing at all
        QTest::addColumn<int>("link");      // the URL bar: -1 not shown, 0 plain text, 1 a link
        const QString m = QStringLiteral("Mallory");
        QTest::newRow("sound reaching out") << false << m << "~playsound ../../etc/passwd" << "" << -1;
        QTest::newRow("whispered sound reaching out") << true << m << "~playsound ..\\..\\win.ini" << "" << -1;
        QTest::newRow("sound named ..") << false << m << "~playsound .." << "" << -1;
        QTest::newRow("sound not kept here") << false << m << "~playsound boom.wav" << "Mallory played: boom.wav" << -1;
        QTest::newRow("javascript") << true << m << "/url javascript:alert(1)" << "" << 0;
        QTest::newRow("file") << true << m << "/url file:///etc/passwd" << "" << 0;
        QTest::newRow("ftp") << true << m << "/url ftp://x.org/f" << "" << 0;
        QTest::newRow("https") << true << m << "/url https://x.org/a" << "" << 1;
        QTest::newRow("no scheme") << true << m << "/url x.org" << "" << 1;
        QTest::newRow("230 characters") << true << m << "/url http://example.org/" + QString(211, 'a') << "" << 1;
        QTest::newRow("a long name") << true << QString(200, 'M') << "/url http://example.org/" << "" << 1;
    }
    void soundsAndAddressesFromStrangers()
    {
        QFETCH(bool, whisper);
        QFETCH(QString, user);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(int, link);
        Window f;
        f.make();
        TfrmChat &w = *f.w;
        w.resize(800, 600);
        QTRY_COMPARE(w.width(), 800);
        (w.Events().*(whisper ? &tChannelEvents::bcChatWhisper : &tChannelEvents::bcChatTalk))(user, text);
        QTest::qWait(50); // the layout settles
        QCOMPARE(w.width(), 800);
        QVERIFY(w.minimumSizeHint().width() <= 800);
        w.ChatText().Flush();
        w.WhisperText().Flush();
        const QString written = w.ChatText().PlainText() + QLatin1Char('\n') + w.WhisperText().PlainText();
        QVERIFY2(shown.isEmpty() ? !written.contains(user) : written.contains(shown), qPrintable(written));
        QCOMPARE(w.pnlUrl->isVisible(), link >= 0);
        if (link < 0)
            return;
        QVERIFY2(w.rect().contains(QRect(w.btnCloseURL->mapTo(&w, QPoint(0, 0)), w.btnCloseURL->size())), "X in reach");
        // Shown as far as it fits, kept whole in the tooltip and for the click; a refused one is plain text.
        QCOMPARE(w.lblUrl->toolTip(), text.mid(5));
        QCOMPARE(w.lblUserUrl->text(), user + QStringLiteral(" has sent the following URL: "));
        QCOMPARE(w.lblUrl->font().underline(), link == 1);
        TOpened opened;
        QTest::mouseClick(w.lblUrl, Qt::LeftButton, {}, QPoint(2, w.lblUrl->height() / 2));
        QCOMPARE(opened.urls, link ? QStringList{QUrl::fromUserInput(text.mid(5)).toString()} : QStringList());
    }

    void favouriteSoundAndUndoToolsActAsNamed()
    {
        Window f;
        QDir(f.dir.path()).mkpath(QStringLiteral("Sounds"));
        QFile(f.file("Sounds/Rock&Roll.wav")).open(QIODevice::WriteOnly);
        f.profile.Settings.setPlaySoundsLocally(false);
        f.make();
        TfrmChat &w = *f.w;
        // A favourite added in no channel is "New Channel" and leaves the channel as it was.
        w.Actions().acAddFavorite->trigger();
        QCOMPARE(f.profile.Favorite, QStringList{"New Channel"});
        QCOMPARE(w.ChannelUsers().CurrentChannel, QString());
        // The sound is sent by its own name, "&" and all.
        w.Session().LoggedOn = true;
        w.bcChat().SendLine(QStringLiteral("prime\r")); // the first line goes straight out; the rest queue
        QAction *rock = w.Actions().mnuSounds->actions().value(2);
        QCOMPARE(rock->text(), QStringLiteral("rock&&roll.wav"));
        rock->trigger();
        QCOMPARE(w.bcChat().Queue(), QStringList{"~playsound rock&roll.wav\r"});
        w.Session().LoggedOn = false;
        // The Undo tool button undoes typing in the entry line.
        w.edEntry->setText(QStringLiteral("hello"));
        w.edEntry->setFocus();
        w.edEntry->lineEdit()->insert(QStringLiteral(" you"));
        auto *undo = qobject_cast<QToolButton *>(w.pnlBar->widgetForAction(w.pnlBar->actions().last()));
        QCOMPARE(undo->text(), QStringLiteral("Undo"));
        w.UpdateActions(); // the idle update
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(w.edEntry->text(), QStringLiteral("hello"));
        f.profile.Modified = false;
    }
};
QC_TEST(BarsTest)
#include "BarsTest.moc"
