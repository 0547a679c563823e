#include "TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "profile/ToolbarFile.h"

Q_DECLARE_METATYPE(QList<qint32>)

class ToolbarFileTest : public QObject
{
    Q_OBJECT
private slots:
    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "missing" for no file at all
        QTest::addColumn<QList<qint32>>("expected");
        const QList<qint32> def = toolbar::DefaultDefinition();
        QTest::newRow("missing") << QByteArray("missing") << def;
        QTest::newRow("empty file: empty bar") << QByteArray() << QList<qint32>();
        QTest::newRow("little-endian, 40 kept") << QByteArray("\x01\0\0\0\x28\0\0\0\0\0\0\0", 12) << QList<qint32>{1, 40, 0};
        QTest::newRow("negative") << QByteArray("\xff\xff\xff\xff", 4) << QList<qint32>{-1};
        QTest::newRow("truncated") << QByteArray("\x01\0\0\0\x02\0", 6) << def;
        QTest::newRow("oversized") << QByteArray((toolbar::MaxEntries + 1) * 4, '\0') << def;
        QTest::newRow("fifo: not waited for") << QByteArray("fifo") << def;
    }
    void load()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<qint32>, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Toolbar.dat"));
        if (bytes == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else if (bytes != "missing") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        // A FIFO's writer comes late and writes nothing: a reader that waited gets an empty bar.
        std::thread writer([&] {
            if (bytes != "fifo")
                return;
            QThread::msleep(1500);
            ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
        });
        const QList<qint32> loaded = toolbar::Load(path);
        writer.join();
        QCOMPARE(loaded, expected);
    }

    void roundTripWritesFourBytesEach()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Toolbar.dat"));
        const QList<qint32> def{0, 16, 40, 0, 5};
        toolbar::Save(path, def);
        QCOMPARE(QFileInfo(path).size(), 20);
        QCOMPARE(toolbar::Load(path), def);
        toolbar::Save(path, {});
        QCOMPARE(QFileInfo(path).size(), 0);
        toolbar::Save(dir.filePath(QStringLiteral("no/such/folder/Toolbar.dat")), def); // ignored
    }
};
QC_TEST(ToolbarFileTest)
#include "ToolbarFileTest.moc"
