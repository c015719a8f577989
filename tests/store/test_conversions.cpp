// The conversions between the game's numbers and the texts in the settings
// store: the exact rules, their edges, and a round trip over every 16-bit
// value; and the forms in which the settings file keeps texts and names.

#include "store/conversions.h"
#include "store/ini_values.h"

#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Exact equality (no fuzz), so 0.2 must really be the double nearest 0.2 and
// an infinity must have the right sign.
bool sameDouble(double actual, double expected)
{
    if (std::isnan(expected))
        return std::isnan(actual);
    return actual == expected;
}

QString describe(double x)
{
    return QString::number(x, 'g', 17);
}

// A name for a data row that shows the characters a blank-looking text holds.
QByteArray rowName(const QString &text)
{
    QString shown;
    for (QChar c : text) {
        if (c == u' ')
            shown += QStringLiteral("<sp>");
        else if (c == u'\t')
            shown += QStringLiteral("<tab>");
        else if (c == u'\n')
            shown += QStringLiteral("<lf>");
        else if (c == u'\r')
            shown += QStringLiteral("<cr>");
        else if (c.unicode() > 0x7e)
            shown += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QChar(u'0'));
        else
            shown += c;
    }
    if (shown.isEmpty())
        shown = QStringLiteral("<empty>");
    if (shown.size() > 60)
        shown = shown.left(40) + QStringLiteral("...(%1 chars)").arg(text.size());
    return shown.toUtf8();
}

} // namespace

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void numberText_data();
    void numberText();
    void leadingNumber_data();
    void leadingNumber();
    void roundToInt16_data();
    void roundToInt16();
    void textToInt16_data();
    void textToInt16();
    void everyInt16SurvivesTheStoredForm();
    void iniValues_data();
    void iniValues();
};

void TestConversions::numberText_data()
{
    QTest::addColumn<qlonglong>("n");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0LL << QStringLiteral(" 0");
    QTest::newRow("one") << 1LL << QStringLiteral(" 1");
    QTest::newRow("time limit 10") << 10LL << QStringLiteral(" 10");
    QTest::newRow("best time 95") << 95LL << QStringLiteral(" 95");
    QTest::newRow("default 480") << 480LL << QStringLiteral(" 480");
    QTest::newRow("no leading zeros 1000") << 1000LL << QStringLiteral(" 1000");
    QTest::newRow("minus one") << -1LL << QStringLiteral("-1");
    QTest::newRow("minus five") << -5LL << QStringLiteral("-5");
    QTest::newRow("int16 max") << 32767LL << QStringLiteral(" 32767");
    QTest::newRow("int16 min") << -32768LL << QStringLiteral("-32768");
    QTest::newRow("beyond 16 bits") << 100000LL << QStringLiteral(" 100000");
    QTest::newRow("beyond 32 bits") << 4294967296LL << QStringLiteral(" 4294967296");
    QTest::newRow("long long max") << static_cast<qlonglong>(LLONG_MAX)
                                   << QStringLiteral(" 9223372036854775807");
    QTest::newRow("long long min") << static_cast<qlonglong>(LLONG_MIN)
                                   << QStringLiteral("-9223372036854775808");
}

void TestConversions::numberText()
{
    QFETCH(qlonglong, n);
    QFETCH(QString, expected);
    QCOMPARE(NumberText(n), expected);
}

