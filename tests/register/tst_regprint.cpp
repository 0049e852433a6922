// The register's print: the page count against the PDF the printer writes, the page
// arithmetic at the edges, and the print commands through the view's routing.
#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "grid/PrintJob.h"
#include "register/CofferView.h"
#include "register/RegPrintLayout.h"
#include "register/RegPrinter.h"
#include "tests/register/PdfPages.h"
#include "tests/register/RegFixture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace regfix;

namespace {

// nCount food expenses in March 2024, a few a day.
std::vector<CReceipt> Lines(int nCount)
{
    std::vector<CReceipt> lines;
    for (int i = 0; i < nCount; ++i)
        lines.push_back(Line(MakeDate(2024, 3, 1 + i % 28), YEN, CAT_FOOD, -U(100 + i), QStringLiteral("食品")));
    return lines;
}

void SetUpPdf(QPrinter& printer, const QString& strPath, const QSizeF& mm = QSizeF(210, 297))
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(strPath);
    printer.setPageSize(QPageSize(mm, QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    printer.setResolution(300);
}

// The page count the register reports for a printer, without printing.
int LinesPerPageOn(QPrinter& printer)
{
    CCofferDoc doc;
    Fill(doc, {});
    CCofferView view(doc);
    CRegPrinter source(view);
    source.BeginPrint(printer);
    const int n = source.LinesPerPage();
    source.EndPrint();
    return n;
}

} // namespace

class TestRegPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void pageArithmetic_data();
    void pageArithmetic();
    void columns_data();
    void columns();
    void pdfHasThePagesCounted_data();
    void pdfHasThePagesCounted();
    void pageWithoutRoomPrintsOneLinePerPage();
    void pageDrawing();
    void unwritableFileFails();
    void longPrintCanBeCancelled();
    void printCommandsThroughTheView();
    void previewShowsTheStoredPageCount();
    void printShowsThePlatformDialog();

private:
    QTemporaryDir m_dir;
};

void TestRegPrint::cleanup()
{
    CPrintJob::SetPrintDialogAsk({});
    CPrintJob::SetPrinterProvider({});
    CPrintJob::SetPreviewPages(0);
}

void TestRegPrint::pageArithmetic_data()
{
    QTest::addColumn<int>("areaHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("firstOfLast");
    QTest::newRow("no lines: one page") << 220 << 10 << 0 << 20 << 1 << 0;
    QTest::newRow("45 lines at 20 a page") << 220 << 10 << 45 << 20 << 3 << 40;
    QTest::newRow("exactly two pages") << 229 << 10 << 40 << 20 << 2 << 20;
    QTest::newRow("room for the heading rows only") << 29 << 10 << 3 << 1 << 3 << 2;
    QTest::newRow("a row higher than the page") << 5 << 10 << 2 << 1 << 2 << 1;
    QTest::newRow("no row height reported") << 100 << 0 << 2 << 98 << 1 << 0;
}

void TestRegPrint::pageArithmetic()
{
    QFETCH(int, areaHeight);
    QFETCH(int, rowHeight);
    QFETCH(int, lines);
    QFETCH(int, perPage);
    QFETCH(int, pages);
    QFETCH(int, firstOfLast);
    QCOMPARE(CRegPrintLayout::LinesPerPage(areaHeight, rowHeight), perPage);
    QCOMPARE(CRegPrintLayout::PageCount(lines, perPage), pages);
    QCOMPARE(CRegPrintLayout::FirstLineOfPage(pages, perPage), firstOfLast);
}

void TestRegPrint::columns_data()
{
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("lastIsDescription");
    QTest::addColumn<QList<int>>("rights");
    // Area from x = 10, 100 wide.
    QTest::newRow("description at the end reaches the margin") << QList<int>{20, 30} << 1 << true << QList<int>{30, 110};
    QTest::newRow("another last column is not widened") << QList<int>{20, 30} << 1 << false << QList<int>{30, 60};
    QTest::newRow("twice the resolution, twice as wide") << QList<int>{20, 30} << 2 << false << QList<int>{50, 110};
    QTest::newRow("columns past the edge are left out") << QList<int>{60, 60, 60} << 1 << true << QList<int>{70, 110};
}

void TestRegPrint::columns()
{
    QFETCH(QList<int>, widths);
    QFETCH(int, scale);
    QFETCH(bool, lastIsDescription);
    QFETCH(QList<int>, rights);
    const auto columns =
        CRegPrintLayout::Columns(std::vector<int>(widths.begin(), widths.end()), scale, lastIsDescription, 10, 100);
    QList<int> got;
    int nLeft = 10;
    for (const auto& column : columns) {
        QCOMPARE(column.nLeft, nLeft);
        nLeft = column.nRight;
        got << column.nRight;
    }
    QCOMPARE(got, rights);
}

void TestRegPrint::pdfHasThePagesCounted_data()
{
    QTest::addColumn<int>("fullPages");
    QTest::addColumn<int>("extraLines");
    QTest::newRow("no lines") << 0 << 0;
    QTest::newRow("one full page") << 1 << 0;
    QTest::newRow("two pages and five lines") << 2 << 5;
}

void TestRegPrint::pdfHasThePagesCounted()
{
    QFETCH(int, fullPages);
    QFETCH(int, extraLines);
    const QString strPath = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, strPath);
    const int nPerPage = LinesPerPageOn(printer);
    QVERIFY(nPerPage > 10);

    CCofferDoc doc;
    Fill(doc, Lines(fullPages * nPerPage + extraLines));
    CCofferView view(doc);
    view.ExecuteCommand(ID_PERIOD_ALL);
    QCOMPARE(view.LineCount(), fullPages * nPerPage + extraLines);
    CRegPrinter source(view);
    int nPrinted = 0;
    QCOMPARE(CPrintJob::Run(source, printer, nullptr, false, &nPrinted), CPrintJob::PRINTED);
    const int nExpected = std::max(1, fullPages + (extraLines > 0 ? 1 : 0));
    QCOMPARE(source.PageCount(), nExpected);
    QCOMPARE(nPrinted, nExpected);
    QCOMPARE(PdfPageCount(strPath), nExpected);
}

