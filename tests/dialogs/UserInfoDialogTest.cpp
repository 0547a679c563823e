#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/ColorSwatch.h"
#include "dialogs/UserInfoDialog.h"
#include "profile/Profile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

class UserInfoDialogTest : public QObject
{
    Q_OBJECT
    FakeDialogPrompts prompts;
    tProfile profile;

    void addUser(const char *name)
    {
        auto u = std::make_unique<tUser>();
        u->setName(QString::fromLatin1(name));
        profile.Users.Add(std::move(u));
    }

private slots:
    void init()
    {
        prompts = FakeDialogPrompts();
        profile = tProfile();
    }

    void emptyStateAndAddingTheFirstUser()
    {
        TfrmUserInfo d(profile, prompts);
        d.ShowUserInfo(QString());
        QVERIFY(d.isVisible());
        QVERIFY(!d.cmUser->isEnabled() && !d.mNotes->isEnabled() && !d.pnlNameColor->isEnabled());
        QCOMPARE(d.edJoinSound->text(), QStringLiteral("None"));
        QCOMPARE(d.edLeaveSound->text(), QStringLiteral("None"));
        QCOMPARE(d.pnlTextColor->color(), QColor(Qt::black));
        prompts.texts = {QString()};
        d.btnAdd->click();
        QCOMPARE(prompts.asked, QStringList{QStringLiteral("New Entry|Enter the name of the new user:")});
        QVERIFY(!profile.Modified && profile.Users.Count() == 0);
        prompts.texts = {QStringLiteral("AVeryLongUserNameIndeed")};
        d.btnAdd->click();
        QVERIFY(profile.Modified);
        QCOMPARE(d.cmUser->currentText(), QStringLiteral("AVeryLongUserNam"));
        QVERIFY(d.cmUser->isEnabled() && d.mNotes->isEnabled());
    }

    void showingSortsAndSelectsWithoutMarking()
    {
        addUser("Zed");
        addUser("alpha");
        TfrmUserInfo d(profile, prompts);
        d.ShowUserInfo(QStringLiteral("nobody"));
        QCOMPARE(d.cmUser->currentText(), QStringLiteral("alpha")); // sorted, first
        d.ShowUserInfo(QStringLiteral("ZED"));
        QCOMPARE(d.cmUser->currentText(), QStringLiteral("Zed"));
        d.cmUser->setCurrentIndex(0);
        emit d.cmUser->activated(0);
        QVERIFY(!profile.Modified);
        QCOMPARE(d.edGreeting->count(), 7);
        QCOMPARE(d.edGreeting->itemText(0), QStringLiteral("/msg alpha "));
    }

    void greetingSuggestions()
    {
        QCOMPARE(tUserInfoModel::GreetingSuggestions(QStringLiteral("Alpha")),
                 (QStringList{QStringLiteral("/msg Alpha "), QStringLiteral("/squelch Alpha "), QStringLiteral("/ban Alpha "),
                              QStringLiteral("/kick Alpha "), QStringLiteral("/designate Alpha "),
                              QStringLiteral("/stats Alpha star"), QStringLiteral("/stats Alpha sexp")}));
    }

    void editsWriteThrough()
    {
        addUser("Alpha");
        TfrmUserInfo d(profile, prompts);
        d.ShowUserInfo(QStringLiteral("Alpha"));
        tUser *u = profile.Users.Items(0);
        d.mNotes->setPlainText(QStringLiteral("line one\nline two"));
        QCOMPARE(u->Notes(), QStringLiteral("line one\r\nline two"));
        d.edGreeting->setEditText(QStringLiteral("/msg Alpha hi"));
        QCOMPARE(u->Greeting(), QStringLiteral("/msg Alpha hi"));
        prompts.files = {QString(), QStringLiteral("/snd/join.wav")};
        d.btnBrowseJoin->click(); // cancelled: nothing
        QCOMPARE(u->JoinSound(), QStringLiteral("None"));
        d.btnBrowseJoin->click();
        QCOMPARE(d.edJoinSound->text(), QStringLiteral("/snd/join.wav"));
        QCOMPARE(u->JoinSound(), QStringLiteral("/snd/join.wav"));
        QCOMPARE(prompts.asked.first(), QStringLiteral("Select Sound...|Sound Files (*.wav)|wav"));
        prompts.colours = {std::nullopt, QColor(0x12, 0x34, 0x56)};
        emit d.pnlWhisperColor->clicked(); // cancelled
        const std::uint32_t before = u->CustomWhisperColor();
        emit d.pnlWhisperColor->clicked();
        QVERIFY(before != u->CustomWhisperColor());
        QCOMPARE(u->CustomWhisperColor(), 0x00563412u);
    }

    // Enter presses no button, wherever the focus is ("&Add" is nobody's default), and "&Add" refuses
    // a name that exists in another letter case, showing that record instead.
    void enterNeverAddsAndAddIgnoresCase()
    {
        addUser("Alpha");
        addUser("Beta");
        TfrmUserInfo d(profile, prompts);
        d.ShowUserInfo(QStringLiteral("Alpha"));
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        prompts.texts = {QStringLiteral("Intruder")};
        for (QWidget *w : QWidgetList{d.cmUser, d.edGreeting, d.btnAdd, d.btnClose}) {
            w->setFocus();
            QTRY_VERIFY(w->hasFocus());
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Enter);
            QVERIFY2(prompts.asked.isEmpty() && d.isVisible(), qPrintable(w->metaObject()->className()));
        }
        prompts.texts = {QStringLiteral("BETA"), QStringLiteral("alpha")};
        d.btnAdd->click();
        QCOMPARE(d.cmUser->currentText(), QStringLiteral("Beta"));
        d.btnAdd->click();
        QCOMPARE(d.cmUser->currentText(), QStringLiteral("Alpha"));
        QCOMPARE(profile.Users.Count(), 2);
    }

    void deleteAndClearAsk()
    {
        addUser("Alpha");
        addUser("Beta");
        TfrmUserInfo d(profile, prompts);
        d.ShowUserInfo(QStringLiteral("Beta"));
        prompts.yes = {false, true, false, true};
        d.btnDelete->click();
        QCOMPARE(profile.Users.Count(), 2);
        d.btnDelete->click();
        QCOMPARE(profile.Users.Count(), 1);
        QCOMPARE(d.cmUser->currentText(), QStringLiteral("Alpha"));
        d.btnClear->click();
        QCOMPARE(profile.Users.Count(), 1);
        d.btnClear->click();
        QCOMPARE(prompts.asked, (QStringList{QStringLiteral("Are you sure you want to delete Beta?"),
                                             QStringLiteral("Are you sure you want to delete Beta?"),
                                             QStringLiteral("Are you sure you want to ALL user information?"),
                                             QStringLiteral("Are you sure you want to ALL user information?")}));
        QCOMPARE(profile.Users.Count(), 0);
        QVERIFY(!d.mNotes->isEnabled() && d.cmUser->count() == 0);
    }
};

QC_TEST(UserInfoDialogTest)
#include "UserInfoDialogTest.moc"
