#include "app/CommandLine.h"

#include <QDir>

CCommandLine CCommandLine::Parse(const QStringList& arguments)
{
    CCommandLine line;
    bool bOptions = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& strArg = arguments.at(i);
        if (bOptions && strArg == QLatin1String("--print")) {
            line.m_nPrint = PRINT_DEFAULT;
            continue;
        }
        if (bOptions && (strArg == QLatin1String("--print-to") || strArg == QLatin1String("--pdf"))) {
            line.m_nPrint = strArg == QLatin1String("--pdf") ? PRINT_PDF : PRINT_TO;
            if (i + 1 >= arguments.size()) {
                line.m_strUsageError = strArg + QStringLiteral(" needs a value");
                continue;
            }
            line.m_strPrintTarget = arguments.at(++i);
            continue;
        }
        if (bOptions && strArg == QLatin1String("--")) {
            bOptions = false;
            continue;
        }
        if (bOptions && strArg == QLatin1String("--forward")) {
            line.m_bForward = true;
            continue;
        }
        if (bOptions && strArg.startsWith(QLatin1Char('-')) && strArg.size() > 1) {
            line.m_ignored.append(strArg);
            continue;
        }
        // The first path counts; the program opens one file per start.
        if (line.m_strFile.isEmpty())
            line.m_strFile = strArg;
        else
            line.m_ignored.append(strArg);
    }
    if (line.m_nPrint != PRINT_NONE && line.m_strUsageError.isEmpty() && line.m_strFile.isEmpty())
        line.m_strUsageError = QStringLiteral("no ledger file to print");
    return line;
}

bool CCommandLine::IsForwardablePath(const QString& strPath)
{
    if (strPath.isEmpty() || strPath.size() > MAX_FORWARD_PATH)
        return false;
    for (const QChar ch : strPath) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
            return false;
    }
    return QDir::isAbsolutePath(strPath);
}