void TestConversions::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    auto row = [](const QString &text, double expected) {
        QTest::newRow(rowName(text).constData()) << text << expected;
    };

    // Plain numbers and the stored form with its leading blank.
    row(QString(), 0.0);
    row(QStringLiteral("0"), 0.0);
    row(QStringLiteral("10"), 10.0);
    row(QStringLiteral(" 10"), 10.0);
    row(QStringLiteral(" 480"), 480.0);
    row(QStringLiteral("007"), 7.0);
    row(QStringLiteral("12.5"), 12.5);
    row(QStringLiteral("13.5"), 13.5);
    row(QStringLiteral("0.1"), 0.1);

    // Reading stops at the first character that does not fit.
    row(QStringLiteral("12ab"), 12.0);
    row(QStringLiteral("10 minutes"), 10.0);
    row(QStringLiteral("12,5"), 12.0);
    row(QStringLiteral("1_000"), 1.0);
    row(QStringLiteral("1.2.3"), 1.2);
    row(QStringLiteral("1e2e3"), 100.0);
    row(QStringLiteral("1e2.5"), 100.0);
    row(QStringLiteral("1\r2"), 1.0); // a carriage return is not skipped

    // Blanks, tabs and line feeds are ignored wherever they stand.
    row(QStringLiteral("1 2"), 12.0);
    row(QStringLiteral("1\t2"), 12.0);
    row(QStringLiteral("1\n2"), 12.0);
    row(QStringLiteral(" \t\n 4 \n2 \t"), 42.0);
    row(QStringLiteral("- 5"), -5.0);
    row(QStringLiteral("1 . 5"), 1.5);
    row(QStringLiteral("1 e 3"), 1000.0);
    row(QStringLiteral("   "), 0.0);

    // Texts that do not begin with a number.
    row(QStringLiteral("a12"), 0.0);
    row(QStringLiteral("$5"), 0.0);
    row(QStringLiteral("Anonymous"), 0.0);
    row(QStringLiteral("inf"), 0.0);
    row(QStringLiteral("infinity"), 0.0);
    row(QStringLiteral("-inf"), 0.0);
    row(QStringLiteral("nan"), 0.0);

    // Signs.
    row(QStringLiteral("+5"), 5.0);
    row(QStringLiteral("-5"), -5.0);
    row(QStringLiteral("--5"), 0.0);
    row(QStringLiteral("+-5"), 0.0);
    row(QStringLiteral("-+5"), 0.0);
    row(QStringLiteral("+"), 0.0);
    row(QStringLiteral("-"), 0.0);

    // The decimal point.
    row(QStringLiteral("."), 0.0);
    row(QStringLiteral("-."), 0.0);
    row(QStringLiteral(".5"), 0.5);
    row(QStringLiteral("-.5"), -0.5);
    row(QStringLiteral("5."), 5.0);
    row(QStringLiteral("5.x"), 5.0);

    // Exponents; a mark without digits is not part of the number.
    row(QStringLiteral("1e3"), 1000.0);
    row(QStringLiteral("1E3"), 1000.0);
    row(QStringLiteral("1E+2"), 100.0);
    row(QStringLiteral("2e-1"), 0.2);
    row(QStringLiteral("1.5e1"), 15.0);
    row(QStringLiteral(".5e1"), 5.0);
    row(QStringLiteral("5.e1"), 50.0);
    row(QStringLiteral("1e"), 1.0);
    row(QStringLiteral("1e+"), 1.0);
    row(QStringLiteral("1e-"), 1.0);
    row(QStringLiteral("1ex"), 1.0);
    row(QStringLiteral("1e+x5"), 1.0);
    row(QStringLiteral("e5"), 0.0);
    row(QStringLiteral("E5"), 0.0);
    row(QStringLiteral(".e5"), 0.0);
    row(QStringLiteral("-e5"), 0.0);

    // Far beyond 16 and 64 bits, and beyond the range of a double.
    row(QStringLiteral("40000"), 40000.0);
    row(QStringLiteral("18446744073709551616"), 18446744073709551616.0);
    row(QStringLiteral("99999999999999999999999"), 99999999999999999999999.0);
    row(QStringLiteral("1e308"), 1e308);
    row(QStringLiteral("1e400"), kInf);
    row(QStringLiteral("-1e400"), -kInf);
    row(QStringLiteral("1") + QString(400, u'0'), kInf);
    row(QStringLiteral("-1") + QString(400, u'0'), -kInf);
    row(QString(1'000'000, u'9'), kInf);
    row(QString(1'000'000, u'0') + QStringLiteral("7"), 7.0);
    row(QStringLiteral("1e-400"), 0.0);
    row(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1"), 0.0);
    // Whether a number beyond the range is large or small is its first digit's
    // place and its exponent together.
    row(QStringLiteral("0.001e311"), 1e308);
    row(QStringLiteral("0.0001e313"), kInf);
    row(QStringLiteral("1000e-330"), 0.0);
    row(QStringLiteral("0e99999999999999999999"), 0.0);

    // Only the ASCII digits are digits.
    row(QStringLiteral("\u0661\u0662"), 0.0);       // Arabic-Indic 12
    row(QStringLiteral("\uFF11\uFF12"), 0.0);       // full-width 12
    row(QStringLiteral("1\u0662"), 1.0);
    row(QStringLiteral("\u0968.5"), 0.0);           // Devanagari 2
    row(QStringLiteral("1\u00B2"), 1.0);            // superscript two
    row(QStringLiteral("\u00BD"), 0.0);             // vulgar one half
}

