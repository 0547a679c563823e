#include "TestMain.h"

#include <QDir>
#include <QTemporaryDir>

#include "profile/Profile.h"
#include "view/ChatTools.h"

namespace {
void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

struct Host
{
    bool loggedOn = true;
    QStringList sent, played, written;
    tToolHost host()
    {
        return {[this] { return loggedOn; }, [this](const QString &l) { sent << l; },
                [this](const QString &p) { played << p; }, [this](const QString &t, const QColor &) { written << t; }};
    }
};
} // namespace

class ChatToolsTest : public QObject
{
    Q_OBJECT
private slots:
    void soundTreeFromFoldersWithCapitals()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        QVERIFY(ListSounds(root).Folders.isEmpty());
        touch(root + QStringLiteral("SOUNDS/Fun Stuff/Big&Bell.WAV"));
        touch(root + QStringLiteral("SOUNDS/Fun Stuff/readme.txt"));
        touch(root + QStringLiteral("SOUNDS/b.wav"));
        touch(root + QStringLiteral("SOUNDS/A.wav"));
        const tSoundTree t = ListSounds(root);
        QCOMPARE(t.Folders.size(), 1);
        QCOMPARE(t.Folders[0].Caption, QStringLiteral("fun stuff"));
        QCOMPARE(t.Folders[0].Sounds.size(), 1);
        QCOMPARE(t.Folders[0].Sounds[0].Caption, QStringLiteral("big&bell.wav"));
        QCOMPARE(t.Folders[0].Sounds[0].Path, root + QStringLiteral("SOUNDS/Fun Stuff/Big&Bell.WAV"));
        QCOMPARE(t.Sounds.size(), 2);
        QCOMPARE(t.Sounds[0].Caption, QStringLiteral("a.wav")); // sorted ignoring case
        QCOMPARE(SoundName(t.Folders[0].Sounds[0].Caption), QStringLiteral("big&bell.wav")); // sent as named
    }

    void sendingSounds()
    {
        QTemporaryDir dir;
        const QString wav = dir.filePath(QStringLiteral("x.wav"));
        touch(wav);
        tProfile p;
        p.Settings.setPlaySoundsLocally(true);
        Host h;
        tChatTools tools(p, h.host());
        tools.SendSound(QString(), {QStringLiteral("x.wav"), wav});
        tools.SendSound(QStringLiteral("Bob"), {QStringLiteral("gone.wav"), dir.filePath(QStringLiteral("gone.wav"))});
        QCOMPARE(h.sent, (QStringList{"~playsound x.wav\r", "/w Bob ~playsound gone.wav\r"}));
        QCOMPARE(h.played, QStringList{wav}); // the missing file is still sent, not played
        QCOMPARE(h.written, (QStringList{"Playing sound: x.wav", "Sending sound to Bob: gone.wav"}));
        p.Settings.setPlaySoundsLocally(false);
        tools.SendSound(QString(), {QStringLiteral("x.wav"), wav});
        QCOMPARE(h.played.size(), 1);
        h.loggedOn = false;
        tools.SendSound(QString(), {QStringLiteral("x.wav"), wav});
        QCOMPARE(h.sent.size(), 3);
    }

    void favorites()
    {
        tProfile p;
        Host h;
        h.loggedOn = false;
        tChatTools tools(p, h.host());
        QString channel;
        tools.AddFavorite(channel);
        QCOMPARE(channel, QString()); // the current channel is not renamed
        tools.AddFavorite(channel);
        QCOMPARE(p.Favorite, (QStringList{"New Channel", "New Channel"}));
        QVERIFY(p.Modified);
        tools.ClickFavorite(0); // not logged on: nothing
        tools.JoinFavorite(0);  // the menu does not ask
        tools.ListFavorite(1);
        tools.JoinFavorite(5);
        QCOMPARE(h.sent, (QStringList{"/join New Channel\r", "/who New Channel\r"}));
        h.loggedOn = true;
        tools.EditFavorite(1, QStringLiteral("Clan X"));
        tools.ClickFavorite(1);
        QCOMPARE(h.sent.last(), QStringLiteral("/join Clan X\r"));
        tools.DeleteFavorite(0);
        tools.DeleteFavorite(3);
        QCOMPARE(p.Favorite, QStringList{"Clan X"});
    }

    void sendUrlAndOpen()
    {
        tProfile p;
        Host h;
        tChatTools(p, h.host()).SendUrl(QStringLiteral("Bob"), QStringLiteral("http://x.org"));
        QCOMPARE(h.sent, QStringList{"/msg Bob /url http://x.org\r"});
        QCOMPARE(h.written, QStringList{"URL has been sent to Bob."});
        const std::pair<const char *, const char *> open[] = {
            {"http://x.org/a?b=1", "http://x.org/a?b=1"},
            {"www.x.org:8080/p", "http://www.x.org:8080/p"},
            {"HTTPS://X.org", "https://x.org"},
            {"file:///etc/passwd", ""},
            {"javascript:alert(1)", ""},
            {"ftp://x.org/f", ""},
            {"/usr/bin/xterm", ""},
            {"", ""},
        };
        for (const auto &c : open)
            QCOMPARE(UrlToOpen(QString::fromLatin1(c.first)).toString(), QString::fromLatin1(c.second));
    }
};
QC_TEST(ChatToolsTest)
#include "ChatToolsTest.moc"
