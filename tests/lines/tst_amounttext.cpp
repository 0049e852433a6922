#include "model/AmountText.h"
#include "model/CurFmt.h"
#include "model/HalfWidth.h"

#include <QTest>
#include <limits>

namespace {
constexpr Amount kMinAmount = std::numeric_limits<Amount>::min();
}

class TestAmountText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void formatPlain_data();
    void formatPlain();
    void parseExpression_data();
    void parseExpression();
    void parseExpressionNesting_data();
    void parseExpressionNesting();
    void toHalfWidth_data();
    void toHalfWidth();
};

void TestAmountText::format_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("placement");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("fraction");
    QTest::addColumn<QString>("text");

    const QString yen = QStringLiteral("\\");
    const QString usd = QStringLiteral("$");
    QTest::newRow("yen thousand") << yen << 0 << 0 << qint64(1000 * 10000) << true << QStringLiteral("\\1,000");
    QTest::newRow("minus before symbol") << yen << 0 << 0 << qint64(-1000 * 10000) << true << QStringLiteral("-\\1,000");
    QTest::newRow("four digits when needed") << usd << 2 << 0 << qint64(12345678) << true << QStringLiteral("$1,234.5678");
    QTest::newRow("two digits for decimals 2") << usd << 2 << 0 << qint64(1234 * 10000) << true << QStringLiteral("$1,234.00");
    QTest::newRow("decimals 1 shows two") << usd << 1 << 0 << qint64(15000) << true << QStringLiteral("$1.50");
    QTest::newRow("decimals 4 always four") << usd << 4 << 0 << qint64(15000) << true << QStringLiteral("$1.5000");
    QTest::newRow("decimals 0 shows a fraction that exists") << yen << 0 << 0 << qint64(5000) << true << QStringLiteral("\\0.50");
    QTest::newRow("without fraction flag") << usd << 2 << 0 << qint64(15000) << false << QStringLiteral("$1");
    QTest::newRow("after") << usd << 2 << 1 << qint64(11000) << true << QStringLiteral("1.10$");
    QTest::newRow("before with space") << usd << 2 << 2 << qint64(11000) << true << QStringLiteral("$ 1.10");
    QTest::newRow("after with space") << usd << 0 << 3 << qint64(1234 * 10000) << true << QStringLiteral("1,234 $");
    QTest::newRow("negative after with space") << usd << 0 << 3 << qint64(-5 * 10000) << true << QStringLiteral("-5 $");
    QTest::newRow("zero") << usd << 2 << 0 << qint64(0) << true << QStringLiteral("$0.00");
    QTest::newRow("no separator below thousand") << yen << 0 << 0 << qint64(999 * 10000) << true << QStringLiteral("\\999");
    QTest::newRow("millions") << yen << 0 << 0 << qint64(1234567LL * 10000) << true << QStringLiteral("\\1,234,567");
    QTest::newRow("most negative amount") << usd << 2 << 0 << qint64(kMinAmount) << true
                                          << QStringLiteral("-$922,337,203,685,477.5808");
    QTest::newRow("long symbol and large value")
        << QStringLiteral("ABCDEFG") << 4 << 3 << qint64(std::numeric_limits<Amount>::max()) << true
        << QStringLiteral("922,337,203,685,477.5807 ABCDEFG");
}

void TestAmountText::format()
{
    QFETCH(QString, symbol);
    QFETCH(int, decimals);
    QFETCH(int, placement);
    QFETCH(qint64, value);
    QFETCH(bool, fraction);
    QFETCH(QString, text);
    CCurFmt cur(symbol, decimals, QStringLiteral("name"));
    cur.m_nSymbolPos = placement;
    QCOMPARE(cur.Format(value, fraction), text);
}

void TestAmountText::formatPlain_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
    QTest::newRow("whole units, no separators") << qint64(1234567LL * 10000) << QStringLiteral("1234567");
    QTest::newRow("two fraction digits") << qint64(12345000) << QStringLiteral("1234.50");
    QTest::newRow("four fraction digits") << qint64(-1) << QStringLiteral("-0.0001");
    QTest::newRow("negative") << qint64(-25 * 10000) << QStringLiteral("-25");
    QTest::newRow("most negative amount") << qint64(kMinAmount) << QStringLiteral("-922337203685477.5808");
}

void TestAmountText::formatPlain()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(CAmountText::FormatPlain(value), text);
}

