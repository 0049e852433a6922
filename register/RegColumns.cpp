#include "register/RegColumns.h"

#include "model/ColumnKind.h"
#include "model/Receipt.h"
#include "platform/StringTable.h"

std::vector<std::uint32_t> CRegColumns::DefaultLayout()
{
    return { COL_DATE, COL_IN, COL_OUT, COL_BALANCE, COL_ACCOUNT, COL_CATEGORY, COL_DESCRIPTION };
}

std::vector<int> CRegColumns::Kinds(const std::vector<std::uint32_t>& layout)
{
    std::vector<int> kinds;
    kinds.reserve(layout.size());
    for (const std::uint32_t nEntry : layout)
        kinds.push_back(KindOf(nEntry));
    return kinds;
}

QString CRegColumns::Title(int nKind)
{
    switch (nKind) {
    case COL_IN: return QStringLiteral("収入");
    case COL_OUT: return QStringLiteral("支出");
    case COL_ACCOUNT: return QStringLiteral("貸借");
    case COL_DATE: return QStringLiteral("日付");
    case COL_CATEGORY: return QStringLiteral("費目");
    case COL_DESCRIPTION: return QStringLiteral("摘要");
    default: return QStringLiteral("残高");
    }
}

QString CRegColumns::WidthSample(int nKind)
{
    switch (nKind) {
    case COL_IN:
    case COL_OUT: return QStringLiteral("\\9,999,999");
    case COL_DATE: return QStringLiteral("99/99/99");
    case COL_CATEGORY: return QStringLiteral("費目＋＋");
    case COL_DESCRIPTION: return QStringLiteral("繰り越し＋文字列＋＋");
    default: return QStringLiteral("-\\9,999,999");
    }
}

std::int32_t CRegColumns::ErrorFlags(int nKind)
{
    switch (nKind) {
    case COL_BALANCE: return CReceipt::RF_BALANCE_MISMATCH;
    case COL_DATE: return CReceipt::RF_DATE_REVERSED;
    case COL_CATEGORY: return CReceipt::RF_EXCHANGE_UNPAIRED;
    case COL_DESCRIPTION: return CReceipt::RF_RAW_TEXT | CReceipt::RF_BUDGET_UNKNOWN | CReceipt::RF_BUDGET_TWICE;
    default: return 0;
    }
}

int CRegColumns::ErrorMessage(int nKind, std::int32_t nFlags)
{
    const std::int32_t nMarked = nFlags & ErrorFlags(nKind);
    if (nMarked == 0)
        return 0;
    switch (nKind) {
    case COL_BALANCE: return IDS_ERR_BALANCE;
    case COL_DATE: return IDS_ERR_DATE_REVERSED;
    case COL_CATEGORY: return IDS_ERR_EXCHANGE;
    default:
        if (nMarked & CReceipt::RF_RAW_TEXT)
            return IDS_ERR_RAW_TEXT;
        if (nMarked & CReceipt::RF_BUDGET_UNKNOWN)
            return IDS_ERR_BUDGET_CATEGORY;
        return IDS_ERR_BUDGET_TWICE;
    }
}

QString CRegColumns::ScreenText(const QString& strText)
{
    if (!strText.contains(QChar(u'\\')))
        return strText;
    QString str = strText;
    str.replace(QChar(u'\\'), QChar(0x00A5));
    return str;
}
