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

    void eachAccessorTouchesOnlyItsOffset_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<std::function<void(tChatSettings &)>>("set");
        auto row = [](const char *name, int offset, int width, std::function<void(tChatSettings &)> f) {
            QTest::newRow(name) << offset << width << f;
        };
        row("IncludePlainText", 898, 1, [](tChatSettings &s) { s.setIncludePlainText(true); });
        row("EnterLeaveNotify", 899, 1, [](tChatSettings &s) { s.setEnterLeaveNotify(true); });
        row("IncludeIcons", 900, 1, [](tChatSettings &s) { s.setIncludeIcons(true); });
        row("UserName", 901, 4, [](tChatSettings &s) { s.setUserName("abc"); });
        row("Password", 1157, 4, [](tChatSettings &s) { s.setPassword("abc"); });
        row("Server", 1413, 4, [](tChatSettings &s) { s.setServer("abc"); });
        row("HomeChannel", 1669, 4, [](tChatSettings &s) { s.setHomeChannel("abc"); });
        row("AwayMessage", 1925, 4, [](tChatSettings &s) { s.setAwayMessage("abc"); });
        row("DNDMessage", 2181, 4, [](tChatSettings &s) { s.setDNDMessage("abc"); });
        row("ReciteDelay", 2437, 4, [](tChatSettings &s) { s.setReciteDelay(0x01020304); });
        row("DoubleClickAction", 2441, 1, [](tChatSettings &s) { s.setDoubleClickAction(7); });
        row("WhoisOnJoin", 2442, 1, [](tChatSettings &s) { s.setWhoisOnJoin(true); });
        row("AutoRejoin", 2443, 1, [](tChatSettings &s) { s.setAutoRejoin(true); });
        row("ShowToolbar", 2444, 1, [](tChatSettings &s) { s.setShowToolbar(true); });
        row("LogFileName", 2445, 4, [](tChatSettings &s) { s.setLogFileName("abc"); });
        row("LogTime", 2701, 1, [](tChatSettings &s) { s.setLogTime(true); });
        row("LogEvents", 2702, 1, [](tChatSettings &s) { s.setLogEvents(true); });
        row("KeepLog", 2703, 1, [](tChatSettings &s) { s.setKeepLog(true); });
        row("Version", 2704, 4, [](tChatSettings &s) { s.setVersion("abc"); });
        row("ConnectTimeout", 2713, 4, [](tChatSettings &s) { s.setConnectTimeout(0x01020304); });
        row("LoginTimeout", 2717, 4, [](tChatSettings &s) { s.setLoginTimeout(0x01020304); });
        row("AllowMultiPasswords", 2721, 1, [](tChatSettings &s) { s.setAllowMultiPasswords(true); });
        row("AcceptSounds", 2722, 1, [](tChatSettings &s) { s.setAcceptSounds(true); });
        row("RespondPhrases", 2723, 1, [](tChatSettings &s) { s.setRespondPhrases(true); });
        row("RespondWhispers", 2724, 1, [](tChatSettings &s) { s.setRespondWhispers(true); });
        row("MasterEvents", 2725, 1, [](tChatSettings &s) { s.setMasterEvents(true); });
        row("AutoBan", 2726, 1, [](tChatSettings &s) { s.setAutoBan(true); });
        row("BanAllExcept", 2727, 1, [](tChatSettings &s) { s.setBanAllExcept(true); });
        row("RespondJoins", 2728, 1, [](tChatSettings &s) { s.setRespondJoins(true); });
        row("JoinResponse", 2729, 4, [](tChatSettings &s) { s.setJoinResponse("abc"); });
        row("RespondTimers", 2985, 1, [](tChatSettings &s) { s.setRespondTimers(true); });
        row("PlaySoundsLocally", 2988, 1, [](tChatSettings &s) { s.setPlaySoundsLocally(true); });
        row("AutoReconnect", 2989, 1, [](tChatSettings &s) { s.setAutoReconnect(true); });
        row("UseGameServer", 2990, 1, [](tChatSettings &s) { s.setUseGameServer(true); });
        row("ShowFavorites", 2991, 1, [](tChatSettings &s) { s.setShowFavorites(true); });
        row("Colour 18", 894, 4, [](tChatSettings &s) { s.setColor(CustomUserColor, 0x01020304); });
        row("WhisperFont colour", 278, 4, [](tChatSettings &s) {
            tFontRec f = s.WhisperFont();
            f.Color = 0x01020304;
            s.setWhisperFont(f);
        });
        row("UserListFont size", 548 + 269, 4, [](tChatSettings &s) {
            tFontRec f = s.UserListFont();
            f.FontSize = 0x01020304;
            s.setUserListFont(f);
        });
    }

    void eachAccessorTouchesOnlyItsOffset()
    {
        QFETCH(int, offset);
        QFETCH(int, width);
        QFETCH(std::function<void(tChatSettings &)>, set);
        tChatSettings s; // all zero: every accessor writes something nonzero at its offset
        set(s);
        QList<int> expected;
        for (int i = 0; i < width; ++i)
            expected << offset + i;
        QCOMPARE(changedOffsets(s.bytes, Bytes{}), expected);
        if (width == 4 && s.bytes[size_t(offset)] == 3)
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(&s.bytes[size_t(offset + 1)]), 3), QByteArray("abc"));
        else if (width == 4)
            QCOMPARE(s.bytes[size_t(offset)], std::uint8_t(0x04)); // little-endian
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
