#include "register/RegRefusal.h"

#include "model/AmountText.h"
#include "model/ColumnKind.h"
#include "model/Receipt.h"

namespace {

bool IsSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u';' || u == u'；' || u == u',' || u == u'，';
}

bool HasCategory(QStringView name, const std::vector<CCategory>& cats)
{
    for (const CCategory& cat : cats) {
        if (cat.m_strName == name)
            return true;
    }
    return false;
}

} // namespace

QString CRegRefusal::Reason(const CReceipt& line, int nKind, const QString& strText,
                            const std::vector<CCategory>& cats)
{
    CReceipt probe = line;
    if (probe.SetColumnText(nKind, strText, cats))
        return QString();

    switch (nKind) {
    case COL_CATEGORY: {
        // Name the first part the list lacks.
        qsizetype nCut = -1;
        for (qsizetype i = 0; i < strText.size(); ++i) {
            if (IsSeparator(strText[i])) {
                nCut = i;
                break;
            }
        }
        const QString strMain = nCut < 0 ? strText : strText.left(nCut);
        const QString strMissing = !HasCategory(strMain, cats) ? strMain : strText.mid(nCut + 1);
        return QStringLiteral("費目「%1」はありません。［費目の設定］で追加するか、［修正］の「他の費目...」で追加してください。")
            .arg(strMissing);
    }
    case COL_DATE:
        return QStringLiteral("日付「%1」は日付として読めません。年/月/日の形で入力してください。").arg(strText);
    case COL_DESCRIPTION:
        return QString();
    default:
        break;
    }
    if (!IsAmountColumn(nKind))
        return QStringLiteral("この欄は直接入力できません。");
    Amount nValue = 0;
    if (!CAmountText::ParseExpression(strText, nValue))
        return QStringLiteral("金額「%1」は数値または計算式として読めません。").arg(strText);
    return QStringLiteral("この行の費目では、この欄に金額を入力できません。");
}
