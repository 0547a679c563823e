#include "TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/ChannelDialogs.h"
#include "dialogs/UrlDialog.h"
#include "profile/Profile.h"

class ChannelDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void selectChannelStartsFromTheCurrentChannel()
    {
        tProfile p;
        p.ChannelList = {QStringLiteral("zeta"), QStringLiteral("Alpha"), QStringLiteral("beta")};
        TfrmSelectChannel known(p, QStringLiteral("BETA"));
        QCOMPARE(known.edChannel->text(), QStringLiteral("beta"));
        TfrmSelectChannel unknown(p, QStringLiteral("Elsewhere"));
        QCOMPARE(unknown.edChannel->text(), QStringLiteral("Alpha")); // the first, sorted ignoring case
        QCOMPARE(unknown.lstChannel->item(2)->text(), QStringLiteral("zeta"));
    }

    void emptyNameConfirms()
    {
        tProfile p;
        p.ChannelList.clear();
        TfrmSelectChannel dlg(p, QString());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClick(dlg.edChannel, Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Channel(), QString());
    }

    void addThenCancelKeepsTheList()
    {
        tProfile p;
        p.ChannelList = {QStringLiteral("Op Room")};
        TfrmSelectChannel dlg(p, QString());
        dlg.edChannel->setText(QStringLiteral("op room"));
        dlg.btnAdd->click(); // listed already, ignoring case: nothing added, but marked
        QVERIFY(p.Modified);
        QCOMPARE(dlg.lstChannel->count(), 1);
        dlg.edChannel->setText(QStringLiteral("Clan Home"));
        dlg.btnAdd->click();
        dlg.btnCancel->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(p.ChannelList, (QStringList{"Clan Home", "Op Room"}));
    }

    void deleteAndClearAsk()
    {
        tProfile p;
        p.ChannelList = {QStringLiteral("a"), QStringLiteral("b")};
        TfrmSelectChannel dlg(p, QStringLiteral("b"));
        QStringList asked;
        bool answer = false;
        dlg.Confirm = [&](const QString &q) { asked << q; return answer; };
        dlg.btnDelete->click();
        QCOMPARE(dlg.lstChannel->count(), 2);
        QVERIFY(!p.Modified);
        answer = true;
        dlg.btnDelete->click();
        QCOMPARE(asked, (QStringList{"Delete channel b?", "Delete channel b?"}));
        QCOMPARE(dlg.lstChannel->count(), 1);
        dlg.lstChannel->setCurrentRow(-1);
        dlg.btnClear->click(); // nothing selected: no question
        QCOMPARE(asked.size(), 2);
        dlg.lstChannel->setCurrentRow(0);
        dlg.btnClear->click();
        QCOMPARE(asked.last(), QStringLiteral("Clear channel list?"));
        dlg.reject();
        QVERIFY(p.ChannelList.isEmpty());
    }

    void editFavorites()
    {
        tProfile p;
        p.Favorite = {QStringLiteral("one"), QStringLiteral("two")};
        TfrmEditFavorites dlg(p);
        dlg.btnMoveDown->click(); // nothing selected
        QCOMPARE(dlg.Rules().Favorites, (QStringList{"one", "two"}));
        dlg.lstFavorites->setCurrentRow(1);
        dlg.btnMoveUp->click();
        QCOMPARE(dlg.Rules().Favorites, (QStringList{"two", "one"}));
        dlg.AskNew = [](QString &a) { a.clear(); return true; };
        dlg.btnNew->click();
        QCOMPARE(dlg.Rules().Favorites.size(), 3);
        QCOMPARE(p.Favorite, (QStringList{"one", "two"})); // not before Ok
        dlg.btnOk->click();
        QCOMPARE(p.Favorite, (QStringList{"two", "one", ""}));
        QVERIFY(p.Modified);

        tProfile q;
        q.Favorite = {QStringLiteral("x")};
        TfrmEditFavorites cancelled(q);
        cancelled.lstFavorites->setCurrentRow(0);
        cancelled.btnDelete->click();
        cancelled.btnCancel->click();
        QCOMPARE(q.Favorite, QStringList{"x"});
        QVERIFY(!q.Modified);
    }

    void urlDialog()
    {
        TfrmUrl dlg(QStringLiteral("Bob"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Send URL to Bob"));
        QCOMPARE(dlg.Label1->text(), QStringLiteral("Send URL to Bob:"));
        QCOMPARE(dlg.edURL->text(), QString());
        const std::pair<const char *, const char *> cases[] = {
            {"HtTp://Example.org/A", "HtTp://Example.org/A"},
            {"example.org", "http://example.org"},
            {"HTTPS://x.org", "HTTPS://x.org"},
            {"ftp.x.org", "http://ftp.x.org"},
            {"", "http://"},
        };
        for (const auto &c : cases) {
            dlg.edURL->setText(QString::fromLatin1(c.first));
            QCOMPARE(dlg.Address(), QString::fromLatin1(c.second));
        }
    }
};
QC_TEST(ChannelDialogsTest)
#include "ChannelDialogsTest.moc"
