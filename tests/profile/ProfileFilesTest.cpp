#include "TestMain.h"

#include "ProfileTestUtil.h"
#include "net/Ansi.h"
#include "profile/Profile.h"
#include "profile/ProfileFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace profiletest;

namespace {
struct RecordingReporter : ProfileReporter
{
    QStringList messages;
    void showMessage(const QString &text) override { messages << text; }
};

// Every byte value a list element can hold (a line break cannot be inside one).
QString allBytes()
{
    QByteArray b;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n')
            b += char(c);
    return ansi::fromBytes(b);
}

const char *const OldSuffixes[] = {".pr1", ".pr2", ".pr3", ".wr1", ".wr2", ".wr3", ".ur1", ".ur2",
                                   ".ur3", ".cm",  ".cmd", ".pro", ".ujn", ".tim", ".int", ".ban",
                                   ".own", ".mem", ".nbn", ".phr", ".whi", ".cus", ".nam", ".pwd",
                                   ".act", ".num", ".srv", ".chn", ".cls"};

// A record file carrying the given version, otherwise defaults.
QByteArray recordWithVersion(const QString &version, bool reservedFlags = false)
{
    tChatSettings s;
    ResetSettings(s);
    s.setVersion(version);
    s.setReservedFlags(reservedFlags);
    s.setConnectTimeout(99);
    s.setLoginTimeout(99);
    s.setAcceptSounds(false);
    s.setPlaySoundsLocally(false);
    s.setShowFavorites(false);
    return QByteArray(reinterpret_cast<const char *>(s.bytes.data()), 4096);
}
} // namespace

class ProfileFilesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The given record and ".ext" text loaded over a profile in use: every list and action holds
    // an earlier value that only Favorite may keep.
    tProfile loadExt(const QByteArray &ext, RecordingReporter &r)
    {
        const QString p = path(QStringLiteral("e.ch5"));
        writeBytes(p, recordWithVersion(QStringLiteral("7.04")));
        writeBytes(path(QStringLiteral("e.ext")), ext);
        QFile::remove(path(QStringLiteral("e.usr")));
        tProfile profile;
        for (QStringList *l : everyList(profile))
            *l = QStringList{QStringLiteral("Earlier")};
        profile.Actions.fill(QStringLiteral("Earlier"));
        [&] { QVERIFY(LoadProfile(profile, p, r)); }();
        return profile;
    }

