#include "TestMain.h"

#include <QAction>
#include <QFile>
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

namespace {
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
};
QC_TEST(BarsTest)
#include "BarsTest.moc"
