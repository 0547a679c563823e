#include "TestMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "../automation/FakeHost.h"
#include "dialogs/Macros.h"
#include "dialogs/TextFiles.h"

class AutomationDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void macroKeys()
    {
        tProfile p;
        p.MacroKeys = {"A", "a"};
        p.MacroList = {"earlier", "later"};
        TfrmMacros d(p);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("Macro Keys"));
        QCOMPARE(d.cmKey->count(), 26);
        QCOMPARE(d.cmKey->itemText(25), QStringLiteral("Ctrl-Alt-Z"));
        QCOMPARE(d.edAction->text(), QStringLiteral("later"));
        d.cmKey->setCurrentIndex(2);
        QVERIFY(d.edAction->text().isEmpty() && !p.Modified); // showing a slot changes nothing
        QTest::keyClicks(d.edAction, QStringLiteral("/ban <user>"));
        QVERIFY(p.Modified);
        d.cmKey->setCurrentIndex(0);
        QCOMPARE(d.edAction->text(), QStringLiteral("later"));
        QTest::keyClick(d.edAction, Qt::Key_Return); // "&Ok" is the default button
        QCOMPARE(p.MacroKeys, (QStringList{"A", "C"}));
        QCOMPARE(p.MacroList, (QStringList{"later", "/ban <user>"}));

        TfrmMacros cancelled(p);
        cancelled.show();
        QTest::keyClicks(cancelled.edAction, QStringLiteral("x"));
        QTest::keyClick(&cancelled, Qt::Key_Escape);
        QCOMPARE(p.MacroList, (QStringList{"later", "/ban <user>"}));
    }

    void textFileSettings()
    {
        Rig r;
        QTemporaryDir dir;
        const QString good = dir.filePath("a.txt");
        QFile f(good);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("line\r\n") > 0);
        f.close();
        QStringList answers{dir.filePath("missing.txt"), good}, messages, help;
        int asked = 0;
        TfrmText d(
            r.a, [&](TfrmText::PathFn done) { done(answers.value(asked++)); }, [&](const QString &m) { messages << m; },
            [&](const QString &t) { help << t; });
        QTest::keyClicks(d.edUser, QStringLiteral("Bob"));
        QCOMPARE(r.target, QStringLiteral("Bob")); // kept at once
        // Execute without a file asks for one; an unreadable one is reported and the dialog stays.
        QTest::mouseClick(d.btnExecute, Qt::LeftButton);
        QCOMPARE(messages, QStringList{"Could not open text file"});
        QVERIFY(!r.a.TextFile().Reciting && d.result() == QDialog::Rejected && r.fileName.isEmpty());
        QTest::mouseClick(d.btnExecute, Qt::LeftButton);
        QCOMPARE(d.edFile->text(), good);
        QVERIFY(r.a.TextFile().Reciting && d.result() == QDialog::Accepted);
        QCOMPARE(r.host.written.last(), "Executing text file: " + good);
        QTest::mouseClick(d.btnHelp, Qt::LeftButton);
        QCOMPARE(help, QStringList{"Text Files  "});
    }
};
QC_TEST(AutomationDialogsTest)
#include "AutomationDialogsTest.moc"
