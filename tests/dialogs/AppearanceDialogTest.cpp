#include "TestMain.h"

#include "FakeDialogPrompts.h"
#include "dialogs/AppearanceDialog.h"
#include "dialogs/AppearanceSample.h"
#include "dialogs/ColorSwatch.h"
#include "profile/Profile.h"

#include <QComboBox>
#include <QPushButton>
#include <set>

class AppearanceDialogTest : public QObject
{
    Q_OBJECT
    FakeDialogPrompts prompts;
    tProfile profile;
    int applied = 0;

private slots:
    void init()
    {
        prompts = FakeDialogPrompts();
        profile = tProfile();
        applied = 0;
    }

    void itemsCoverEveryRoleButTheReservedSlot()
    {
        std::set<int> roles;
        for (int i = 0; i < tAppearanceModel::ItemCount; ++i)
            roles.insert(tAppearanceModel::ItemRole(i));
        QCOMPARE(int(roles.size()), 18);
        QVERIFY(!roles.count(ReservedColor10));
        QCOMPARE(tAppearanceModel::ItemRole(15), YourNameColor);
    }

    void colourChange()
    {
        TfrmAppearance d(profile, prompts, [this] { ++applied; });
        QCOMPARE(d.cmColor->currentText(), QStringLiteral("Info Color"));
        d.btnChange->click(); // cancelled: still marks and applies
        QVERIFY(profile.Modified);
        QCOMPARE(applied, 1);
        QCOMPARE(profile.Settings.Color(InfoColor), 0x00FFFF00u);
        d.cmColor->setCurrentIndex(10);
        emit d.cmColor->activated(10);
        prompts.colours = {QColor(Qt::red)};
        emit d.pnlColor->clicked();
        QCOMPARE(profile.Settings.Color(WhisperBackground), 0x000000FFu);
        QCOMPARE(d.pnlColor->color(), QColor(Qt::red));
        QCOMPARE(profile.Settings.Color(ReservedColor10), 0u);
    }

    void clickingMiniaturesSelectsItems()
    {
        TfrmAppearance d(profile, prompts, [] {});
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const auto click = [&](TSamplePane *pane, const QString &text) {
            QTest::mouseClick(pane, Qt::LeftButton, {}, pane->TextRect(text).center());
            return d.cmColor->currentText();
        };
        QCOMPARE(click(d.pnlWhisper, QStringLiteral("<To: SomeName>")), QStringLiteral("Your Name Color"));
        QCOMPARE(click(d.pnlSample, QStringLiteral("This is an error line")), QStringLiteral("Error Color"));
        QCOMPARE(click(d.pnlUser, QStringLiteral("SomeName")), QStringLiteral("Highlight Color"));
        QTest::mouseClick(d.pnlUser, Qt::LeftButton, {}, QPoint(d.pnlUser->width() - 8, d.pnlUser->TextRect(QStringLiteral("SomeName")).center().y()));
        QCOMPARE(d.cmColor->currentText(), QStringLiteral("Highlight Background"));
        QTest::mouseClick(d.pnlDef, Qt::LeftButton, {}, QPoint(d.pnlDef->width() - 8, d.pnlDef->height() - 4));
        QCOMPARE(d.cmColor->currentText(), QStringLiteral("Custom User Background"));
    }

    void fonts()
    {
        profile.Settings.setColor(TextColor, 0x00123456);
        TfrmAppearance d(profile, prompts, [this] { ++applied; });
        QFont picked(QStringLiteral("Courier New"), 14);
        picked.setBold(true);
        prompts.fonts = {std::nullopt, picked, std::nullopt};
        d.btnFont[1]->click(); // cancelled: nothing
        QVERIFY(!profile.Modified && applied == 0);
        d.btnFont[1]->click();
        d.btnFont[0]->click();
        const tFontRec rec = profile.Settings.WhisperFont();
        QCOMPARE(rec.Color, 0x00123456u);
        QCOMPARE(rec.FontSize, 14);
        QCOMPARE(rec.FontStyle, std::uint8_t(tFontRec::Bold));
        QVERIFY(profile.Modified);
        QCOMPARE(applied, 1);
        // The picker starts from its own default, later from the font picked last.
        QCOMPARE(prompts.fontStarts.at(0).family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(prompts.fontStarts.at(0).pointSize(), 8);
        QCOMPARE(prompts.fontStarts.at(2).pointSize(), 14);
        int closed = 0;
        d.OnClose = [&] { ++closed; };
        d.btnDone->click();
        QCOMPARE(closed, 1);
    }
};

QC_TEST(AppearanceDialogTest)
#include "AppearanceDialogTest.moc"