private slots:
    void baseNames()
    {
        QCOMPARE(ProfileBaseName(QStringLiteral("/home/me/.config/quorl/main.ch5")), QStringLiteral("/home/me/.config/quorl/main"));
        QCOMPARE(ProfileBaseName(QStringLiteral("/d/chat.files/main.v2.ch5")), QStringLiteral("/d/chat.files/main"));
        QCOMPARE(ProfileBaseName(QStringLiteral("/d/ma*in*.ch5")), QStringLiteral("/d/main"));
        QCOMPARE(ProfileBaseName(QStringLiteral("/d/.hidden.ch5")), QStringLiteral("/d/.hidden"));
        QCOMPARE(ProfileBaseName(QStringLiteral("/d.x/noext")), QStringLiteral("/d.x/noext"));
        QCOMPARE(LegacyProfileBaseName(QStringLiteral("/d/chat.files/main.ch5")), QStringLiteral("/d/chat"));
    }

    void roundTripOfEveryListAndField()
    {
        tProfile p;
        const auto lists = everyList(p);
        int n = 0;
        for (QStringList *l : lists) {
            *l = QStringList{QStringLiteral("first %1").arg(n), QStringLiteral("a=b %1").arg(n), QString()};
            ++n;
        }
        p.OwnerList << allBytes();
        for (int i = 0; i < ProductActionCount; ++i)
            p.Actions[size_t(i)] = QStringLiteral("/w %user action=%1").arg(i);
        p.Actions[ChatAction] = allBytes();
        p.Settings.setPassword(QString::fromLatin1("p\xE4ss\xFF"));
        p.Settings.setHomeChannel(QStringLiteral("Op Home"));
        p.Settings.setColor(ChatBackground, 0x00010203);
        p.Settings.setMasterEvents(true);
        p.Settings.bytes[3000] = 0x77; // untouched bytes travel too
        auto u = std::make_unique<tUser>();
        u->setName(QString::fromLatin1("B\xF6" "b"));
        u->setGreeting(QStringLiteral("hello"));
        p.Users.Add(std::move(u));
        p.Users.Add(std::make_unique<tUser>());

        RecordingReporter r;
        const QString file = path(QStringLiteral("round.ch5"));
        QVERIFY(SaveProfile(p, file, r));
        for (const char *s : {".ch5", ".ext", ".usr"})
            QCOMPARE(modeOf(path(QStringLiteral("round") + QLatin1String(s))), 0600);

        tProfile q;
        q.Favorite.clear();
        QVERIFY(LoadProfile(q, file, r));
        QCOMPARE(r.messages, QStringList());
        QVERIFY(q.Settings.bytes == p.Settings.bytes);
        const auto loaded = everyList(q);
        for (size_t i = 0; i < lists.size(); ++i)
            QCOMPARE(*loaded[i], *lists[i]);
        QCOMPARE(q.Actions, p.Actions);
        QCOMPARE(q.Users.Count(), 2);
        QCOMPARE(q.Users.Items(0)->Name(), QString::fromLatin1("B\xF6" "b"));
        QVERIFY(q.Users.Items(1)->Rec.bytes == p.Users.Items(1)->Rec.bytes);
    }

    void extIsWrittenInKeyOrderWithCrLf()
    {
        tProfile p;
        p.ServerList = QStringList{QStringLiteral("s")};
        p.ChannelList.clear();
        p.CommandList = p.CommandRes = p.CommandLevel = QStringList();
        p.Favorite << QStringLiteral("Fav");
        p.UserRes[0] << QStringLiteral("u1");
        p.WhiserRes[1] << QStringLiteral("w2");
        p.PhraseRes[0] << QStringLiteral("p1");
        QCOMPARE(WriteExtText(p), QByteArray("Favorite=Fav\r\nServerList=s\r\nPhraseRes1=p1\r\nUserRes1=u1\r\n"
                                             "WhiserRes2=w2\r\nChatAction=None\r\nStarAction=None\r\n"
                                             "StarShareAction=None\r\nDiabloAction=None\r\n"
                                             "DiabloShareAction=None\r\nWar2bneAction=None\r\n"
                                             "Diablo2Action=None\r\nBroodwarAction=None\r\n"));
        // A line break inside an element cannot start a line (a key) of its own.
        p.MemberList << QStringLiteral("x\r\nOwnerList=intruder");
        tProfile q;
        ReadExtText(q, WriteExtText(p));
        QCOMPARE(q.OwnerList, QStringList());
        QCOMPARE(q.MemberList, QStringList{QStringLiteral("x  OwnerList=intruder")});
    }

    void extReadingEdgeCases()
    {
        RecordingReporter r;
        const QByteArray big(1 << 20, 'm');
        tProfile p = loadExt("ownerlist=Someone\r\nOWNERLIST=Two\nbareword\r\n=orphan\r\nOwnerList\r\n"
                             "TimerList=a=b\r\nChatAction=first\r\nchataction=second\r\n"
                             "Favorite=Loaded\r\nMacroList=" + big + "\r\nBanList=last line",
                             r);
        QCOMPARE(r.messages, QStringList());
        QCOMPARE(p.OwnerList, (QStringList{QStringLiteral("Someone"), QStringLiteral("Two")}));
        QCOMPARE(p.TimerList, QStringList{QStringLiteral("a=b")});
        QCOMPARE(p.Actions[ChatAction], QStringLiteral("second"));
        QCOMPARE(p.Actions[StarAction], QStringLiteral("None"));
        QCOMPARE(p.Favorite, (QStringList{QStringLiteral("Earlier"), QStringLiteral("Loaded")}));
        QCOMPARE(p.MacroList.value(0).size(), big.size());
        QCOMPARE(p.BanList, QStringList{QStringLiteral("last line")});
        QVERIFY(p.ServerList.isEmpty()); // no ServerList lines: no servers, not the defaults

        tProfile empty = loadExt(QByteArray(), r);
        QVERIFY(empty.CommandList.isEmpty() && empty.CommandRes.isEmpty() && empty.CommandLevel.isEmpty());
        QVERIFY(empty.ServerList.isEmpty() && empty.HomeList.isEmpty() && empty.ChannelList.isEmpty());
        for (QStringList *l : everyList(empty))
            QCOMPARE(*l, l == &empty.Favorite ? QStringList{QStringLiteral("Earlier")} : QStringList());
        for (const QString &a : empty.Actions)
            QCOMPARE(a, QStringLiteral("None"));
    }

    void olderLayout()
    {
        const QString file = path(QStringLiteral("old.ch5"));
        writeBytes(file, recordWithVersion(QStringLiteral("7.04")));
        writeBytes(path(QStringLiteral("old.cm")), "/a\r\n<a>\r\n1\r\n/b\r\n<b>\r\n2\r\n/c\r\n");
        writeBytes(path(QStringLiteral("old.own")), "Owner1\nOwner2\n");
        writeBytes(path(QStringLiteral("old.pr2")), "response two\r\n");
        writeBytes(path(QStringLiteral("old.cls")), "Only Channel\r\n");
        writeBytes(path(QStringLiteral("old.pro")), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
        RecordingReporter r;
        tProfile p;
        p.HomeList << QStringLiteral("stale");
        p.ServerList = QStringList{QStringLiteral("stale.server")}; // the defaults must come from the load
        QVERIFY(LoadProfile(p, file, r));
        QCOMPARE(p.CommandList, (QStringList{"/a", "/b", "/c"}));
        QCOMPARE(p.CommandRes, (QStringList{"<a>", "<b>"}));
        QCOMPARE(p.CommandLevel, (QStringList{"1", "2"}));
        QCOMPARE(p.OwnerList, (QStringList{"Owner1", "Owner2"}));
        QCOMPARE(p.PhraseRes[1], QStringList{"response two"});
        QCOMPARE(p.ChannelList, QStringList{"Only Channel"});
        QCOMPARE(p.Actions[ChatAction], QStringLiteral("1"));
        QCOMPARE(p.Actions[BroodwarAction], QStringLiteral("8"));
        QCOMPARE(p.ServerList, tProfile().ServerList); // no .srv: the default servers
        QVERIFY(p.HomeList.isEmpty());

        writeBytes(path(QStringLiteral("old.pro")), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
        tUserList users;
        users.Add(std::make_unique<tUser>());
        QVERIFY(users.SaveToFile(path(QStringLiteral("old.usr"))));
        QVERIFY(!LoadProfile(p, file, r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Error loading file: ") + file});
        QCOMPARE(p.Users.Count(), 1); // the custom users load even so

        // A save leaves none of the older files behind.
        for (const char *s : OldSuffixes)
            writeBytes(path(QStringLiteral("old") + QLatin1String(s)), "x\r\n");
        QVERIFY(SaveProfile(p, file, r));
        for (const char *s : OldSuffixes)
            QVERIFY2(!QFile::exists(path(QStringLiteral("old") + QLatin1String(s))), s);
    }

    void versionUpgrade_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("flagsAndModified");
        QTest::addColumn<bool>("timeouts");
        QTest::addColumn<bool>("favourites");
        QTest::newRow("empty") << "" << true << true << true;
        QTest::newRow("6.0 (a prefix)") << "6.0" << true << true << true;
        QTest::newRow("6.01") << "6.01" << true << true << true;
        QTest::newRow("6.02") << "6.02" << false << true << true;
        QTest::newRow("6.03") << "6.03" << false << false << true;
        QTest::newRow("7.03") << "7.03" << false << false << true;
        QTest::newRow("7.04") << "7.04" << false << false << false;
        QTest::newRow("9.99") << "9.99" << false << false << false;
    }

    void versionUpgrade()
    {
        QFETCH(QString, version);
        QFETCH(bool, flagsAndModified);
        QFETCH(bool, timeouts);
        QFETCH(bool, favourites);
        const QString file = path(QStringLiteral("ver.ch5"));
        writeBytes(file, recordWithVersion(version));
        writeBytes(path(QStringLiteral("ver.ext")), "Favorite=Mine\r\n");
        RecordingReporter r;
        tProfile p;
        QVERIFY(LoadProfile(p, file, r));
        QCOMPARE(p.Settings.Version(), QStringLiteral("7.04"));
        QCOMPARE(p.Modified, flagsAndModified);
        QCOMPARE(p.Settings.bytes[2709] == 1 && p.Settings.bytes[2712] == 1, flagsAndModified);
        QCOMPARE(p.Settings.ConnectTimeout(), timeouts ? 5 : 99);
        QCOMPARE(p.Settings.LoginTimeout(), timeouts ? 20 : 99);
        QCOMPARE(p.Settings.AcceptSounds(), timeouts);
        QCOMPARE(p.Settings.PlaySoundsLocally(), timeouts);
        QCOMPARE(p.Settings.ShowFavorites(), favourites);
        const QStringList expected = favourites ? QStringList{"Mine", "Open Tech Support"} : QStringList{"Mine"};
        QCOMPARE(p.Favorite, expected);
    }

    void shortLongAndHostileFiles()
    {
        const QString file = path(QStringLiteral("short.ch5"));
        writeBytes(file, recordWithVersion(QStringLiteral("7.04")).left(4095));
        tUserList users;
        users.Add(std::make_unique<tUser>());
        users.Add(std::make_unique<tUser>());
        QVERIFY(users.SaveToFile(path(QStringLiteral("short.usr"))));
        RecordingReporter r;
        tProfile p;
        p.Settings.setUserName(QStringLiteral("Before"));
        QVERIFY(!LoadProfile(p, file, r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Error loading file: ") + file});
        QCOMPARE(p.Users.Count(), 2);
        QCOMPARE(p.Settings.UserName(), QStringLiteral("Before"));

        QByteArray record = recordWithVersion(QStringLiteral("7.04"));
        record[901] = char(255); // a full-length name of garbage is still only 255 bytes
        writeBytes(file, record + QByteArray(100, '\xEE'));
        writeBytes(path(QStringLiteral("short.usr")), QByteArray(4096 * 2 + 10, 'u'));
        r.messages.clear();
        QVERIFY(!LoadProfile(p, file, r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Could not load user settings file")});
        QCOMPARE(p.Users.Count(), 0);
        QCOMPARE(p.Settings.UserName().size(), 255);

        // No profile file at all: a failure, and no custom users either.
        r.messages.clear();
        p.Users.Add(std::make_unique<tUser>());
        const QString missing = path(QStringLiteral("nowhere.ch5"));
        QVERIFY(!LoadProfile(p, missing, r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Error loading file: ") + missing});
        QCOMPARE(p.Users.Count(), 0);
    }

    void savingUnderAnOlderLayoutNameKeepsTheProfile()
    {
        for (const char *suffix : OldSuffixes) {
            const QString file = path(QStringLiteral("kept") + QLatin1String(suffix));
            RecordingReporter r;
            tProfile p;
            p.OwnerList = QStringList{QStringLiteral("Owner")};
            tProfile back;
            QVERIFY(SaveProfile(p, file, r) && LoadProfile(back, file, r));
            QVERIFY2(back.OwnerList == p.OwnerList && r.messages.isEmpty(), suffix);
        }
    }

    void endlessFilesAreLoadErrors()
    {
        if (!QFile::exists(QStringLiteral("/dev/zero")))
            QSKIP("no /dev/zero");
        const std::pair<const char *, bool> cases[] = {{".usr", false}, {".ext", true}, {".own", true}, {".pro", true}};
        for (const auto &[suffix, listError] : cases) {
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("z.ch5"));
            QVERIFY(writeBytes(file, recordWithVersion(QStringLiteral("7.04"))));
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("z")) + QLatin1String(suffix)));
            RecordingReporter r;
            tProfile p;
            QVERIFY(!LoadProfile(p, file, r));
            QCOMPARE(r.messages.first(), listError ? QStringLiteral("Error loading file: ") + file
                                                   : QStringLiteral("Could not load user settings file"));
            QCOMPARE(p.Users.Count(), 0);
        }
    }

    void pathFieldsHoldTheFileSystemsBytes()
    {
        const QString file = QStringLiteral("/home/\u0430\u043d\u044f/\u2019\u20ac \u0142\u00e9/chat.log");
        tChatSettings s;
        s.setLogFileName(file);
        QCOMPARE(s.LogFileName(), file);
        tUser u;
        u.setJoinSound(file);
        QCOMPARE(u.JoinSound(), file);
        const auto *stored = reinterpret_cast<const char *>(&u.Rec.bytes[tUserRec::JoinSoundOffset]);
        QCOMPARE(QByteArray(stored + 1, stored[0]), QFile::encodeName(file));
        // Cut to the field on a character boundary: 200 two-byte letters keep 127 of them.
        u.setLeaveSound(QString(200, QChar(0x436)));
        QCOMPARE(u.LeaveSound(), QString(127, QChar(0x436)));
    }

    void profilesInADottedFolderKeepTheirOwnFiles()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("cfg.d")));
        RecordingReporter r;
        tProfile a, b;
        a.OwnerList << QStringLiteral("OwnerA");
        b.OwnerList << QStringLiteral("OwnerB");
        QVERIFY(SaveProfile(a, path(QStringLiteral("cfg.d/a.ch5")), r));
        QVERIFY(SaveProfile(b, path(QStringLiteral("cfg.d/b.ch5")), r));
        QVERIFY(QFile::exists(path(QStringLiteral("cfg.d/a.ext"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("cfg.ext"))));
        tProfile loaded;
        QVERIFY(LoadProfile(loaded, path(QStringLiteral("cfg.d/a.ch5")), r));
        QCOMPARE(loaded.OwnerList, QStringList{QStringLiteral("OwnerA")});
    }

    void filesSavedUnderTheWholePathRuleAreStillFound()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("old.d")));
        const QString file = path(QStringLiteral("old.d/main.ch5"));
        writeBytes(file, recordWithVersion(QStringLiteral("7.04")));
        writeBytes(path(QStringLiteral("old.ext")), "OwnerList=Legacy\r\n");
        tUserList users;
        users.Add(std::make_unique<tUser>());
        QVERIFY(users.SaveToFile(path(QStringLiteral("old.usr"))));
        RecordingReporter r;
        tProfile p;
        QVERIFY(LoadProfile(p, file, r));
        QCOMPARE(p.OwnerList, QStringList{QStringLiteral("Legacy")});
        QCOMPARE(p.Users.Count(), 1);

        // Once saved the new way, the new files win.
        p.OwnerList = QStringList{QStringLiteral("New")};
        QVERIFY(SaveProfile(p, file, r));
        QVERIFY(QFile::exists(path(QStringLiteral("old.d/main.ext"))));
        tProfile q;
        QVERIFY(LoadProfile(q, file, r));
        QCOMPARE(q.OwnerList, QStringList{QStringLiteral("New")});
    }

    void emptyUserListEmptiesTheUsrFile()
    {
        RecordingReporter r;
        tProfile p;
        p.Users.Add(std::make_unique<tUser>());
        const QString file = path(QStringLiteral("del.ch5"));
        QVERIFY(SaveProfile(p, file, r));
        QCOMPARE(QFile(path(QStringLiteral("del.usr"))).size(), 4096);
        p.Users.Clear();
        QVERIFY(SaveProfile(p, file, r));
        QCOMPARE(QFile(path(QStringLiteral("del.usr"))).size(), 0);
        tProfile q;
        QVERIFY(LoadProfile(q, file, r));
        QCOMPARE(q.Users.Count(), 0);
    }

    void failingSavesAreReportedAndKeepOldFiles()
    {
        const QString file = path(QStringLiteral("fail.ch5"));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("fail.ext"))); // a folder where the list file goes
        writeBytes(path(QStringLiteral("fail.own")), "KeptOwner\r\n");
        RecordingReporter r;
        tProfile p;
        QVERIFY(!SaveProfile(p, file, r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Error saving file: ") + file});
        QVERIFY(QFile::exists(path(QStringLiteral("fail.own"))));

        // A profile named like its own list file would be overwritten by it.
        r.messages.clear();
        writeBytes(path(QStringLiteral("self.ext")), "OwnerList=Safe\r\n");
        QVERIFY(!SaveProfile(p, path(QStringLiteral("self.ext")), r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Error saving file: ") + path(QStringLiteral("self.ext"))});
        QCOMPARE(fileBytes(path(QStringLiteral("self.ext"))), QByteArray("OwnerList=Safe\r\n"));

        r.messages.clear();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("u.usr")));
        QVERIFY(!SaveProfile(p, path(QStringLiteral("u.ch5")), r));
        QCOMPARE(r.messages, QStringList{QStringLiteral("Could not save user settings file")});
    }

    void randomFilesNeverBreakTheLoader()
    {
        QRandomGenerator rng(20240611);
        const QString file = path(QStringLiteral("fuzz.ch5"));
        for (int round = 0; round < 150; ++round) {
            auto junk = [&rng](int maxSize) {
                QByteArray b(int(rng.bounded(maxSize)), Qt::Uninitialized);
                for (char &c : b)
                    c = "=\r\nAaOwnerList=ChatAction\xFF\x00"[rng.bounded(26)];
                if (rng.bounded(3) == 0)
                    for (char &c : b)
                        c = char(rng.bounded(256));
                return b;
            };
            writeBytes(file, junk(9000));
            if (round % 2)
                writeBytes(path(QStringLiteral("fuzz.ext")), junk(3000));
            else
                QFile::remove(path(QStringLiteral("fuzz.ext")));
            writeBytes(path(QStringLiteral("fuzz.cm")), junk(200));
            writeBytes(path(QStringLiteral("fuzz.usr")), junk(12300));
            RecordingReporter r;
            tProfile p;
            const bool ok = LoadProfile(p, file, r);
            QCOMPARE(ok, r.messages.isEmpty());
            for (int i = 0; i < p.Users.Count(); ++i)
                QVERIFY(p.Users.Items(i)->Name().size() <= 16);
            QVERIFY(p.Settings.Version() == QStringLiteral("7.04") || !ok);
        }
    }
};

QC_TEST(ProfileFilesTest)
#include "ProfileFilesTest.moc"
