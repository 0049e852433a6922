#pragma once

#include <QString>

#include <functional>

class IPrintSource;
class QPrinter;
class QWidget;

// The print sequence of a view: ask (the platform's print dialog), then begin, every
// page in turn, end; the preview runs the same sequence into the preview's printer.
// Pages are drawn one at a time, so a long print keeps its memory flat; a print of
// many pages shows a progress dialog that can cancel it.
class CPrintJob
{
public:
    enum EResult { PRINTED, CANCELLED, FAILED };

    // More pages than this show the progress dialog.
    static constexpr int PROGRESS_PAGES = 10;

    // The printer that page set-up and printing share; the application installs it.
    // Without one, or when it answers nullptr, a printer of this module's own is used.
    using PrinterFn = std::function<QPrinter*()>;
    static void SetPrinterProvider(PrinterFn fn);
    static QPrinter& Printer();
    // Pages the preview shows at once (0: the preview's default).
    static void SetPreviewPages(int nPages);
    static int PreviewPages();

    // Answers the print dialog in its place (tests); an empty hook restores the dialog.
    using AskFn = std::function<bool(QPrinter& printer, QWidget* pParent)>;
    static void SetPrintDialogAsk(AskFn fn);

    // 57607: the print dialog, then the print.
    static EResult Print(IPrintSource& source, QWidget* pParent);
    // 57608: the shared printer as it is set up, no dialog.
    static EResult QuickPrint(IPrintSource& source, QWidget* pParent);
    // 57609.
    static void Preview(IPrintSource& source, QWidget* pParent);

    // The sequence itself on any printer; bProgress false never shows the progress dialog.
    // nPrinted, when given, receives the number of pages drawn.
    static EResult Run(IPrintSource& source, QPrinter& printer, QWidget* pParent, bool bProgress = true,
                       int* pPrinted = nullptr);
    // Why the last Run failed, for a message.
    static QString LastError();
};
