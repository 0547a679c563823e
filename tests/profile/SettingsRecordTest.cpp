#include "TestMain.h"

#include "profile/ChatSettings.h"

#include <QFont>
#include <cstring>
#include <functional>

namespace {
using Bytes = std::array<std::uint8_t, 4096>;

void putU32(Bytes &b, int at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[size_t(at + i)] = std::uint8_t(v >> (8 * i));
}

void putStr(Bytes &b, int at, const char *s)
{
    b[size_t(at)] = std::uint8_t(std::strlen(s));
    std::memcpy(&b[size_t(at + 1)], s, std::strlen(s));
}

// The record after a reset, written out from the layout table by hand.
Bytes goldenDefaults()
{
    Bytes b{};
    for (int font : {0, 274, 548}) {
        putU32(b, font + 0, 0);
        putU32(b, font + 4, 0x00FFFF00);
        putU32(b, font + 8, 0xFFFFFFFF);
        putStr(b, font + 12, "Arial");
        b[size_t(font + 268)] = 0;
        putU32(b, font + 269, 10);
        b[size_t(font + 273)] = 0;
    }
    const std::uint32_t colours[19] = {0x00FFFF00, 0x000000FF, 0x0000FFFF, 0x00FFFFFF, 0x00FFFFFF,
                                       0x0000FF00, 0x00FFFF00, 0x00FFFFFF, 0x00FF0000, 0x00C0C0C0,
                                       0, 0, 0, 0x00FFFF00, 0x00FFFF00, 0, 0, 0, 0x00FFFF00};
    for (int i = 0; i < 19; ++i)
        putU32(b, 822 + 4 * i, colours[i]);
    b[900] = 1;
    putStr(b, 901, "Guest");
    putStr(b, 1413, "useast.battle.net");
    putStr(b, 1925, "gone fishing");
    putStr(b, 2181, "busy");
    putU32(b, 2437, 4);
    b[2441] = 2;
    b[2443] = 1;
    b[2444] = 1;
    putStr(b, 2704, "7.04");
    for (int i = 2709; i < 2713; ++i)
        b[size_t(i)] = 1;
    putU32(b, 2713, 5);
    putU32(b, 2717, 20);
    b[2722] = 1;
    b[2987] = 1;
    b[2988] = 1;
    b[2991] = 1;
    return b;
}

QList<int> changedOffsets(const Bytes &a, const Bytes &b)
{
    QList<int> out;
    for (int i = 0; i < 4096; ++i)
        if (a[size_t(i)] != b[size_t(i)])
            out << i;
    return out;
}
} // namespace

class SettingsRecordTest : public QObject
{
    Q_OBJECT
private slots:
    void resetGivesTheGoldenImageAndKeepsAwayReasons()
    {
        tChatSettings s;
        s.bytes.fill(0xAA);
        s.setAwayMessage(QStringLiteral("gone fishing"));
        s.setDNDMessage(QStringLiteral("busy"));
        ResetSettings(s);
        const Bytes golden = goldenDefaults();
        QCOMPARE(changedOffsets(s.bytes, golden), QList<int>());
        QCOMPARE(s.UserName(), QStringLiteral("Guest"));
        QCOMPARE(s.Version(), QStringLiteral("7.04"));
        QCOMPARE(s.ChatFont().Name, QStringLiteral("Arial"));
        QCOMPARE(s.Color(HighlightBackground), 0x00FF0000u);
    }

    void eachAccessorTouchesOnlyItsOffset()
    {
        using S = tChatSettings;
        const std::pair<int, void (S::*)(bool)> bools[] = {
            {898, &S::setIncludePlainText}, {899, &S::setEnterLeaveNotify}, {900, &S::setIncludeIcons},
            {2442, &S::setWhoisOnJoin}, {2443, &S::setAutoRejoin}, {2444, &S::setShowToolbar},
            {2701, &S::setLogTime}, {2702, &S::setLogEvents}, {2703, &S::setKeepLog},
            {2721, &S::setAllowMultiPasswords}, {2722, &S::setAcceptSounds}, {2723, &S::setRespondPhrases},
            {2724, &S::setRespondWhispers}, {2725, &S::setMasterEvents}, {2726, &S::setAutoBan},
            {2727, &S::setBanAllExcept}, {2728, &S::setRespondJoins}, {2985, &S::setRespondTimers},
            {2988, &S::setPlaySoundsLocally}, {2989, &S::setAutoReconnect}, {2990, &S::setUseGameServer},
            {2991, &S::setShowFavorites}};
        const std::pair<int, void (S::*)(const QString &)> strings[] = {
            {901, &S::setUserName}, {1157, &S::setPassword}, {1413, &S::setServer}, {1669, &S::setHomeChannel},
            {1925, &S::setAwayMessage}, {2181, &S::setDNDMessage}, {2445, &S::setLogFileName},
            {2704, &S::setVersion}, {2729, &S::setJoinResponse}};
        const std::pair<int, void (S::*)(std::int32_t)> ints[] = {
            {2437, &S::setReciteDelay}, {2713, &S::setConnectTimeout}, {2717, &S::setLoginTimeout}};
        // On an all-zero record each setter must change exactly the bytes of its field.
        auto check = [](int offset, const Bytes &expected, const std::function<void(S &)> &set) {
            S s;
            set(s);
            QVERIFY2(s.bytes == expected, qPrintable(QStringLiteral("field at %1").arg(offset)));
        };
        for (auto [at, set] : bools) {
            Bytes e{};
            e[size_t(at)] = 1;
            check(at, e, [set = set](S &s) { (s.*set)(true); });
        }
        for (auto [at, set] : strings) {
            Bytes e{};
            putStr(e, at, "abc");
            check(at, e, [set = set](S &s) { (s.*set)(QStringLiteral("abc")); });
        }
        for (auto [at, set] : ints) {
            Bytes e{};
            putU32(e, at, 0x01020304);
            check(at, e, [set = set](S &s) { (s.*set)(0x01020304); });
        }
        Bytes e{};
        e[2441] = 7;
        check(2441, e, [](S &s) { s.setDoubleClickAction(7); });
        e = Bytes{};
        putU32(e, 894, 0x01020304);
        check(894, e, [](S &s) { s.setColor(CustomUserColor, 0x01020304); });
        e = Bytes{};
        putU32(e, 274 + 4, 0x01020304);
        putStr(e, 274 + 12, "Arial");
        putU32(e, 274 + 269, 10);
        check(274, e, [](S &s) {
            tFontRec f;
            f.Color = 0x01020304;
            s.setWhisperFont(f);
        });
    }

