#include "TestMain.h"

#include <QPainter>

#include "ui/UserIcons.h"
#include "ui/UserListView.h"
#include "view/ChannelUsers.h"

class UserListViewTest : public QObject
{
    Q_OBJECT
    // The icon area of one drawn entry.
    static QImage drawIconArea(TUserListDelegate &d, tChannelUsers &users, int row, const QColor &base)
    {
        QStyleOptionViewItem opt;
        opt.rect = QRect(0, 0, 120, 20);
        opt.palette.setColor(QPalette::Base, base);
        opt.palette.setColor(QPalette::Text, Qt::white);
        QImage img(120, 20, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::magenta);
        QPainter p(&img);
        d.paint(&p, opt, users.index(row));
        p.end();
        return img.copy(0, 0, TIconTable::IconWidth, 20);
    }
    static QImage expected(const QPixmap &icon, const QColor &base)
    {
        QImage img(TIconTable::IconWidth, 20, QImage::Format_ARGB32_Premultiplied);
        img.fill(base);
        QPainter p(&img);
        if (!icon.isNull())
            p.drawPixmap(0, (20 - TIconTable::IconHeight) / 2, icon);
        return img;
    }

private slots:
    void builtinIcons()
    {
        TIconTable icons;
        QCOMPARE(icons.Count(), tChannelUsers::BuiltinIconCount);
        for (int i = 0; i < icons.Count(); ++i)
            QCOMPARE(icons.Image(i).size(), QSize(TIconTable::IconWidth, TIconTable::IconHeight));
        QVERIFY(icons.Image(1).toImage() != icons.Image(3).toImage());
        QVERIFY(icons.Image(21).isNull());
        QVERIFY(icons.Image(-1).isNull());
    }

    void squelchedEntriesShowImageNine()
    {
        TIconTable icons;
        TUserListDelegate d(icons);
        tChannelUsers users;
        users.EnterChannel(QStringLiteral("Chat"));
        users.Add(QStringLiteral("Star"), QStringLiteral("0000"), QStringLiteral("STAR"));
        users.Add(QStringLiteral("Quiet"), QStringLiteral("0000"), QStringLiteral("STAR"));
        users.SetFlags(QStringLiteral("Quiet"), QStringLiteral("0020"));
        users.Add(QStringLiteral("NoIcon"), QStringLiteral("0020"), QStringLiteral("WAR3"));
        const QColor base(Qt::black);
        QCOMPARE(drawIconArea(d, users, 0, base), expected(icons.Image(3), base));
        QCOMPARE(drawIconArea(d, users, 1, base), expected(icons.Image(9), base));
        // Squelched, but without an image: no icon at all.
        QCOMPARE(drawIconArea(d, users, 2, base), expected(QPixmap(), base));
        d.IncludeIcons = false;
        QVERIFY(drawIconArea(d, users, 1, base) != expected(icons.Image(9), base));
    }
};
QC_TEST(UserListViewTest)
#include "UserListViewTest.moc"
