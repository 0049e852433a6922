#include "app/CommandLinePrint.h"

#include "app/CofferApp.h"
#include "app/CommandLine.h"
#include "app/LedgerSession.h"
#include "grid/PrintJob.h"
#include "register/CofferView.h"
#include "register/RegPrinter.h"

#include <QPrinter>

#include <cstdio>

namespace {

int Fail(const QString& strText)
{
    std::fprintf(stderr, "pennyfold: %s\n", strText.toLocal8Bit().constData());
    return 1;
}

} // namespace

int CCommandLinePrint::Run(const CCommandLine& line, const QStringList& arguments)
{
    if (!line.m_strUsageError.isEmpty())
        return Fail(line.m_strUsageError);

    QPrinter printer(QPrinter::HighResolution);
    switch (line.m_nPrint) {
    case CCommandLine::PRINT_PDF:
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(line.m_strPrintTarget);
        break;
    case CCommandLine::PRINT_TO:
        printer.setPrinterName(line.m_strPrintTarget);
        if (!printer.isValid() || printer.printerName() != line.m_strPrintTarget)
            return Fail(QStringLiteral("no printer named %1").arg(line.m_strPrintTarget));
        break;
    default:
        if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
            return Fail(QStringLiteral("no default printer"));
        break;
    }

    // The opening reports a bad file itself; without a message sink the text goes to stderr.
    CCofferApp coffer;
    if (!coffer.InitInstance(arguments, false) || coffer.Sessions().isEmpty())
        return Fail(QStringLiteral("cannot open %1").arg(line.m_strFile));
    CLedgerSession* pSession = coffer.ActiveSession() ? coffer.ActiveSession() : coffer.Sessions().constFirst();

    int nResult = 0;
    {
        CCofferView view(pSession->Document());
        CRegPrinter source(view);
        if (CPrintJob::Run(source, printer, nullptr, false) != CPrintJob::PRINTED)
            nResult = Fail(CPrintJob::LastError());
    }
    return nResult;
}