void TestRegPrint::pageWithoutRoomPrintsOneLinePerPage()
{
    // 52 mm of paper less 50 mm: no room for three rows of a 300 dpi font.
    const QString strPath = m_dir.filePath(QStringLiteral("tiny.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, strPath, QSizeF(80, 52));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    CCofferDoc doc;
    Fill(doc, Lines(4));
    CCofferView view(doc);
    CRegPrinter source(view);
    QCOMPARE(CPrintJob::Run(source, printer, nullptr, false), CPrintJob::PRINTED);
    QCOMPARE(source.LinesPerPage(), 1);
    QCOMPARE(PdfPageCount(strPath), 4);
}

void TestRegPrint::pageDrawing()
{
    CCofferView::SetColorProvider([](int nSlot) {
        return nSlot == 14 ? QColor(0xC0, 0xC0, 0xC0) : nSlot == 0 ? QColor(Qt::white) : QColor(Qt::black);
    });
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, m_dir.filePath(QStringLiteral("drawn.pdf")));
    printer.setResolution(100);
    CCofferDoc doc;
    Fill(doc, Lines(3));
    CCofferView view(doc);
    CRegPrinter source(view);
    QCOMPARE(source.BeginPrint(printer), 1);
    const CPrintMetrics metrics = view.PrintMetrics();
    QImage image(printer.paperRect(QPrinter::DevicePixel).size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        source.PrintPage(painter, 1, 1);
    }
    source.EndPrint();
    CCofferView::SetColorProvider(nullptr);

    const QRect area = metrics.m_rcArea;
    const int h = metrics.m_nRowHeight;
    const auto& columns = source.Columns();
    QVERIFY(columns.size() >= 2);
    // The description column at the end reaches the right margin.
    QCOMPARE(columns.back().nRight, area.left() + area.width());
    // The title row is silver between the rules; rules run under every row down to the
    // bottom of the area, empty rows included.
    QCOMPARE(image.pixelColor(columns[0].nLeft + 3, area.top() + h + 2), QColor(0xC0, 0xC0, 0xC0));
    const int nLastRule = area.top() + 2 * h + source.LinesPerPage() * h;
    for (int y : {area.top() + h, area.top() + 2 * h, area.top() + 3 * h, nLastRule})
        QCOMPARE(image.pixelColor(area.left() + area.width() / 2, y), QColor(Qt::black));
    // Between the rules of an empty row there is only paper.
    QCOMPARE(image.pixelColor(area.left() + area.width() / 2, nLastRule - h / 2), QColor(Qt::white));
}

void TestRegPrint::unwritableFileFails()
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, m_dir.filePath(QStringLiteral("no such folder/out.pdf")));
    CCofferDoc doc;
    Fill(doc, Lines(3));
    CCofferView view(doc);
    CRegPrinter source(view);
    QCOMPARE(CPrintJob::Run(source, printer, nullptr, false), CPrintJob::FAILED);
    QVERIFY(CPrintJob::LastError().contains(QStringLiteral("out.pdf")));
}

