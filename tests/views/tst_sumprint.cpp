// The summary table's print: strips of key columns after the date column, vertical pages
// of rows, pages down a strip first, and the page count against the PDF written.
#include "tests/register/PdfPages.h"
#include "tests/summary/SummaryLedger.h"

#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "grid/PrintJob.h"
#include "platform/Clock.h"
#include "summary/SumPrintLayout.h"
#include "summary/SumPrinter.h"
#include "summary/SumView.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct SStripRow {
    int nFirst;
    int nLast;
    bool operator==(const SStripRow& o) const { return nFirst == o.nFirst && nLast == o.nLast; }
};

QList<SStripRow> AsRows(const std::vector<CSumPrintLayout::SStrip>& strips)
{
    QList<SStripRow> rows;
    for (const auto& s : strips)
        rows.append({ s.nFirst, s.nLast });
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(SStripRow)

class TestSumPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void strips_data();
    void strips();
    void pagesRunDownAStripFirst();
    void pdfHasEveryStripAndPage();

private:
    QTemporaryDir m_dir;
};

void TestSumPrint::strips_data()
{
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<SStripRow>>("strips");
    // Area 100 wide; the date column 20.
    QTest::newRow("all in one strip") << QList<int>{20, 30, 50} << QList<SStripRow>{{1, 2}};
    QTest::newRow("a column past the edge starts a strip") << QList<int>{20, 40, 40, 30}
                                                         << QList<SStripRow>{{1, 2}, {3, 3}};
    QTest::newRow("a column wider than the page stands alone") << QList<int>{20, 150, 10}
                                                             << QList<SStripRow>{{1, 1}, {2, 2}};
    QTest::newRow("only the date column") << QList<int>{20} << QList<SStripRow>{{1, 0}};
}

void TestSumPrint::strips()
{
    QFETCH(QList<int>, widths);
    QFETCH(QList<SStripRow>, strips);
    QCOMPARE(AsRows(CSumPrintLayout::Strips(std::vector<int>(widths.begin(), widths.end()), 100)), strips);
}

void TestSumPrint::pagesRunDownAStripFirst()
{
    // 3 vertical pages of 10 rows, 2 strips: pages 1-3 the first strip, 4-6 the second.
    QCOMPARE(CSumPrintLayout::VerticalPages(25, 10), 3);
    QCOMPARE(CSumPrintLayout::VerticalPages(0, 10), 1);
    QCOMPARE(CSumPrintLayout::LinesPerPage(20, 10), 1);
    const int rows[] = { 0, 10, 20, 0, 10, 20 };
    const int strips[] = { 0, 0, 0, 1, 1, 1 };
    for (int p = 1; p <= 6; ++p) {
        QCOMPARE(CSumPrintLayout::FirstRow(p, 3, 10), rows[p - 1]);
        QCOMPARE(CSumPrintLayout::StripOfPage(p, 3), strips[p - 1]);
    }
}

void TestSumPrint::pdfHasEveryStripAndPage()
{
    CClock::SetNow(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    auto pDoc = MakeLedger({ Line(MakeDate(2024, 3, 2), CAT_FOOD, -U(1200)), Line(MakeDate(2024, 3, 9), CAT_INCOME, U(3000)) });
    CSumView view(*pDoc);
    CCmdUI ui(ID_FILE_PRINT);
    QVERIFY(view.UpdateCommand(ui));
    QVERIFY(ui.m_bEnabled);

    // A narrow, short page: the many category columns need strips, a month of days pages.
    const QString strPath = m_dir.filePath(QStringLiteral("sum.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(strPath);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QSizeF(120, 150), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    CPrintJob::SetPrinterProvider([&printer] { return &printer; });
    QVERIFY(view.ExecuteCommand(ID_FILE_PRINT_DIRECT));
    CPrintJob::SetPrinterProvider({});

    CSumPrinter source(view);
    const int nPages = source.BeginPrint(printer);
    source.EndPrint();
    QVERIFY(source.Strips().size() > 1);
    QVERIFY(source.VerticalPages() > 1);
    QCOMPARE(nPages, source.VerticalPages() * int(source.Strips().size()));
    QCOMPARE(PdfPageCount(strPath), nPages);
    CClock::Reset();
}

QTEST_MAIN(TestSumPrint)
#include "tst_sumprint.moc"