void TestConversions::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = LeadingNumber(text);
    QVERIFY2(sameDouble(actual, expected),
             qPrintable(QStringLiteral("got %1, expected %2").arg(describe(actual), describe(expected))));
}

void TestConversions::roundToInt16_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    QTest::newRow("0") << 0.0 << true << 0;
    QTest::newRow("-0") << -0.0 << true << 0;
    QTest::newRow("0.4") << 0.4 << true << 0;
    QTest::newRow("largest double below 0.5") << 0.49999999999999994 << true << 0;
    QTest::newRow("0.5 to even 0") << 0.5 << true << 0;
    QTest::newRow("0.6") << 0.6 << true << 1;
    QTest::newRow("1.5 to even 2") << 1.5 << true << 2;
    QTest::newRow("2.5 to even 2") << 2.5 << true << 2;
    QTest::newRow("3.5 to even 4") << 3.5 << true << 4;
    QTest::newRow("12.5 to even 12") << 12.5 << true << 12;
    QTest::newRow("13.5 to even 14") << 13.5 << true << 14;
    QTest::newRow("2.5000001") << 2.5000001 << true << 3;
    QTest::newRow("-0.5 to even 0") << -0.5 << true << 0;
    QTest::newRow("-1.5 to even -2") << -1.5 << true << -2;
    QTest::newRow("-2.5 to even -2") << -2.5 << true << -2;
    QTest::newRow("-2.6") << -2.6 << true << -3;
    QTest::newRow("tiny") << 4.9e-324 << true << 0;
    QTest::newRow("32767") << 32767.0 << true << 32767;
    QTest::newRow("32767.4") << 32767.4 << true << 32767;
    QTest::newRow("32766.5 to even 32766") << 32766.5 << true << 32766;
    QTest::newRow("32767.5 rounds to 32768") << 32767.5 << false << 0;
    QTest::newRow("32768") << 32768.0 << false << 0;
    QTest::newRow("-32768") << -32768.0 << true << -32768;
    QTest::newRow("-32768.4") << -32768.4 << true << -32768;
    QTest::newRow("-32768.5 to even -32768") << -32768.5 << true << -32768;
    QTest::newRow("-32768.6") << -32768.6 << false << 0;
    QTest::newRow("-32769") << -32769.0 << false << 0;
    QTest::newRow("65536 (would wrap to 0)") << 65536.0 << false << 0;
    QTest::newRow("4294967296 (would wrap to 0)") << 4294967296.0 << false << 0;
    QTest::newRow("1e300") << 1e300 << false << 0;
    QTest::newRow("-1e300") << -1e300 << false << 0;
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << false << 0;
    QTest::newRow("+infinity") << kInf << false << 0;
    QTest::newRow("-infinity") << -kInf << false << 0;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    QTest::newRow("-NaN") << -std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestConversions::roundToInt16()
{
    QFETCH(double, x);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const std::optional<qint16> result = RoundToInt16(x);
    QCOMPARE(result.has_value(), fits);
    if (fits)
        QCOMPARE(int(*result), expected);
}

