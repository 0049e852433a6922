#include "RegFixture.h"

#include "platform/StringTable.h"
#include "register/RegColumns.h"
#include "register/RegPeriod.h"
#include "summary/PeriodMode.h"

#include <QtTest>

using namespace regfix;

class TestRegColumns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errorMessage_data();
    void errorMessage();
    void unknownKindIsBalance();
    void rows_data();
    void rows();
    void title_data();
    void title();
};

void TestRegColumns::errorMessage_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("message");

    QTest::newRow("balance mismatch") << int(COL_BALANCE) << int(CReceipt::RF_BALANCE_MISMATCH) << int(IDS_ERR_BALANCE);
    QTest::newRow("balance flag is not marked on income") << int(COL_IN) << int(CReceipt::RF_BALANCE_MISMATCH) << 0;
    QTest::newRow("date reversed") << int(COL_DATE) << int(CReceipt::RF_DATE_REVERSED) << int(IDS_ERR_DATE_REVERSED);
    QTest::newRow("exchange unpaired") << int(COL_CATEGORY) << int(CReceipt::RF_EXCHANGE_UNPAIRED) << int(IDS_ERR_EXCHANGE);
    QTest::newRow("raw text comes first")
        << int(COL_DESCRIPTION) << int(CReceipt::RF_RAW_TEXT | CReceipt::RF_BUDGET_TWICE) << int(IDS_ERR_RAW_TEXT);
    QTest::newRow("budget category before budget twice")
        << int(COL_DESCRIPTION) << int(CReceipt::RF_BUDGET_UNKNOWN | CReceipt::RF_BUDGET_TWICE)
        << int(IDS_ERR_BUDGET_CATEGORY);
    QTest::newRow("budget twice") << int(COL_DESCRIPTION) << int(CReceipt::RF_BUDGET_TWICE) << int(IDS_ERR_BUDGET_TWICE);
    QTest::newRow("a date flag on the description") << int(COL_DESCRIPTION) << int(CReceipt::RF_DATE_REVERSED) << 0;
}

void TestRegColumns::errorMessage()
{
    QFETCH(int, kind);
    QFETCH(int, flags);
    QFETCH(int, message);
    QCOMPARE(CRegColumns::ErrorMessage(kind, flags), message);
}

void TestRegColumns::unknownKindIsBalance()
{
    QCOMPARE(CRegColumns::Title(99), QStringLiteral("残高"));
    QCOMPARE(CRegColumns::WidthSample(-1), QStringLiteral("-\\9,999,999"));
    QCOMPARE(CRegColumns::KindOf(CRegColumns::MakeEntry(COL_CATEGORY, 120)), int(COL_CATEGORY));
    QCOMPARE(CRegColumns::WidthOf(CRegColumns::MakeEntry(COL_CATEGORY, 120)), 120);
    QCOMPARE(CRegColumns::ScreenText(QStringLiteral("\\1,000")), QString(QChar(0xA5)) + QStringLiteral("1,000"));
}

void TestRegColumns::rows_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");

    // Lines: 2023/12/31, 2024/3/1, 2024/3/31, 2024/4/1, 2024/12/31, 2025/1/1.
    QTest::newRow("all") << int(PERIOD_ALL) << int(MakeDate(2024, 3, 5)) << 0 << 6;
    QTest::newRow("a month") << int(PERIOD_MONTH) << int(MakeDate(2024, 3, 5)) << 1 << 2;
    QTest::newRow("december runs to month 13") << int(PERIOD_MONTH) << int(MakeDate(2024, 12, 1)) << 4 << 1;
    QTest::newRow("a month without lines") << int(PERIOD_MONTH) << int(MakeDate(2024, 6, 1)) << 4 << 0;
    QTest::newRow("a year") << int(PERIOD_YEAR) << int(MakeDate(2024, 7, 7)) << 1 << 4;
}

void TestRegColumns::rows()
{
    QFETCH(int, mode);
    QFETCH(int, date);
    QFETCH(int, first);
    QFETCH(int, count);
    CCofferDoc doc;
    Fill(doc, { Line(MakeDate(2023, 12, 31), YEN, CAT_FOOD, U(-1)), Line(MakeDate(2024, 3, 1), YEN, CAT_FOOD, U(-1)),
                Line(MakeDate(2024, 3, 31), YEN, CAT_FOOD, U(-1)), Line(MakeDate(2024, 4, 1), YEN, CAT_FOOD, U(-1)),
                Line(MakeDate(2024, 12, 31), YEN, CAT_FOOD, U(-1)), Line(MakeDate(2025, 1, 1), YEN, CAT_FOOD, U(-1)) });
    const CRegPeriod::SRows rows = CRegPeriod::Rows(doc, mode, date);
    QCOMPARE(rows.nFirst, first);
    QCOMPARE(rows.nCount, count);
}

void TestRegColumns::title_data()
{
    QTest::addColumn<int>("firstVisible");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<uint>("format");

    QTest::newRow("first visible line") << 0 << int(PERIOD_ALL) << QStringLiteral("2024/ 3") << 1u;
    QTest::newRow("no line in all") << -1 << int(PERIOD_ALL) << QStringLiteral("日付") << 3u;
    QTest::newRow("no line in a month") << -1 << int(PERIOD_MONTH) << QStringLiteral("日付") << 3u;
    QTest::newRow("no line in a year") << -1 << int(PERIOD_YEAR) << QStringLiteral("2024") << 1u;
    QTest::newRow("a line index past the end") << 5 << int(PERIOD_YEAR) << QStringLiteral("2024") << 1u;
}

void TestRegColumns::title()
{
    QFETCH(int, firstVisible);
    QFETCH(int, mode);
    QFETCH(QString, title);
    QFETCH(uint, format);
    CCofferDoc doc;
    Fill(doc, { Line(MakeDate(2024, 3, 5), YEN, CAT_FOOD, U(-1)) });
    unsigned nFormat = 0;
    QCOMPARE(CRegPeriod::TitleText(CRegPeriod::TitleKey(doc, firstVisible, mode, MakeDate(2024, 3, 5)), nFormat), title);
    QCOMPARE(nFormat, format);
}

QTEST_GUILESS_MAIN(TestRegColumns)
#include "tst_regcolumns.moc"