    void stringsAreCutAndHostileLengthsClamped()
    {
        tChatSettings s;
        s.setPassword(QString(300, QLatin1Char('p')));
        QCOMPARE(s.bytes[1157], std::uint8_t(255));
        QCOMPARE(s.Password().size(), 255);
        s.setVersion(QStringLiteral("12345"));
        QCOMPARE(s.Version(), QStringLiteral("1234"));
        QCOMPARE(s.bytes[2709], std::uint8_t(0)); // the cut does not spill into the flags

        s.bytes.fill('v');
        s.bytes[2704] = 255;
        QCOMPARE(s.Version(), QStringLiteral("vvvv"));
        s.bytes[2441] = 200;
        QCOMPARE(int(s.DoubleClickAction()), 2);
        s.bytes[898] = 0x80;
        QVERIFY(s.IncludePlainText());
        s.bytes[12] = 255;
        QCOMPARE(s.ChatFont().Name.size(), 255);
    }

    void writingAFontKeepsItsReservedWords()
    {
        tChatSettings s;
        ResetSettings(s);
        putU32(s.bytes, 0, 0xDEADBEEF);
        tFontRec f;
        f.Name = QStringLiteral("Courier New");
        f.FontStyle = tFontRec::Bold | tFontRec::StrikeOut;
        f.FontPitch = tFontRec::FixedPitch;
        s.setChatFont(f);
        QCOMPARE(s.bytes[0], std::uint8_t(0xEF));
        QCOMPARE(s.bytes[8], std::uint8_t(0xFF));
        QCOMPARE(s.bytes[268], std::uint8_t(2));
        QCOMPARE(s.bytes[273], std::uint8_t(9));
        QCOMPARE(s.ChatFont().Name, QStringLiteral("Courier New"));
    }

    void applyAndCaptureFontRoundTrip_data()
    {
        QTest::addColumn<int>("pitch");
        QTest::addColumn<int>("style");
        QTest::newRow("default, plain") << 0 << 0;
        QTest::newRow("variable, bold italic") << 1 << 3;
        QTest::newRow("fixed, underline strike-out") << 2 << 12;
    }

    void applyAndCaptureFontRoundTrip()
    {
        QFETCH(int, pitch);
        QFETCH(int, style);
        tFontRec rec;
        rec.Name = QStringLiteral("Courier New");
        rec.FontPitch = std::uint8_t(pitch);
        rec.FontSize = 13;
        rec.FontStyle = std::uint8_t(style);
        QFont font;
        font.setFixedPitch(true); // a previous pitch must not survive
        ApplyFont(rec, font);
        QCOMPARE(font.family(), QStringLiteral("Courier New"));
        QCOMPARE(font.pointSize(), 13);
        QCOMPARE(font.bold(), bool(style & 1));
        QCOMPARE(font.italic(), bool(style & 2));
        QCOMPARE(font.underline(), bool(style & 4));
        QCOMPARE(font.strikeOut(), bool(style & 8));
        QCOMPARE(font.fixedPitch(), pitch == 2);
        tFontRec back;
        CaptureFont(font, 0x00123456, back);
        QCOMPARE(back.Color, 0x00123456u);
        QCOMPARE(back.Name, rec.Name);
        QCOMPARE(int(back.FontPitch), pitch);
        QCOMPARE(back.FontSize, 13);
        QCOMPARE(int(back.FontStyle), style);
    }

    void hostileFontSizesApplyAsTenPoints()
    {
        for (int size : {0, -5, 100000}) {
            tFontRec rec;
            rec.FontSize = size;
            QFont font;
            ApplyFont(rec, font);
            QCOMPARE(font.pointSize(), 10);
        }
        QFont pixels;
        pixels.setPixelSize(20);
        tFontRec rec;
        CaptureFont(pixels, 0, rec);
        QVERIFY(rec.FontSize > 0);
    }
};

QC_TEST(SettingsRecordTest)
#include "SettingsRecordTest.moc"