void TestAmountText::parseExpression_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");

    QTest::newRow("full-width expression") << QStringLiteral("（１００＋２００）×３") << true << qint64(900 * 10000);
    QTest::newRow("truncated third") << QStringLiteral("1/3") << true << qint64(3333);
    QTest::newRow("division by zero") << QStringLiteral("5/0") << false << qint64(0);
    QTest::newRow("division by zero inside") << QStringLiteral("1+(2/(1-1))") << false << qint64(0);
    QTest::newRow("negated group") << QStringLiteral("-(2+3)*2") << true << qint64(-10 * 10000);
    QTest::newRow("empty") << QString() << false << qint64(0);
    QTest::newRow("letters only") << QStringLiteral("abc") << false << qint64(0);
    QTest::newRow("thousands separator and fraction") << QStringLiteral("1,234.5") << true << qint64(12345000);
    QTest::newRow("one tenth exact") << QStringLiteral("0.1") << true << qint64(1000);
    QTest::newRow("yen sign skipped") << QStringLiteral("\\1,000") << true << qint64(1000 * 10000);
    QTest::newRow("unit skipped") << QStringLiteral("1000円") << true << qint64(1000 * 10000);
    QTest::newRow("full-width digits and point") << QStringLiteral("５．５") << true << qint64(55000);
    QTest::newRow("spaces end the expression") << QStringLiteral("100 + 200") << true << qint64(100 * 10000);
    QTest::newRow("without spaces") << QStringLiteral("100+200") << true << qint64(300 * 10000);
    QTest::newRow("leading spaces skipped") << QStringLiteral("  \u3000 12") << true << qint64(12 * 10000);
    QTest::newRow("semicolon ends") << QStringLiteral("100;200") << true << qint64(100 * 10000);
    QTest::newRow("left to right") << QStringLiteral("10-2-3") << true << qint64(5 * 10000);
    QTest::newRow("precedence") << QStringLiteral("2+3*4") << true << qint64(14 * 10000);
    QTest::newRow("full-width operators") << QStringLiteral("2×3÷4－１＊２") << true << qint64(-5000);
    QTest::newRow("sign binds to one factor") << QStringLiteral("8/-2/2") << true << qint64(-2 * 10000);
    QTest::newRow("sign after multiply") << QStringLiteral("2*-3") << true << qint64(-6 * 10000);
    QTest::newRow("unary plus") << QStringLiteral("＋5") << true << qint64(5 * 10000);
    QTest::newRow("missing closing parenthesis") << QStringLiteral("(1+2") << false << qint64(0);
    QTest::newRow("operator without operand") << QStringLiteral("1+") << false << qint64(0);
    QTest::newRow("second point ends the number") << QStringLiteral("1.2.3") << true << qint64(12000);
    QTest::newRow("thirty characters kept")
        << QStringLiteral("000000000000000000000000000012") + QStringLiteral("3") << true << qint64(12 * 10000);
    QTest::newRow("near the largest amount") << QStringLiteral("900000000000000") << true
                                            << qint64(9000000000000008192LL);
    QTest::newRow("too large for an amount") << QStringLiteral("922337203685478") << false << qint64(0);
    QTest::newRow("too small for an amount") << QStringLiteral("-922337203685478") << false << qint64(0);
    const QString big = QStringLiteral("999999999999999999999999999999");
    QTest::newRow("not finite") << QStringList(11, big).join(u'*') << false << qint64(0);
    QTest::newRow("not a number") << QStringList(11, big).join(u'*') + u'-' + QStringList(11, big).join(u'*')
                                  << false << qint64(0);
}

void TestAmountText::parseExpression()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    Amount result = 12345;
    QCOMPARE(CAmountText::ParseExpression(text, result), ok);
    if (ok)
        QCOMPARE(result, value);
}

void TestAmountText::parseExpressionNesting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("256 parentheses")
        << QString(256, u'(') + u'1' + QString(256, u')') << true;
    QTest::newRow("257 parentheses")
        << QString(257, u'(') + u'1' + QString(257, u')') << false;
    QTest::newRow("256 signs") << QString(256, u'-') + u'1' << true;
    QTest::newRow("deep signs") << QString(100000, u'-') + u'1' << false;
    QTest::newRow("deep unclosed parentheses") << QString(200000, u'（') << false;
}

void TestAmountText::parseExpressionNesting()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    Amount result = 0;
    QCOMPARE(CAmountText::ParseExpression(text, result), ok);
    if (ok)
        QCOMPARE(result, qint64(10000));
}

void TestAmountText::toHalfWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("half");
    QTest::newRow("letters and digits") << QStringLiteral("ＡＢｃ１２３") << QStringLiteral("ABc123");
    QTest::newRow("range ends") << QStringLiteral("！～") << QStringLiteral("!~");
    QTest::newRow("slash") << QStringLiteral("２０２０／３") << QStringLiteral("2020/3");
    QTest::newRow("ideographic space kept") << QStringLiteral("\u3000") << QStringLiteral("\u3000");
    QTest::newRow("half-width katakana kept") << QStringLiteral("｡ｱ") << QStringLiteral("｡ｱ");
    QTest::newRow("other text kept") << QStringLiteral("食料 a") << QStringLiteral("食料 a");
}

void TestAmountText::toHalfWidth()
{
    QFETCH(QString, text);
    QFETCH(QString, half);
    QCOMPARE(ToHalfWidth(text), half);
}

QTEST_GUILESS_MAIN(TestAmountText)
#include "tst_amounttext.moc"
