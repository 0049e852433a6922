#include "model/ListCheck.h"
#include "model/NewLedger.h"
#include "platform/Clock.h"
#include "platform/StringTable.h"

#include <QTest>

class TestLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { CClock::Reset(); }

    void attrNames_data();
    void attrNames();
    void attrFromUnknownName_data();
    void attrFromUnknownName();
    void categoryFromAttr_data();
    void categoryFromAttr();
    void currencyClampsDecimals_data();
    void currencyClampsDecimals();
    void currencySymbol_data();
    void currencySymbol();
    void categoryName_data();
    void categoryName();
    void listLimits();
    void deleting_data();
    void deleting();
    void usage();
    void newLedger();
};

void TestLists::attrNames_data()
{
    QTest::addColumn<int>("attr");
    QTest::addColumn<QString>("name");
    const char16_t* names[] = {u"備考", u"収入", u"支出", u"貸借", u"両替", u"特別収入", u"特別支出", u"特別貸借", u"繰越", u"予算"};
    for (int n = 0; n < 10; ++n)
        QTest::addRow("attribute %d", n) << n << QString::fromUtf16(names[n]);
}

void TestLists::attrNames()
{
    QFETCH(int, attr);
    QFETCH(QString, name);
    QCOMPARE(AttrName(attr), name);
    QCOMPARE(AttrFromName(name), attr);
}

void TestLists::attrFromUnknownName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("other text") << QStringLiteral("食料");
    QTest::newRow("empty") << QString();
    QTest::newRow("leading space") << QStringLiteral(" 収入");
    QTest::newRow("part of a name") << QStringLiteral("特別");
}

void TestLists::attrFromUnknownName()
{
    QFETCH(QString, name);
    QCOMPARE(AttrFromName(name), 10);
}

void TestLists::categoryFromAttr_data()
{
    QTest::addColumn<int>("attr");
    QTest::addColumn<QString>("name");
    QTest::newRow("exchange") << 4 << QStringLiteral("両替");
    QTest::newRow("budget") << 9 << QStringLiteral("予算");
    QTest::newRow("attribute 10") << 10 << QStringLiteral("備考");
    QTest::newRow("negative") << -3 << QStringLiteral("備考");
}

void TestLists::categoryFromAttr()
{
    QFETCH(int, attr);
    QFETCH(QString, name);
    const CCategory cat(attr);
    QCOMPARE(cat.m_nAttr, attr);
    QCOMPARE(cat.m_strName, name);
}

void TestLists::currencyClampsDecimals_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("kept");
    QTest::newRow("in range") << 3 << 3;
    QTest::newRow("too many") << 7 << 4;
    QTest::newRow("negative") << -1 << 0;
}

void TestLists::currencyClampsDecimals()
{
    QFETCH(int, decimals);
    QFETCH(int, kept);
    const CCurFmt cur(QStringLiteral("€"), decimals, QStringLiteral("ユーロ"));
    QCOMPARE(cur.m_nDecimals, kept);
    QCOMPARE(cur.m_nSymbolPos, 0);
    QCOMPARE(cur.m_strSymbol, QStringLiteral("€"));
    QCOMPARE(cur.m_strName, QStringLiteral("ユーロ"));
}

void TestLists::currencySymbol_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("self");
    QTest::addColumn<int>("message");
    QTest::newRow("new symbol") << QStringLiteral("€") << -1 << 0;
    QTest::newRow("empty") << QString() << -1 << int(IDS_CUR_SYMBOL_EMPTY);
    QTest::newRow("seven characters") << QStringLiteral("ABCDEFG") << -1 << 0;
    QTest::newRow("eight characters") << QStringLiteral("ABCDEFGH") << -1 << int(IDS_CUR_SYMBOL_TOO_LONG);
    QTest::newRow("used by another currency") << QStringLiteral("$") << 0 << int(IDS_CUR_SYMBOL_DUPLICATE);
    QTest::newRow("its own symbol") << QStringLiteral("$") << 1 << 0;
    QTest::newRow("comparison is exact") << QStringLiteral("＄") << -1 << 0;
}

void TestLists::currencySymbol()
{
    QFETCH(QString, symbol);
    QFETCH(int, self);
    QFETCH(int, message);
    std::vector<CCurFmt> curs = CNewLedger::Currencies();
    curs.emplace_back(QStringLiteral("$"), 2, QStringLiteral("米ドル"));
    QCOMPARE(CListCheck::CheckCurrencySymbol(symbol, curs, self), message);
}

void TestLists::categoryName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("self");
    QTest::addColumn<int>("message");
    QTest::newRow("new name") << QStringLiteral("外食") << -1 << 0;
    QTest::newRow("empty") << QString() << -1 << int(IDS_CAT_NAME_EMPTY);
    QTest::newRow("31 characters") << QString(31, u'費') << -1 << 0;
    QTest::newRow("32 characters") << QString(32, u'費') << -1 << int(IDS_CAT_NAME_TOO_LONG);
    QTest::newRow("space") << QStringLiteral("外 食") << -1 << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("ideographic space") << QStringLiteral("外\u3000食") << -1 << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("comma") << QStringLiteral("外,食") << -1 << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("full-width comma") << QStringLiteral("外，食") << -1 << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("semicolon") << QStringLiteral("外;食") << -1 << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("full-width semicolon") << QStringLiteral("外；食") << -1 << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("used by another category") << QStringLiteral("食料") << 4 << int(IDS_CAT_NAME_DUPLICATE);
    QTest::newRow("its own name") << QStringLiteral("食料") << 3 << 0;
    QTest::newRow("renaming the remark row") << QStringLiteral("メモ") << 0 << 0;
}

