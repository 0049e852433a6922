#include "app/CatPropPage.h"

#include "dialogs/CategoryDlg.h"
#include "model/CategoryAttr.h"
#include "model/CofferDoc.h"
#include "model/ListCheck.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QTableWidget>

CCatPropPage::CCatPropPage(CCofferDoc& doc, QWidget* pParent)
    : CListPropPage({QStringLiteral("費目の名称"), QStringLiteral("費目の属性")}, pParent), m_doc(doc)
{
    setObjectName(QStringLiteral("CCatPropPage"));
    m_list.Fill(m_doc.Categories());
    Refill(-1);
}

void CCatPropPage::Refill(int nSelect)
{
    const QSignalBlocker block(m_pTable);
    m_pTable->setRowCount(m_list.Count());
    for (int n = 0; n < m_list.Count(); ++n) {
        const CCategory& cat = m_list.At(n);
        m_pTable->setItem(n, 0, new QTableWidgetItem(cat.m_strName));
        m_pTable->setItem(n, 1, new QTableWidgetItem(AttrName(cat.m_nAttr)));
    }
    ShowSelection(nSelect);
}

void CCatPropPage::FitColumns()
{
    // Shares of the width left beside a vertical scroll bar when the rows do not fit.
    const int nWidth = m_pTable->viewport()->width();
    m_pTable->setColumnWidth(0, nWidth * 2 / 3);
    m_pTable->setColumnWidth(1, nWidth - nWidth * 2 / 3);
}

QStringList CCatPropPage::NamesExcept(int nRow) const
{
    QStringList names;
    for (int n = 0; n < m_list.Count(); ++n) {
        if (n != nRow)
            names.append(m_list.At(n).m_strName);
    }
    return names;
}

bool CCatPropPage::Edit(CCategory& cat, const QStringList& avoid, bool bAttrChangeable)
{
    if (m_fnEdit)
        return m_fnEdit(cat, avoid, bAttrChangeable, this);
    CCategoryDlg dlg(cat, avoid, bAttrChangeable, this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    cat = dlg.GetCategory();
    return true;
}

void CCatPropPage::OnAdd()
{
    if (const int nID = CListCheck::CheckAddCategory(m_list.Count())) {
        AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int nSel = Selected();
    CCategory cat(ATTR_EXPENSE, QString());
    if (!Edit(cat, NamesExcept(-1), true))
        return;
    Refill(m_list.Insert(nSel, cat));
    Q_EMIT Modified();
}

void CCatPropPage::OnDelete()
{
    const int nSel = Selected();
    if (!m_list.IsRow(nSel))
        return;
    const bool bInUse = m_list.IsFromDocument(nSel) && m_doc.IsCategoryInUse(m_list.Origin(nSel));
    if (const int nID = CListCheck::CheckDeleteCategory(nSel, bInUse)) {
        AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_list.Remove(nSel);
    Refill(-1);
    Q_EMIT Modified();
}

void CCatPropPage::OnChange()
{
    const int nSel = Selected();
    if (!m_list.IsRow(nSel))
        return;
    CCategory cat = m_list.At(nSel);
    if (!Edit(cat, NamesExcept(nSel), nSel != 0))
        return;
    // The remarks category keeps its attribute whatever the dialog returns.
    if (nSel == 0)
        cat.m_nAttr = m_list.At(0).m_nAttr;
    m_list.Change(nSel, cat);
    Refill(nSel);
    Q_EMIT Modified();
}

void CCatPropPage::OnUp()
{
    const int nRow = m_list.MoveUp(Selected());
    if (nRow < 0)
        return;
    Refill(nRow);
    Q_EMIT Modified();
}

void CCatPropPage::OnDown()
{
    const int nRow = m_list.MoveDown(Selected());
    if (nRow < 0)
        return;
    Refill(nRow);
    Q_EMIT Modified();
}

bool CCatPropPage::Apply()
{
    if (!m_list.IsModified())
        return true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bDone = m_doc.ReplaceCategories(m_list.Values(), m_list.Origins());
    QApplication::restoreOverrideCursor();
    if (bDone)
        m_list.Renumber();
    return bDone;
}