void TestConversions::textToInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("expected");

    const int none = int(ConversionError::None);
    const int type = int(ConversionError::Type);
    const int overflow = int(ConversionError::Overflow);
    auto row = [](const QString &text, int error, int expected) {
        QTest::newRow(rowName(text).constData()) << text << error << expected;
    };

    // Numbers, with blanks before and after.
    row(QStringLiteral("95"), none, 95);
    row(QStringLiteral(" 95"), none, 95);
    row(QStringLiteral(" 480"), none, 480);
    row(QStringLiteral("95 "), none, 95);
    row(QStringLiteral("   95   "), none, 95);
    row(QStringLiteral("\t95\t"), none, 95);
    row(QStringLiteral("0"), none, 0);
    row(QStringLiteral("-0"), none, 0);
    row(QStringLiteral("007"), none, 7);
    row(QStringLiteral("+5"), none, 5);
    row(QStringLiteral("-5"), none, -5);
    row(QStringLiteral("12.5"), none, 12);
    row(QStringLiteral("13.5"), none, 14);
    row(QStringLiteral("-2.5"), none, -2);
    row(QStringLiteral("12.4999"), none, 12);
    row(QStringLiteral(".5"), none, 0);
    row(QStringLiteral(".6"), none, 1);
    row(QStringLiteral("5."), none, 5);
    row(QStringLiteral("1e2"), none, 100);
    row(QStringLiteral("1E2"), none, 100);
    row(QStringLiteral("1e+2"), none, 100);
    row(QStringLiteral("25e-1"), none, 2);
    row(QStringLiteral("32767"), none, 32767);
    row(QStringLiteral("-32768"), none, -32768);
    row(QStringLiteral("32767.4"), none, 32767);
    row(QStringLiteral("-32768.5"), none, -32768);
    row(QStringLiteral("1e-400"), none, 0);

    // Not a number.
    row(QString(), type, 0);
    row(QStringLiteral(" "), type, 0);
    row(QStringLiteral("   "), type, 0);
    row(QStringLiteral("12ab"), type, 0);
    row(QStringLiteral("ab"), type, 0);
    row(QStringLiteral("Anonymous"), type, 0);
    row(QStringLiteral("1 2"), type, 0);
    row(QStringLiteral("- 5"), type, 0);
    row(QStringLiteral("1.2.3"), type, 0);
    row(QStringLiteral("."), type, 0);
    row(QStringLiteral("+"), type, 0);
    row(QStringLiteral("-"), type, 0);
    row(QStringLiteral("--5"), type, 0);
    row(QStringLiteral("e5"), type, 0);
    row(QStringLiteral("1e"), type, 0);
    row(QStringLiteral("1e+"), type, 0);
    row(QStringLiteral("inf"), type, 0);
    row(QStringLiteral("nan"), type, 0);
    row(QStringLiteral("99999abc"), type, 0);
    row(QStringLiteral("\u0661\u0662"), type, 0);
    row(QStringLiteral("\uFF11\uFF12"), type, 0);
    row(QStringLiteral("1\u0662"), type, 0);

    // Numbers outside 16 bits.
    row(QStringLiteral("32768"), overflow, 0);
    row(QStringLiteral("-32769"), overflow, 0);
    row(QStringLiteral("32767.5"), overflow, 0);
    row(QStringLiteral("40000"), overflow, 0);
    row(QStringLiteral("-40000"), overflow, 0);
    row(QStringLiteral("65536"), overflow, 0);
    row(QStringLiteral("1e10"), overflow, 0);
    row(QStringLiteral("99999999999999999999999"), overflow, 0);
    row(QStringLiteral("1e400"), overflow, 0);
    row(QStringLiteral("-1e400"), overflow, 0);
    row(QStringLiteral(" 40000 "), overflow, 0);
}

void TestConversions::textToInt16()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QFETCH(int, expected);
    const Int16Result result = TextToInt16(text);
    QCOMPARE(int(result.error), error);
    QCOMPARE(result.ok(), error == int(ConversionError::None));
    if (result.ok())
        QCOMPARE(int(result.value), expected);
}