void TestLists::categoryName()
{
    QFETCH(QString, name);
    QFETCH(int, self);
    QFETCH(int, message);
    QCOMPARE(CListCheck::CheckCategoryName(name, CNewLedger::Categories(), self), message);
}

void TestLists::listLimits()
{
    // A list may grow to 121 entries: the add at 120 is the last one allowed.
    QCOMPARE(CListCheck::CheckAddCurrency(120), 0);
    QCOMPARE(CListCheck::CheckAddCurrency(121), int(IDS_TOO_MANY_CURRENCIES));
    QCOMPARE(CListCheck::CheckAddCategory(120), 0);
    QCOMPARE(CListCheck::CheckAddCategory(121), int(IDS_TOO_MANY_CATEGORIES));
    QCOMPARE(CStringTable::Load(IDS_TOO_MANY_CURRENCIES), QStringLiteral("通貨の種類が多すぎるため、追加できません。"));
}

void TestLists::deleting_data()
{
    QTest::addColumn<bool>("currency");
    QTest::addColumn<int>("pos");
    QTest::addColumn<bool>("inUse");
    QTest::addColumn<int>("message");
    QTest::newRow("base currency") << true << 0 << false << int(IDS_CUR_BASE_UNDELETABLE);
    QTest::newRow("currency in use") << true << 2 << true << int(IDS_CUR_IN_USE);
    QTest::newRow("unused currency") << true << 2 << false << 0;
    QTest::newRow("remark category") << false << 0 << true << int(IDS_CAT_REMARK_UNDELETABLE);
    QTest::newRow("category in use") << false << 5 << true << int(IDS_CAT_IN_USE);
    QTest::newRow("unused category") << false << 5 << false << 0;
}

void TestLists::deleting()
{
    QFETCH(bool, currency);
    QFETCH(int, pos);
    QFETCH(bool, inUse);
    QFETCH(int, message);
    QCOMPARE(currency ? CListCheck::CheckDeleteCurrency(pos, inUse) : CListCheck::CheckDeleteCategory(pos, inUse),
             message);
}

void TestLists::usage()
{
    std::vector<CReceipt> lines(2);
    lines[0].m_nCur = 2;
    lines[0].m_nCat = 3;
    lines[1].m_nCat = 4;
    lines[1].m_nCat2 = 14;
    QVERIFY(CListCheck::AnyUsesCurrency(lines, 2));
    QVERIFY(!CListCheck::AnyUsesCurrency(lines, 1));
    QVERIFY(CListCheck::AnyUsesCategory(lines, 3));
    QVERIFY(CListCheck::AnyUsesCategory(lines, 14)); // as counter category
    QVERIFY(!CListCheck::AnyUsesCategory(lines, 5));
}

void TestLists::newLedger()
{
    CClock::SetNow(QDateTime(QDate(2021, 3, 1), QTime(5, 30)));
    std::vector<CCurFmt> curs(3);
    std::vector<CCategory> cats(2);
    std::vector<CReceipt> lines(5);
    CNewLedger::Fill(curs, cats, lines);

    QCOMPARE(curs.size(), std::size_t(1));
    QCOMPARE(curs[0].m_strSymbol, QStringLiteral("\\"));
    QCOMPARE(curs[0].m_strName, QStringLiteral("日本円"));
    QCOMPARE(curs[0].m_nDecimals, 0);
    QCOMPARE(curs[0].m_nSymbolPos, 0);
    QCOMPARE(curs[0].Format(1000 * 10000), QStringLiteral("\\1,000"));

    const QStringList names = {
        QStringLiteral("備考"), QStringLiteral("繰越"), QStringLiteral("収入"), QStringLiteral("食料"),
        QStringLiteral("住居"), QStringLiteral("光熱・水道"), QStringLiteral("家具・家事用品"),
        QStringLiteral("被服及び履物"), QStringLiteral("保健医療"), QStringLiteral("交通・通信"),
        QStringLiteral("教育"), QStringLiteral("教養娯楽"), QStringLiteral("公租公課"), QStringLiteral("その他"),
        QStringLiteral("預貯金"), QStringLiteral("両替"), QStringLiteral("予算")};
    const int attrs[] = {0, 8, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 4, 9};
    QCOMPARE(cats.size(), std::size_t(17));
    for (int n = 0; n < 17; ++n) {
        QCOMPARE(cats[n].m_strName, names[n]);
        QCOMPARE(cats[n].m_nAttr, attrs[n]);
    }

    QCOMPARE(lines.size(), std::size_t(1));
    const CReceipt& line = lines[0];
    QCOMPARE(line.m_date, MakeDate(2021, 2, 28)); // before 06:00 it is still the previous day
    QCOMPARE(int(line.m_nCur), 0);
    QCOMPARE(int(line.m_nCat), 1);
    QCOMPARE(int(line.m_nCat2), 0);
    QCOMPARE(line.m_nAmount, qint64(0));
    QCOMPARE(line.m_nAmount2, qint64(0));
    QCOMPARE(line.m_strDesc, QStringLiteral("繰り越し"));
}

QTEST_GUILESS_MAIN(TestLists)
#include "tst_lists.moc"