void TestRegPrint::longPrintCanBeCancelled()
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, m_dir.filePath(QStringLiteral("cancelled.pdf")), QSizeF(100, 60));
    CCofferDoc doc;
    Fill(doc, Lines(200));
    CCofferView view(doc);
    view.ExecuteCommand(ID_PERIOD_ALL);
    CRegPrinter source(view);
    // The progress dialog lets events through between pages; the user cancels at once.
    bool bFound = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &view, [&] {
        if (auto* pProgress = view.findChild<QProgressDialog*>()) {
            bFound = true;
            pProgress->cancel();
        }
    });
    timer.start(0);
    int nPrinted = 0;
    QCOMPARE(CPrintJob::Run(source, printer, &view, true, &nPrinted), CPrintJob::CANCELLED);
    QVERIFY(bFound);
    QVERIFY(source.PageCount() > CPrintJob::PROGRESS_PAGES);
    QVERIFY2(nPrinted < source.PageCount(), qPrintable(QString::number(nPrinted)));
}

void TestRegPrint::printCommandsThroughTheView()
{
    CCofferDoc doc;
    Fill(doc, Lines(30));
    CCofferView view(doc);
    view.ExecuteCommand(ID_PERIOD_ALL);
    QPrinter printer(QPrinter::HighResolution);
    CPrintJob::SetPrinterProvider([&printer] { return &printer; });
    for (int nID : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) {
        CCmdUI ui(nID);
        QVERIFY(view.UpdateCommand(ui));
        QVERIFY(ui.m_bEnabled);
    }

    // 57607: the dialog's answer decides; cancelled, nothing is written.
    const QString strPrinted = m_dir.filePath(QStringLiteral("printed.pdf"));
    int nAsked = 0;
    bool bAccept = false;
    CPrintJob::SetPrintDialogAsk([&](QPrinter& p, QWidget*) {
        ++nAsked;
        SetUpPdf(p, strPrinted);
        return bAccept;
    });
    QVERIFY(view.ExecuteCommand(ID_FILE_PRINT));
    QCOMPARE(nAsked, 1);
    QVERIFY(!QFile::exists(strPrinted));
    bAccept = true;
    QVERIFY(view.ExecuteCommand(ID_FILE_PRINT));
    QCOMPARE(nAsked, 2);
    QCOMPARE(PdfPageCount(strPrinted), 1);

    // 57608: the printer as it is set up, without asking.
    const QString strQuick = m_dir.filePath(QStringLiteral("quick.pdf"));
    SetUpPdf(printer, strQuick, QSizeF(100, 100));
    QVERIFY(view.ExecuteCommand(ID_FILE_PRINT_DIRECT));
    QCOMPARE(nAsked, 2);
    const int nPerPage = LinesPerPageOn(printer);
    QCOMPARE(PdfPageCount(strQuick), (30 - 1) / nPerPage + 1);
    QVERIFY(PdfPageCount(strQuick) > 1);
}

void TestRegPrint::previewShowsTheStoredPageCount()
{
    CCofferDoc doc;
    Fill(doc, Lines(5));
    CCofferView view(doc);
    QPrinter printer(QPrinter::HighResolution);
    CPrintJob::SetPrinterProvider([&printer] { return &printer; });
    CPrintJob::SetPreviewPages(2);
    bool bSeen = false;
    QPrintPreviewWidget::ViewMode mode = QPrintPreviewWidget::SinglePageView;
    int nPages = 0;
    QTimer::singleShot(0, this, [&] {
        auto* pDlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (pDlg == nullptr)
            return;
        bSeen = true;
        if (auto* pWidget = pDlg->findChild<QPrintPreviewWidget*>()) {
            mode = pWidget->viewMode();
            nPages = pWidget->pageCount();
        }
        pDlg->reject();
    });
    QVERIFY(view.ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    QVERIFY(bSeen);
    QCOMPARE(mode, QPrintPreviewWidget::FacingPagesView);
    QCOMPARE(nPages, 1);
}

void TestRegPrint::printShowsThePlatformDialog()
{
    CCofferDoc doc;
    Fill(doc, Lines(2));
    CCofferView view(doc);
    const QString strPath = m_dir.filePath(QStringLiteral("dialog.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdf(printer, strPath);
    CPrintJob::SetPrinterProvider([&printer] { return &printer; });
    bool bSeen = false;
    QTimer::singleShot(0, this, [&] {
        if (auto* pDlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            bSeen = true;
            pDlg->reject();
        }
    });
    QVERIFY(view.ExecuteCommand(ID_FILE_PRINT));
    QVERIFY(bSeen);
    // Cancelled in the dialog: nothing printed.
    QVERIFY(!QFile::exists(strPath));
}

QTEST_MAIN(TestRegPrint)
#include "tst_regprint.moc"
