#include "TestMain.h"

#include <QDir>
#include <QSoundEffect>
#include <QTemporaryDir>

#include "view/Sound.h"

namespace {
void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
}
} // namespace

class SoundTest : public QObject
{
    Q_OBJECT
private slots:
    void searchIgnoresLetterCase()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        QCOMPARE(FindSound(root, QStringLiteral("bell.wav")), QString()); // no Sounds folder at all
        touch(root + QStringLiteral("sounds/Fun/Bell.WAV"));
        touch(root + QStringLiteral("sounds/Other/ding.wav"));
        QCOMPARE(SoundsFolder(root), root + QStringLiteral("sounds"));
        QCOMPARE(FindSound(root, QStringLiteral("bell.wav")), root + QStringLiteral("sounds/Fun/Bell.WAV"));
        QCOMPARE(FindSound(root, QStringLiteral("DING.wav")), root + QStringLiteral("sounds/Other/ding.wav"));
        QCOMPARE(FindSound(root, QStringLiteral("missing.wav")), QString());
        // The Sounds folder itself comes before its sub-folders.
        touch(root + QStringLiteral("sounds/bell.wav"));
        QCOMPARE(FindSound(root, QStringLiteral("Bell.wav")), root + QStringLiteral("sounds/bell.wav"));
    }

    void namesThatLeaveTheFolderAreRefused()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        touch(root + QStringLiteral("Sounds/a.wav"));
        touch(root + QStringLiteral("secret.wav"));
        QCOMPARE(FindSound(root, QStringLiteral("../secret.wav")), QString());
        QCOMPARE(FindSound(root, QStringLiteral("..\\secret.wav")), QString());
        QCOMPARE(FindSound(root, root + QStringLiteral("secret.wav")), QString());
        QCOMPARE(FindSound(root, QStringLiteral("..")), QString());
        QCOMPARE(FindSound(root, QString()), QString());
        QCOMPARE(FindSound(root, QStringLiteral("a.wav")), root + QStringLiteral("Sounds/a.wav"));
    }

    void playingAMissingFileIsSilent()
    {
        tQtSoundPlayer player;
        player.PlaySound(QStringLiteral("/no/such/file.wav"));
        player.PlaySound(QString());
        QCOMPARE(player.findChildren<QObject *>().size(), 0);
    }

    void aNewSoundReplacesThePlayingOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        QFile f(path); // one second of 8 kHz 8-bit mono silence
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("RIFF\x64\x1f\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0data\x40\x1f\0\0", 44)
                + QByteArray(8000, char(0x80)));
        f.close();
        tQtSoundPlayer player;
        for (int i = 0; i < 3; ++i)
            player.PlaySound(path);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(player.findChildren<QSoundEffect *>().size(), 1);
    }

    void aFileThatIsNoSoundIsReleased()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.wav"));
        touch(path); // four bytes: no wave file a player accepts
        tQtSoundPlayer player;
        for (int i = 0; i < 3; ++i)
            player.PlaySound(path);
        QTRY_COMPARE_WITH_TIMEOUT(player.findChildren<QObject *>().size(), 0, tQtSoundPlayer::LoadGraceMs + 3000);
    }
};
QC_TEST(SoundTest)
#include "SoundTest.moc"
