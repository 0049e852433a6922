#include "DocFixture.h"

#include <QTest>

using namespace fixture;

// The ledger's error word is the OR of the lines' error bits plus the document's own top
// bit; each meaning has one bit and one name.
static_assert((CCofferDoc::ERR_NO_YEN_EXCHANGE & CReceipt::RF_ERROR_MASK) == 0,
              "the document's own bit lies outside the line error bits");
static_assert((CReceipt::RF_ERROR_MASK & CReceipt::RF_STORED_MASK) == CReceipt::RF_RAW_TEXT,
              "of the stored bits only the raw-text mark is an error");

namespace {

// The model names no command: a command id belongs to the command layer alone.
template <class T>
constexpr bool NamesEnterBalanceCommand = requires { T::ID_ENTER_BALANCE; };
static_assert(!NamesEnterBalanceCommand<CCofferDoc>);

} // namespace

class TestErrorBits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateReversal_data();
    void dateReversal();
};

void TestErrorBits::dateReversal_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<bool>("reversed");

    const PackedDate d1 = MakeDate(2020, 1, 1);
    const PackedDate d2 = MakeDate(2020, 1, 2);
    QTest::newRow("dates in order") << std::vector<CReceipt>{ Line(d1, YEN, CAT_FOOD, U(-1)), Line(d2, YEN, CAT_FOOD, U(-1)) }
                                    << false;
    QTest::newRow("a date before its predecessor")
        << std::vector<CReceipt>{ Line(d2, YEN, CAT_FOOD, U(-1)), Line(d1, YEN, CAT_FOOD, U(-1)) } << true;
    // Another line error is no reason to refuse the periods.
    QTest::newRow("an unpaired exchange in order")
        << std::vector<CReceipt>{ Line(d1, YEN, CAT_EXCHANGE, U(-100)), Line(d2, YEN, CAT_FOOD, U(-1)) } << false;
}

void TestErrorBits::dateReversal()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(bool, reversed);
    CCofferDoc doc;
    Fill(doc, lines);
    QCOMPARE(doc.HasDateReversal(), reversed);
    QCOMPARE((doc.GetErrors() & CReceipt::RF_DATE_REVERSED) != 0, reversed);
}

QTEST_GUILESS_MAIN(TestErrorBits)
#include "tst_errorbits.moc"
