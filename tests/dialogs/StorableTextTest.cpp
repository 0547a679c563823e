#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/SetupDialog.h"
#include "dialogs/StringListEdit.h"
#include "dialogs/UserInfoDialog.h"
#include "net/Ansi.h"
#include "profile/Profile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolTip>
#include <QTreeWidget>

namespace {
struct NoHost : tSetupHost
{
    void SetAccount(const QString &, const QString &, const QString &) override {}
    void RepaintUserList() override {}
    void ReopenLog() override {}
};

const QString Typed = QStringLiteral("café Привет 日本 🙂");
const QString Kept = QStringLiteral("café   ");
} // namespace

// Fields the profile keeps single-byte take only what the code page stores, and say what they left out.
class StorableTextTest : public QObject
{
    Q_OBJECT
    int m_codePage = 0;

private slots:
    void initTestCase()
    {
        m_codePage = ansi::CodePage();
        QVERIFY(ansi::SetCodePage(1252));
    }
    void cleanupTestCase() { ansi::SetCodePage(m_codePage); }

    void fieldsKeepOnlyStorableText_data()
    {
        QTest::addColumn<QString>("field");
        for (const char *f : {"notes", "greeting", "phrase", "response", "join response", "home channel", "timer"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void fieldsKeepOnlyStorableText()
    {
        QFETCH(QString, field);
        tProfile profile;
        profile.PhraseList = {QStringLiteral("hello")};
        profile.TimerList = {QStringLiteral("tick")};
        profile.IntervalList = {QStringLiteral("60")};
        auto user = std::make_unique<tUser>();
        user->setName(QStringLiteral("Alpha"));
        profile.Users.Add(std::move(user));
        FakeDialogPrompts prompts;
        NoHost host;
        QToolTip::hideText();

        QString shown, stored, tip;
        if (field == QLatin1String("notes") || field == QLatin1String("greeting")) {
            TfrmUserInfo d(profile, prompts);
            d.ShowUserInfo(QStringLiteral("Alpha"));
            if (field == QLatin1String("notes")) {
                d.mNotes->insertPlainText(Typed);
                tip = QToolTip::text();
                shown = d.mNotes->toPlainText();
                stored = profile.Users.Items(0)->Notes();
            } else {
                d.edGreeting->lineEdit()->clear();
                d.edGreeting->lineEdit()->insert(Typed);
                tip = QToolTip::text();
                shown = d.edGreeting->currentText();
                stored = profile.Users.Items(0)->Greeting();
            }
        } else {
            TfrmSetup d(profile, host, prompts);
            d.show();
            QLineEdit *edit = nullptr;
            if (field == QLatin1String("phrase")) {
                edit = d.slPhrase->EditField();
            } else if (field == QLatin1String("response")) {
                edit = d.slPhrase->ResponseBox(0)->lineEdit();
            } else if (field == QLatin1String("join response")) {
                edit = d.edJoin;
            } else if (field == QLatin1String("home channel")) {
                edit = d.cmChannel->lineEdit();
            } else {
                d.lstTimers->setCurrentItem(d.lstTimers->topLevelItem(0));
                edit = d.edTimer;
            }
            edit->selectAll();
            edit->insert(Typed);
            tip = QToolTip::text();
            shown = edit->text();
            d.btnOk->click();
            const QHash<QString, QString> values = {
                {QStringLiteral("phrase"), profile.PhraseList.value(0)},
                {QStringLiteral("response"), profile.PhraseRes[0].value(0)},
                {QStringLiteral("join response"), profile.Settings.JoinResponse()},
                {QStringLiteral("home channel"), profile.Settings.HomeChannel()},
                {QStringLiteral("timer"), profile.TimerList.value(0)}};
            stored = values.value(field);
        }
        QCOMPARE(shown, Kept);
        QCOMPARE(stored, Kept);
        QVERIFY2(tip.contains(QStringLiteral("Привет日本🙂")), qPrintable(tip));
    }

    // A new custom user's name is refused whole, rather than stored with question marks.
    void newUserNameMustBeStorable()
    {
        tProfile profile;
        FakeDialogPrompts prompts;
        TfrmUserInfo d(profile, prompts);
        d.ShowUserInfo(QString());
        prompts.texts = {QStringLiteral("Влад")};
        d.btnAdd->click();
        QCOMPARE(profile.Users.Count(), 0);
        QVERIFY(!profile.Modified);
        QCOMPARE(prompts.asked.last(), QStringLiteral("message|A user name cannot hold \"Влад\": the profile cannot store it."));
    }
};

QC_TEST(StorableTextTest)
#include "StorableTextTest.moc"
