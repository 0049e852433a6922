#include "grid/PrintJob.h"

#include "grid/PrintSource.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>

#include <memory>

namespace {

CPrintJob::PrinterFn& PrinterProvider()
{
    static CPrintJob::PrinterFn fn;
    return fn;
}

CPrintJob::AskFn& PrintAsk()
{
    static CPrintJob::AskFn fn;
    return fn;
}

int& PreviewPageCount()
{
    static int n = 0;
    return n;
}

QString& ErrorText()
{
    static QString str;
    return str;
}

} // namespace

void CPrintJob::SetPrinterProvider(PrinterFn fn)
{
    PrinterProvider() = std::move(fn);
}

QPrinter& CPrintJob::Printer()
{
    if (PrinterProvider()) {
        if (QPrinter* pPrinter = PrinterProvider()())
            return *pPrinter;
    }
    static QPrinter printer;
    return printer;
}

void CPrintJob::SetPreviewPages(int nPages)
{
    PreviewPageCount() = std::max(0, nPages);
}

int CPrintJob::PreviewPages()
{
    return PreviewPageCount();
}

void CPrintJob::SetPrintDialogAsk(AskFn fn)
{
    PrintAsk() = std::move(fn);
}

QString CPrintJob::LastError()
{
    return ErrorText();
}

CPrintJob::EResult CPrintJob::Print(IPrintSource& source, QWidget* pParent)
{
    QPrinter& printer = Printer();
    bool bAccepted = false;
    if (PrintAsk()) {
        bAccepted = PrintAsk()(printer, pParent);
    } else {
        QPrintDialog dlg(&printer, pParent);
        bAccepted = dlg.exec() == QDialog::Accepted;
    }
    if (!bAccepted)
        return CANCELLED;
    return Run(source, printer, pParent);
}

CPrintJob::EResult CPrintJob::QuickPrint(IPrintSource& source, QWidget* pParent)
{
    return Run(source, Printer(), pParent);
}

void CPrintJob::Preview(IPrintSource& source, QWidget* pParent)
{
    QPrintPreviewDialog dlg(&Printer(), pParent);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg,
                     [&source, &dlg](QPrinter* pPrinter) { Run(source, *pPrinter, &dlg, false); });
    // The stored page count chooses how many pages the preview lays side by side.
    if (auto* pWidget = dlg.findChild<QPrintPreviewWidget*>()) {
        switch (PreviewPages()) {
        case 0:
            break;
        case 1:
            pWidget->setViewMode(QPrintPreviewWidget::SinglePageView);
            break;
        case 2:
            pWidget->setViewMode(QPrintPreviewWidget::FacingPagesView);
            break;
        default:
            pWidget->setViewMode(QPrintPreviewWidget::AllPagesView);
            break;
        }
    }
    dlg.exec();
}

CPrintJob::EResult CPrintJob::Run(IPrintSource& source, QPrinter& printer, QWidget* pParent, bool bProgress,
                                  int* pPrinted)
{
    ErrorText().clear();
    if (pPrinted != nullptr)
        *pPrinted = 0;
    const int nPages = std::max(1, source.BeginPrint(printer));
    // The dialog's page range, when the user chose one.
    int nFrom = 1;
    int nTo = nPages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        nFrom = std::min(nPages, printer.fromPage());
        nTo = printer.toPage() > 0 ? std::clamp(printer.toPage(), nFrom, nPages) : nPages;
    }

    QPainter painter;
    if (!painter.begin(&printer)) {
        source.EndPrint();
        ErrorText() = printer.outputFileName().isEmpty()
                          ? QStringLiteral("プリンターを開けませんでした。")
                          : QStringLiteral("%1 に書き込めませんでした。").arg(printer.outputFileName());
        return FAILED;
    }

    std::unique_ptr<QProgressDialog> pProgress;
    if (bProgress && nTo - nFrom + 1 > PROGRESS_PAGES) {
        pProgress = std::make_unique<QProgressDialog>(QStringLiteral("印刷中..."), QStringLiteral("キャンセル"), 0,
                                                      nTo - nFrom + 1, pParent);
        // Shown at once: a print of this many pages takes long enough to want a way out, and
        // the dialog lets events through (its cancel button) only once it is shown.
        pProgress->setWindowModality(Qt::WindowModal);
        pProgress->setMinimumDuration(0);
        pProgress->show();
    }

    EResult result = PRINTED;
    for (int nPage = nFrom; nPage <= nTo; ++nPage) {
        if (pProgress) {
            pProgress->setValue(nPage - nFrom);
            if (pProgress->wasCanceled()) {
                result = CANCELLED;
                break;
            }
        }
        if (nPage > nFrom && !printer.newPage()) {
            result = FAILED;
            ErrorText() = QStringLiteral("印刷を続けられませんでした。");
            break;
        }
        painter.save();
        source.PrintPage(painter, nPage, nPages);
        painter.restore();
        if (pPrinted != nullptr)
            ++*pPrinted;
    }
    if (result == CANCELLED)
        printer.abort();
    painter.end();
    source.EndPrint();
    return result;
}
