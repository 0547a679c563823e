#include "TestMain.h"

#include "FakePrompts.h"
#include "profile/Profile.h"
#include "ui/ProfileActions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
struct FakeHost : tProfileHost
{
    QStringList lines;
    int loaded = 0, cleared = 0;
    void WriteInfo(const QString &t) override { lines << QStringLiteral("info:") + t; }
    void WriteError(const QString &t) override { lines << QStringLiteral("error:") + t; }
    void ProfileLoaded(bool) override { ++loaded; }
    void ProfileCleared() override { ++cleared; }
};

struct Reporter : ProfileReporter
{
    FakePrompts *prompts;
    void showMessage(const QString &text) override { prompts->Message(text); }
};
} // namespace

class ProfileActionsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    FakePrompts prompts;
    FakeHost host;
    Reporter reporter;
    tProfile profile;

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    TProfileActions make() { return TProfileActions(profile, prompts, host, reporter, dir.path() + QLatin1Char('/')); }

private slots:
    void init()
    {
        prompts = FakePrompts();
        host = FakeHost();
        reporter.prompts = &prompts;
        profile = tProfile();
    }

    void saveWithoutProfileAsksForAName()
    {
        TProfileActions a = make();
        profile.Modified = true;
        int result = -1;
        a.Save([&](bool ok) { result = ok; }); // dialog cancelled
        QCOMPARE(result, 0);
        QCOMPARE(prompts.dialogs, QStringList{QStringLiteral("save|Save Chat Settings...|Chat Files (*.ch5)|ch5|") +
                                              dir.path() + QLatin1Char('/')});
        QVERIFY(host.lines.isEmpty() && profile.Modified);

        prompts.paths = {path("main.ch5")};
        profile.OwnerList << QStringLiteral("Boss");
        a.Save([&](bool ok) { result = ok; });
        QCOMPARE(result, 1);
        QCOMPARE(profile.CurrentProfile, path("main.ch5"));
        QCOMPARE(host.lines, QStringList{QStringLiteral("info:Chat settings saved.")});
        QVERIFY(!profile.Modified);
        QVERIFY(QFile::exists(path("main.ch5")) && QFile::exists(path("main.ext")));

        // Known profile: saved in place without a dialog.
        profile.Modified = true;
        a.Save();
        QCOMPARE(prompts.dialogs.size(), 2);
        QVERIFY(!profile.Modified);
    }

    void failedSaveKeepsTheChangeMarked()
    {
        TProfileActions a = make();
        profile.Modified = true;
        prompts.paths = {path("no/such/folder/x.ch5")};
        int result = -1;
        a.SaveAs([&](bool ok) { result = ok; });
        QCOMPARE(result, 0);
        QCOMPARE(host.lines, QStringList{QStringLiteral("error:An Error occured saving chat settings.")});
        QVERIFY(profile.Modified);
        QCOMPARE(profile.CurrentProfile, QStringLiteral("None"));
        QVERIFY(!prompts.messages.isEmpty() && prompts.messages.first().startsWith(QStringLiteral("Error saving file: ")));
    }

    void openAsksFirstAndReportsTheLoad()
    {
        TProfileActions a = make();
        profile.Settings.setUserName(QStringLiteral("Saved"));
        prompts.paths = {path("p.ch5")};
        a.SaveAs();
        host.lines.clear();
        profile.Settings.setUserName(QStringLiteral("Changed"));
        profile.Modified = true;

        prompts.answers = {TPrompts::Answer::Cancel};
        a.Open();
        QCOMPARE(prompts.asked, QStringList{QStringLiteral("Save current chat settings?")});
        QCOMPARE(prompts.dialogs.size(), 1); // no open dialog after Cancel

        prompts.answers = {TPrompts::Answer::No};
        prompts.paths = {path("p.ch5")};
        a.Open();
        QCOMPARE(prompts.dialogs.last(), QStringLiteral("open|Open Chat Settings File...|Chat Files (*.ch5)|") +
                                             dir.path() + QLatin1Char('/'));
        QCOMPARE(profile.Settings.UserName(), QStringLiteral("Saved"));
        QCOMPARE(host.lines, QStringList{QStringLiteral("info:Chat settings loaded.")});
        QCOMPARE(host.loaded, 1);
        QVERIFY(!profile.Modified);

        prompts.paths = {path("gone.ch5")};
        a.Open();
        QCOMPARE(host.lines.last(), QStringLiteral("error:An Error occured loading chat settings."));
        QCOMPARE(profile.CurrentProfile, path("p.ch5"));
        QCOMPARE(prompts.messages.last(), QStringLiteral("Error loading file: ") + path("gone.ch5"));
    }

    void newWithCancelChangesNothing()
    {
        TProfileActions a = make();
        profile.Modified = true;
        profile.OwnerList << QStringLiteral("Boss");
        prompts.answers = {TPrompts::Answer::Cancel};
        a.New();
        QCOMPARE(profile.OwnerList, QStringList{QStringLiteral("Boss")});
        QVERIFY(profile.Modified && host.lines.isEmpty() && host.cleared == 0);

        profile.Favorite << QStringLiteral("Town Square");
        profile.CurrentProfile = path("old.ch5");
        profile.Settings.setAwayMessage(QStringLiteral("lunch"));
        prompts.answers = {TPrompts::Answer::No};
        a.New();
        QVERIFY(profile.OwnerList.isEmpty() && !profile.Modified);
        QCOMPARE(profile.Favorite, QStringList{QStringLiteral("Town Square")});
        QCOMPARE(profile.CurrentProfile, path("old.ch5"));
        QCOMPARE(profile.Settings.AwayMessage(), QStringLiteral("lunch"));
        QCOMPARE(profile.ServerList.size(), 13);
        QCOMPARE(host.lines, QStringList{QStringLiteral("info:Chat settings cleared.")});
        QCOMPARE(host.cleared, 1);
    }

    void yesWhoseSaveDoesNotHappenStopsTheAction()
    {
        TProfileActions a = make();
        profile.Modified = true;
        profile.OwnerList << QStringLiteral("Boss");
        prompts.answers = {TPrompts::Answer::Yes};
        prompts.paths = {QString()}; // the save dialog is cancelled
        int result = -1;
        a.New([&](bool ok) { result = ok; });
        QCOMPARE(result, 0);
        QCOMPARE(profile.OwnerList, QStringList{QStringLiteral("Boss")});

        prompts.answers = {TPrompts::Answer::Yes};
        prompts.paths = {path("kept.ch5")};
        a.ConfirmDiscard([&](bool ok) { result = ok; });
        QCOMPARE(result, 1);
        QVERIFY(QFile::exists(path("kept.ch5")));
    }

    void startUpLoadsTheLastProfile()
    {
        TProfileActions a = make();
        a.LoadLastProfile(QString());
        QCOMPARE(profile.CurrentProfile, QStringLiteral("None"));
        QVERIFY(host.lines.isEmpty());

        a.LoadLastProfile(path("missing.ch5"));
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("Error loading file: ") + path("missing.ch5")});
        QCOMPARE(host.lines, QStringList{QStringLiteral("error:An Error occured loadng chat settings.")});
        QCOMPARE(profile.CurrentProfile, QStringLiteral("None"));

        prompts.paths = {path("last.ch5")};
        a.SaveAs();
        profile = tProfile();
        host.lines.clear();
        a.LoadLastProfile(path("last.ch5"));
        QCOMPARE(host.lines, QStringList{QStringLiteral("info:Chat file ") + path("last.ch5") + QStringLiteral(" loaded.")});
        QCOMPARE(profile.CurrentProfile, path("last.ch5"));
    }

    // A load that stops half way changes nothing of the profile in use: the next save cannot
    // write a half-loaded profile over the good file.
    void failedOpenKeepsTheProfileInUse_data()
    {
        QTest::addColumn<QString>("spoilt");   // the file of the saved profile that is spoilt
        QTest::addColumn<QByteArray>("bytes"); // what it holds then; empty: it is a folder
        QTest::newRow("short record") << ".ch5" << QByteArray(4095, '\0');
        QTest::newRow("unreadable lists") << ".ext" << QByteArray();
        QTest::newRow("broken users") << ".usr" << QByteArray(100, 'u');
    }
    void failedOpenKeepsTheProfileInUse()
    {
        QFETCH(QString, spoilt);
        QFETCH(QByteArray, bytes);
        const QString base = dir.filePath(QString::fromLatin1(QTest::currentDataTag()).remove(QLatin1Char(' ')));
        tProfile other;
        other.OwnerList << QStringLiteral("Mallory");
        other.Users.Add(std::make_unique<tUser>());
        QVERIFY(SaveProfile(other, base + QStringLiteral(".ch5"), reporter));
        QFile f(base + spoilt);
        if (bytes.isEmpty())
            QVERIFY(f.remove() && QDir().mkdir(f.fileName()));
        else
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        TProfileActions a = make();
        profile.OwnerList << QStringLiteral("Boss");
        profile.Settings.setUserName(QStringLiteral("Mine"));
        profile.CurrentProfile = path("good.ch5");
        profile.Modified = true;
        const QByteArray settings(reinterpret_cast<const char *>(profile.Settings.bytes.data()), tChatSettings::Size);
        prompts.answers = {TPrompts::Answer::No};
        prompts.paths = {base + QStringLiteral(".ch5")};
        int result = -1;
        a.Open([&](bool ok) { result = ok; });
        QCOMPARE(result, 0);
        QCOMPARE(host.lines.last(), QStringLiteral("error:An Error occured loading chat settings."));
        QCOMPARE(profile.OwnerList, QStringList{QStringLiteral("Boss")});
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(profile.Settings.bytes.data()), tChatSettings::Size), settings);
        QCOMPARE(profile.Users.Count(), 0);
        QCOMPARE(profile.CurrentProfile, path("good.ch5"));
        QVERIFY(profile.Modified);
        QCOMPARE(host.loaded, 0);
    }
};

QC_TEST(ProfileActionsTest)
#include "ProfileActionsTest.moc"
