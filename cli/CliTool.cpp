#include "cli/CliTool.h"

#include "cli/CliArgs.h"
#include "cli/CliMessageSink.h"
#include "model/CofferDoc.h"
#include "model/ColumnKind.h"
#include "persist/DocumentFile.h"
#include "persist/LedgerData.h"
#include "persist/TextFile.h"
#include "platform/Clock.h"
#include "platform/PasswordPrompt.h"
#include "platform/StringTable.h"
#include "summary/GraphReport.h"
#include "summary/SummaryReport.h"

#include <QDate>
#include <QFile>

#include <cstdio>

namespace {

const char* const kUsage =
    "usage: pennyfold-cli COMMAND ...\n"
    "  new OUT [--today YYYY-MM-DD]\n"
    "  convert IN OUT [--password P] [--new-password P] [--today YYYY-MM-DD]\n"
    "  show IN [--password P] [--symbols] [--yen]\n"
    "  check IN [--password P]\n"
    "  summary IN --mode day|month|year|quarter [--period YYYY[-MM]] [--currency N] [--password P]\n"
    "  graph IN --mode day|month|year|quarter [--period YYYY[-MM]] [--column TITLE] [--currency N] [--password P]\n"
    "  memo-export IN OUT\n"
    "  memo-import IN MEMOTEXT OUT\n";

// A line's error bits with their messages, in ascending message order.
struct ErrorBit
{
    std::int32_t nBit;
    int nID;
};
const ErrorBit kErrorBits[] = {
    {CReceipt::RF_BALANCE_MISMATCH, IDS_ERR_BALANCE},
    {CReceipt::RF_DATE_REVERSED, IDS_ERR_DATE_REVERSED},
    {CReceipt::RF_BUDGET_UNKNOWN, IDS_ERR_BUDGET_CATEGORY},
    {CReceipt::RF_RAW_TEXT, IDS_ERR_RAW_TEXT},
    {CReceipt::RF_BUDGET_TWICE, IDS_ERR_BUDGET_TWICE},
    {CReceipt::RF_EXCHANGE_UNPAIRED, IDS_ERR_EXCHANGE},
};

// One printed line per record and one field per column: no field carries a
// TAB, CR or LF of its own.
QString OneLine(QString str)
{
    for (QChar& c : str) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return str;
}

} // namespace

