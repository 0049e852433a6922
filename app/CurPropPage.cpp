#include "app/CurPropPage.h"

#include "dialogs/CurFmtDlg.h"
#include "model/CofferDoc.h"
#include "model/ListCheck.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QTableWidget>

CCurPropPage::CCurPropPage(CCofferDoc& doc, QWidget* pParent)
    : CListPropPage({QStringLiteral("通貨の名称"), QStringLiteral("通貨記号"), QStringLiteral("桁数"), QStringLiteral("配置")}, pParent), m_doc(doc)
{
    setObjectName(QStringLiteral("CCurPropPage"));
    m_list.Fill(m_doc.Currencies());
    Refill(-1);
}

QString CCurPropPage::PlacementText(int nPos)
{
    const QStringList patterns = CCurFmtDlg::PlacementPatterns();
    return nPos >= 0 && nPos < patterns.size() ? patterns.at(nPos) : patterns.front();
}

void CCurPropPage::Refill(int nSelect)
{
    const QSignalBlocker block(m_pTable);
    m_pTable->setRowCount(m_list.Count());
    for (int n = 0; n < m_list.Count(); ++n) {
        const CCurFmt& cur = m_list.At(n);
        const QString texts[4] = {cur.m_strName, cur.m_strSymbol, QString::number(cur.m_nDecimals),
                                  PlacementText(cur.m_nSymbolPos)};
        for (int c = 0; c < 4; ++c) {
            auto* pItem = new QTableWidgetItem(texts[c]);
            pItem->setTextAlignment(c == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::Alignment(Qt::AlignCenter));
            m_pTable->setItem(n, c, pItem);
        }
    }
    ShowSelection(nSelect);
}

void CCurPropPage::FitColumns()
{
    // Shares of the width left beside a vertical scroll bar when the rows do not fit.
    const int nWidth = m_pTable->viewport()->width();
    m_pTable->setColumnWidth(0, nWidth / 2);
    m_pTable->setColumnWidth(1, nWidth / 4);
    m_pTable->setColumnWidth(2, nWidth / 8);
    m_pTable->setColumnWidth(3, nWidth - nWidth / 2 - nWidth / 4 - nWidth / 8);
}

QStringList CCurPropPage::SymbolsExcept(int nRow) const
{
    QStringList symbols;
    for (int n = 0; n < m_list.Count(); ++n) {
        if (n != nRow)
            symbols.append(m_list.At(n).m_strSymbol);
    }
    return symbols;
}

bool CCurPropPage::Edit(CCurFmt& cur, const QStringList& avoid)
{
    if (m_fnEdit)
        return m_fnEdit(cur, avoid, this);
    CCurFmtDlg dlg(cur, avoid, this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    cur = dlg.GetCurFmt();
    return true;
}

void CCurPropPage::OnAdd()
{
    if (const int nID = CListCheck::CheckAddCurrency(m_list.Count())) {
        AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int nSel = Selected();
    CCurFmt cur(QString(), 2, QString());
    if (!Edit(cur, SymbolsExcept(-1)))
        return;
    Refill(m_list.Insert(nSel, cur));
    Q_EMIT Modified();
}

void CCurPropPage::OnDelete()
{
    const int nSel = Selected();
    if (!m_list.IsRow(nSel))
        return;
    const bool bInUse = m_list.IsFromDocument(nSel) && m_doc.IsCurrencyInUse(m_list.Origin(nSel));
    if (const int nID = CListCheck::CheckDeleteCurrency(nSel, bInUse)) {
        AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_list.Remove(nSel);
    Refill(-1);
    Q_EMIT Modified();
}

void CCurPropPage::OnChange()
{
    const int nSel = Selected();
    if (!m_list.IsRow(nSel))
        return;
    CCurFmt cur = m_list.At(nSel);
    if (!Edit(cur, SymbolsExcept(nSel)))
        return;
    m_list.Change(nSel, cur);
    Refill(nSel);
    Q_EMIT Modified();
}

void CCurPropPage::OnUp()
{
    const int nRow = m_list.MoveUp(Selected());
    if (nRow < 0)
        return;
    Refill(nRow);
    Q_EMIT Modified();
}

void CCurPropPage::OnDown()
{
    const int nRow = m_list.MoveDown(Selected());
    if (nRow < 0)
        return;
    Refill(nRow);
    Q_EMIT Modified();
}

bool CCurPropPage::Apply()
{
    if (!m_list.IsModified())
        return true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bDone = m_doc.ReplaceCurrencies(m_list.Values(), m_list.Origins());
    QApplication::restoreOverrideCursor();
    if (bDone)
        m_list.Renumber();
    return bDone;
}