void TestConversions::everyInt16SurvivesTheStoredForm()
{
    for (int n = -32768; n <= 32767; ++n) {
        const QString text = NumberText(n);
        const double read = LeadingNumber(text);
        if (read != double(n))
            QFAIL(qPrintable(QStringLiteral("LeadingNumber(\"%1\") gave %2").arg(text, describe(read))));
        const std::optional<qint16> rounded = RoundToInt16(read);
        if (!rounded || *rounded != n)
            QFAIL(qPrintable(QStringLiteral("RoundToInt16(%1) did not give it back").arg(n)));
        const Int16Result direct = TextToInt16(text);
        if (!direct.ok() || direct.value != n)
            QFAIL(qPrintable(QStringLiteral("TextToInt16(\"%1\") gave error %2, value %3")
                                 .arg(text).arg(int(direct.error)).arg(direct.value)));
    }
}

// How an INI row is checked: a value or a name written as exactly these bytes
// and read back from them, a value only written or only read, or a value read
// as absent.
enum class IniRow { Value, ValueWritten, ValueRead, ValueAbsent, Name, NameRead };
Q_DECLARE_METATYPE(IniRow)

void TestConversions::iniValues_data()
{
    QTest::addColumn<IniRow>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    const auto row = [](const char *tag, IniRow kind, const QString &text, const QByteArray &bytes) {
        QTest::newRow(tag) << kind << text << bytes;
    };
    const IniRow both = IniRow::Value;
    const IniRow read = IniRow::ValueRead;

    // Values written as these bytes and read back from them.
    row("plain name", both, QStringLiteral("Kim"), "Kim");
    row("time limit", both, QStringLiteral(" 10"), R"(" 10")");
    row("empty", both, QString(), "");
    row("blank inside", both, QStringLiteral("Kim Lee"), "Kim Lee");
    row("blank at the end", both, QStringLiteral("x "), R"("x ")");
    row("leading @", both, QStringLiteral("@x"), "@@x");
    row("looks typed", both, QStringLiteral("@String(a)"), "@@String(a)");
    row("separators", both, QStringLiteral("a;b,c=d"), R"("a;b,c=d")");
    row("quote, backslash", both, QStringLiteral(R"(say "hi" C:\x)"), R"("say \"hi\" C:\\x")");
    row("line breaks, tab", both, QStringLiteral("a\tb\nc\rd"), R"("a\tb\nc\rd")");
    row("other controls", both, QStringLiteral("\a\x1b|"), R"("\x07\x1B|")");
    row("hex digits after \\x", both, QStringLiteral("\x01" "Afg"), R"("\x01\x41\x66g")");
    row("digit after NUL", both, QStringLiteral("a\0" "7"), R"("a\0\x37")");
    row("byte order mark", both, QStringLiteral("\uFEFF" "ax"), R"("\xFEFF\x61x")");
    row("non-ASCII", both, QStringLiteral("\u00E9\u20AC\U0001F600"),
        "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    row("lone surrogate", IniRow::ValueWritten, QString(QChar(0xD800)) + u'b', "\xEF\xBF\xBD" "b");

    // Values as other writers may have left them.
    row("blanks around", read, QStringLiteral("Kim  Lee"), " \t Kim  Lee \t ");
    row("blanks in quotes", read, QStringLiteral(" Kim "), R"(  " Kim "  )");
    row("comment", read, QStringLiteral("Kim"), "Kim ; comment \xFF");
    row("comment after quotes", read, QStringLiteral("a;b"), R"("a;b" ; c)");
    row("escaped ;", read, QStringLiteral("ab"), R"(a\;b)");
    row("escaped quote", read, QStringLiteral(R"("x)"), R"(\"x;y)");
    row("unquoted comma", read, QStringLiteral("1, 2"), "1, 2");
    row("escapes unquoted", read, QStringLiteral("a\tbA?'"), R"(a\tb\x41\?\')");
    row("greedy hex", read, QStringLiteral("\u4142zz"), R"(\x4142zz)");
    row("hex past 16 bits", read, QStringLiteral("\u4567"), R"(\x1234567)");
    row("octal", read, QStringLiteral("A\0" "8"), R"(\101\08)");
    row("unknown escapes", read, QStringLiteral("Z"), R"(\q\xZ)");
    row("unterminated quote", read, QStringLiteral("a; b "), R"("a; b )");
    row("text after quotes", read, QStringLiteral("abcd  "), R"("ab" cd  )");
    row("blanks kept after escape", read, QStringLiteral("ab\t"), R"(ab\t  )");
    row("backslash at the end", read, QStringLiteral("ab  "), R"(ab  \)");
    row("@String", read, QStringLiteral("abc"), "@String(abc)");
    row("@String quoted", read, QStringLiteral("a;b"), R"x("@String(a;b)")x");
    row("lone @", read, QStringLiteral("@x)"), "@x)");
    row("@String unclosed", read, QStringLiteral("@String(a"), "@String(a");
    row("leading byte order mark", read, QStringLiteral("x"), "\xEF\xBB\xBFx");
    row("byte order mark after escape", read, QStringLiteral("\tb"), "\\t\xEF\xBB\xBF" "b");
    row("byte order mark later", read, QStringLiteral("a\t\uFEFF" "b"), "a\\t\xEF\xBB\xBF" "b");
    row("@Rect", IniRow::ValueAbsent, QString(), "@Rect(1 2 3 4)");
    row("@ByteArray", IniRow::ValueAbsent, QString(), "@ByteArray(x)");
    row("@Invalid", IniRow::ValueAbsent, QString(), "@Invalid()");
    row("other typed form", IniRow::ValueAbsent, QString(), "@Foo(x)");
    row("truncated UTF-8", IniRow::ValueAbsent, QString(), "a\xC3");
    row("overlong UTF-8", IniRow::ValueAbsent, QString(), "\xC0\xAF");
    row("UTF-8 surrogate", IniRow::ValueAbsent, QString(), "\"\xED\xA0\x80\"");
    row("beyond U+10FFFF", IniRow::ValueAbsent, QString(), "\xF4\x90\x80\x80");

    // Section and key names.
    row("name Times", IniRow::Name, QStringLiteral("Times"), "Times");
    row("name Timelimit", IniRow::Name, QStringLiteral("Timelimit"), "Timelimit");
    row("name kept characters", IniRow::Name, QStringLiteral("a_Z-9.0"), "a_Z-9.0");
    row("name escaped", IniRow::Name, QStringLiteral("a b/%\u00E9\u20AC\U0001F600"),
        "a%20b%2F%25%E9%U20AC%UD83D%UDE00");
    row("name blanks around", IniRow::NameRead, QStringLiteral("Easy"), " \tEasy\t ");
    row("name lower-case hex", IniRow::NameRead, QStringLiteral("\u00E9\u00E9"), "%e9%U00e9");
    row("name malformed escapes", IniRow::NameRead, QStringLiteral("%A%u0042%4"), "%%41%u0042%4");
    row("name short %U", IniRow::NameRead, QStringLiteral("%U12"), "%U12");
    row("name raw UTF-8", IniRow::NameRead, QStringLiteral("\u00E9"), "\xC3\xA9");
    row("name not UTF-8", IniRow::NameRead, QString(), "a\xFF");
}

void TestConversions::iniValues()
{
    QFETCH(IniRow, kind);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    if (kind == IniRow::Value || kind == IniRow::ValueWritten)
        QCOMPARE(writeIniValue(text), bytes);
    if (kind == IniRow::Value || kind == IniRow::ValueRead) {
        const std::optional<QString> value = readIniValue(bytes);
        QVERIFY(value.has_value());
        QCOMPARE(*value, text);
    }
    if (kind == IniRow::ValueAbsent)
        QVERIFY(!readIniValue(bytes).has_value());
    if (kind == IniRow::Name)
        QCOMPARE(writeIniName(text), bytes);
    if (kind == IniRow::Name || kind == IniRow::NameRead)
        QCOMPARE(readIniName(bytes), text);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "test_conversions.moc"