int CCliTool::Run(const QStringList& args)
{
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString& cmd = args.first();
    if (cmd == QLatin1String("--help") || cmd == QLatin1String("-h") || cmd == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    CCliMessageSink sink;
    IMessageSink* pPrevious = CMessageBox::SetSink(&sink);
    m_pSink = &sink;
    const QStringList rest = args.mid(1);
    int nStatus = 2;
    if (cmd == QLatin1String("new"))
        nStatus = New(rest);
    else if (cmd == QLatin1String("convert"))
        nStatus = Convert(rest);
    else if (cmd == QLatin1String("show"))
        nStatus = Show(rest);
    else if (cmd == QLatin1String("check"))
        nStatus = Check(rest);
    else if (cmd == QLatin1String("summary"))
        nStatus = Summary(rest);
    else if (cmd == QLatin1String("graph"))
        nStatus = Graph(rest);
    else if (cmd == QLatin1String("memo-export"))
        nStatus = MemoExport(rest);
    else if (cmd == QLatin1String("memo-import"))
        nStatus = MemoImport(rest);
    else
        std::fprintf(stderr, "pennyfold-cli: unknown command '%s'\n%s", cmd.toUtf8().constData(), kUsage);
    m_pSink = nullptr;
    CMessageBox::SetSink(pPrevious);
    std::fflush(stdout);
    return nStatus;
}

bool CCliTool::ParseArgs(CCliArgs& cli, const QStringList& args, const QStringList& valueOptions,
                         const QStringList& switches, int nPositional)
{
    if (cli.Parse(args, valueOptions, switches, nPositional))
        return true;
    std::fprintf(stderr, "pennyfold-cli: %s\n%s", cli.Error().toUtf8().constData(), kUsage);
    return false;
}

bool CCliTool::ApplyToday(const CCliArgs& cli)
{
    if (!cli.Has(QStringLiteral("today")))
        return true;
    const QDate date = QDate::fromString(cli.Value(QStringLiteral("today")), Qt::ISODate);
    if (!date.isValid()) {
        std::fprintf(stderr, "pennyfold-cli: --today needs a date YYYY-MM-DD\n");
        return false;
    }
    // Midday, well clear of the 06:00 change of the working day.
    CClock::SetNow(QDateTime(date, QTime(12, 0)));
    return true;
}

bool CCliTool::OpenLedger(CCofferDoc& doc, const QString& strPath, const CCliArgs& cli)
{
    // Without --password an enciphered file's prompt is cancelled.
    CFixedPasswordPrompt prompt(cli.Value(QStringLiteral("password")), !cli.Has(QStringLiteral("password")));
    CScopedPasswordPrompt scoped(&prompt);
    return CDocumentFile::Open(doc, strPath);
}

bool CCliTool::SaveLedger(CCofferDoc& doc, const QString& strPath)
{
    const bool bSaved = CDocumentFile::Save(doc, strPath);
    PrintWarnings();
    return bSaved;
}

void CCliTool::PrintWarnings()
{
    if (!m_pSink)
        return;
    for (qsizetype i = 0; i < m_pSink->m_texts.size();) {
        if ((m_pSink->m_types[i] & MB_TYPEMASK) != MB_OKCANCEL) {
            ++i;
            continue;
        }
        std::fprintf(stderr, "pennyfold-cli: warning: %s\n", OneLine(m_pSink->m_texts[i]).toUtf8().constData());
        m_pSink->m_texts.removeAt(i);
        m_pSink->m_types.removeAt(i);
    }
}

int CCliTool::Failure(int nID)
{
    QString strText;
    if (m_pSink && !m_pSink->m_texts.isEmpty())
        strText = m_pSink->m_texts.first();
    else if (nID != 0)
        strText = CStringTable::Load(nID);
    if (!strText.isEmpty())
        std::fprintf(stderr, "%s\n", strText.toUtf8().constData());
    return 1;
}

void CCliTool::Print(const QString& str)
{
    const QByteArray bytes = str.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int CCliTool::New(const QStringList& args)
{
    CCliArgs cli;
    if (!ParseArgs(cli, args, {QStringLiteral("today")}, {}, 1) || !ApplyToday(cli))
        return 2;
    CCofferDoc doc;
    if (!doc.OnNewDocument())
        return Failure(AFX_IDP_FAILED_TO_SAVE_DOC);
    return SaveLedger(doc, cli.Positional(0)) ? 0 : Failure();
}

int CCliTool::Convert(const QStringList& args)
{
    CCliArgs cli;
    if (!ParseArgs(cli, args, {QStringLiteral("password"), QStringLiteral("new-password"), QStringLiteral("today")},
                   {}, 2)
        || !ApplyToday(cli))
        return 2;
    CCofferDoc doc;
    if (!OpenLedger(doc, cli.Positional(0), cli))
        return Failure();
    if (cli.Has(QStringLiteral("new-password")))
        doc.m_strPassword = cli.Value(QStringLiteral("new-password"));
    return SaveLedger(doc, cli.Positional(1)) ? 0 : Failure();
}

int CCliTool::Show(const QStringList& args)
{
    CCliArgs cli;
    if (!ParseArgs(cli, args, {QStringLiteral("password")}, {QStringLiteral("symbols"), QStringLiteral("yen")}, 1))
        return 2;
    CCofferDoc doc;
    if (!OpenLedger(doc, cli.Positional(0), cli))
        return Failure();
    const bool bSymbol = cli.Has(QStringLiteral("symbols"));
    const bool bYen = cli.Has(QStringLiteral("yen"));
    if (bYen && !doc.CanShowYen())
        return Failure(IDS_YEN_VIEW_REFUSED);

    static const int kKinds[] = {COL_DATE, COL_CATEGORY, COL_IN, COL_OUT, COL_ACCOUNT, COL_BALANCE, COL_DESCRIPTION};
    QString out;
    for (int nRow = 0; nRow < doc.GetLineCount(); ++nRow) {
        out += QString::number(nRow);
        for (int nKind : kKinds) {
            out += QLatin1Char('\t');
            out += OneLine(doc.GetCellText(nRow, nKind, bSymbol, bYen));
        }
        out += QLatin1Char('\t');
        const std::int32_t nFlags = doc.GetLine(nRow)->m_nFlags;
        bool bFirst = true;
        for (const ErrorBit& e : kErrorBits) {
            if (nFlags & e.nBit) {
                if (!bFirst)
                    out += QLatin1Char(',');
                out += QString::number(e.nID);
                bFirst = false;
            }
        }
        out += QLatin1Char('\n');
        if (out.size() > 1 << 16) {
            Print(out);
            out.clear();
        }
    }
    Print(out);
    return 0;
}

int CCliTool::Check(const QStringList& args)
{
    CCliArgs cli;
    if (!ParseArgs(cli, args, {QStringLiteral("password")}, {}, 1))
        return 2;
    CCofferDoc doc;
    if (!OpenLedger(doc, cli.Positional(0), cli))
        return Failure();
    QString out;
    for (int nRow = 0; nRow < doc.GetLineCount(); ++nRow) {
        const std::int32_t nFlags = doc.GetLine(nRow)->m_nFlags;
        if ((nFlags & CReceipt::RF_ERROR_MASK) == 0)
            continue;
        for (const ErrorBit& e : kErrorBits) {
            if (nFlags & e.nBit)
                out += QStringLiteral("%1\t%2\t%3\n").arg(nRow).arg(e.nID).arg(OneLine(CStringTable::Load(e.nID)));
        }
    }
    Print(out);
    return 0;
}

int CCliTool::OpenReport(const QStringList& args, const QStringList& extraOptions, CCliArgs& cli, CCofferDoc& doc,
                         int& nMode, PackedDate& period, int& nCur)
{
    const QStringList options = QStringList{QStringLiteral("mode"), QStringLiteral("period"), QStringLiteral("currency"),
                                            QStringLiteral("password"), QStringLiteral("today")}
                                + extraOptions;
    if (!ParseArgs(cli, args, options, {}, 1) || !ApplyToday(cli))
        return 2;
    if (!cli.Has(QStringLiteral("mode")) || !CSummaryReport::ParseMode(cli.Value(QStringLiteral("mode")), nMode)) {
        std::fprintf(stderr, "pennyfold-cli: --mode must be day, month, year or quarter\n");
        return 2;
    }
    if (!CSummaryReport::ParsePeriod(cli.Value(QStringLiteral("period")), nMode, period)) {
        std::fprintf(stderr, "pennyfold-cli: --period must be YYYY-MM for day, YYYY for month\n");
        return 2;
    }
    if (!OpenLedger(doc, cli.Positional(0), cli))
        return Failure();
    nCur = 0;
    if (cli.Has(QStringLiteral("currency"))
        && !CSummaryReport::ParseCurrency(cli.Value(QStringLiteral("currency")), doc, nCur)) {
        std::fprintf(stderr, "pennyfold-cli: --currency must be a currency number of the ledger (0 .. %d)\n",
                     int(doc.Currencies().size()) - 1);
        return 2;
    }
    return -1;
}

int CCliTool::Summary(const QStringList& args)
{
    CCliArgs cli;
    CCofferDoc doc;
    int nMode = 0;
    PackedDate period = 0;
    int nCur = 0;
    if (const int nExit = OpenReport(args, {}, cli, doc, nMode, period, nCur); nExit >= 0)
        return nExit;
    Print(CSummaryReport::Text(doc, nMode, period, nCur));
    return 0;
}

int CCliTool::Graph(const QStringList& args)
{
    CCliArgs cli;
    CCofferDoc doc;
    int nMode = 0;
    PackedDate period = 0;
    int nCur = 0;
    if (const int nExit = OpenReport(args, {QStringLiteral("column")}, cli, doc, nMode, period, nCur); nExit >= 0)
        return nExit;
    int nColumn = 0;
    if (!CGraphReport::FindColumn(doc, cli.Value(QStringLiteral("column")), nColumn)) {
        std::fprintf(stderr, "pennyfold-cli: --column names no column of the graph: '%s'\n",
                     cli.Value(QStringLiteral("column")).toUtf8().constData());
        return 2;
    }
    Print(CGraphReport::Text(doc, nMode, period, nColumn, nCur));
    return 0;
}

int CCliTool::MemoExport(const QStringList& args)
{
    CCliArgs cli;
    if (!ParseArgs(cli, args, {QStringLiteral("password")}, {}, 2))
        return 2;
    CCofferDoc doc;
    if (!OpenLedger(doc, cli.Positional(0), cli))
        return Failure();
    const bool bExported = CDocumentFile::ExportMemo(doc, cli.Positional(1));
    PrintWarnings();
    return bExported ? 0 : Failure(IDS_EXPORT_FAILED);
}

int CCliTool::MemoImport(const QStringList& args)
{
    CCliArgs cli;
    if (!ParseArgs(cli, args, {QStringLiteral("password")}, {}, 3))
        return 2;
    CCofferDoc doc;
    if (!OpenLedger(doc, cli.Positional(0), cli))
        return Failure();
    QFile file(cli.Positional(1));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(IDS_IMPORT_FAILED);
    const QByteArray bytes = file.readAll();
    const bool bUtf16 = bytes.startsWith("\xFF\xFE");
    CLedgerData read;
    try {
        CTextFile::ReadTextLines(bytes, bUtf16, read);
    } catch (...) {
        return Failure(IDS_IMPORT_FAILED);
    }
    doc.m_memo.Replace(std::move(read.m_daily));
    return SaveLedger(doc, cli.Positional(2)) ? 0 : Failure();
}
