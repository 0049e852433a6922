#pragma once

#include <algorithm>
#include <utility>
#include <vector>

// The working copy of a currency or category list while its settings page is open. Every
// row remembers its origin: its position in the document's list when the page was filled,
// or, for a row added here, a number beyond every document position, so that the
// document can map its lines onto the new list when the page is applied.
template <class T>
class CPropList
{
public:
    struct SButtons
    {
        bool bDelete = false;
        bool bChange = false;
        bool bUp = false;
        bool bDown = false;
    };

    void Fill(const std::vector<T>& entries)
    {
        m_rows.clear();
        m_rows.reserve(entries.size());
        for (std::size_t n = 0; n < entries.size(); ++n)
            m_rows.push_back({entries[n], int(n)});
        m_nDocCount = int(entries.size());
        m_nNextOrigin = m_nDocCount;
        m_bModified = false;
    }

    int Count() const { return int(m_rows.size()); }
    bool IsRow(int nRow) const { return nRow >= 0 && nRow < Count(); }
    const T& At(int nRow) const { return m_rows[std::size_t(nRow)].value; }
    int Origin(int nRow) const { return m_rows[std::size_t(nRow)].nOrigin; }
    // Rows added since the last fill or apply have no lines in the document yet.
    bool IsFromDocument(int nRow) const { return IsRow(nRow) && Origin(nRow) < m_nDocCount; }
    bool IsModified() const { return m_bModified; }

    // The buttons after a selection change: row 0 can be changed but never moved or deleted.
    static SButtons Buttons(int nSel)
    {
        SButtons buttons;
        buttons.bDelete = nSel > 0;
        buttons.bChange = nSel >= 0;
        buttons.bUp = nSel > 1;
        buttons.bDown = nSel > 0;
        return buttons;
    }

    // Where Add puts its row: at the selection, after row 0, or at the end without one.
    int InsertPos(int nSel) const
    {
        if (!IsRow(nSel))
            return Count();
        return nSel == 0 ? 1 : nSel;
    }
    int Insert(int nSel, const T& value)
    {
        const int nPos = InsertPos(nSel);
        m_rows.insert(m_rows.begin() + nPos, SRow{value, m_nNextOrigin++});
        m_bModified = true;
        return nPos;
    }
    bool Change(int nRow, const T& value)
    {
        if (!IsRow(nRow))
            return false;
        m_rows[std::size_t(nRow)].value = value;
        m_bModified = true;
        return true;
    }
    bool Remove(int nRow)
    {
        if (!IsRow(nRow) || nRow == 0)
            return false;
        m_rows.erase(m_rows.begin() + nRow);
        m_bModified = true;
        return true;
    }
    // The row's new position, or -1 when it cannot move (row 0 and row 1 stay below it).
    int MoveUp(int nRow)
    {
        if (nRow <= 1 || nRow >= Count())
            return -1;
        std::swap(m_rows[std::size_t(nRow)], m_rows[std::size_t(nRow - 1)]);
        m_bModified = true;
        return nRow - 1;
    }
    int MoveDown(int nRow)
    {
        if (nRow <= 0 || nRow >= Count() - 1)
            return -1;
        std::swap(m_rows[std::size_t(nRow)], m_rows[std::size_t(nRow + 1)]);
        m_bModified = true;
        return nRow + 1;
    }

    // What the document's apply operation takes: the entries in display order and the
    // origin of each.
    std::vector<T> Values() const
    {
        std::vector<T> values;
        values.reserve(m_rows.size());
        for (const SRow& row : m_rows)
            values.push_back(row.value);
        return values;
    }
    std::vector<int> Origins() const
    {
        std::vector<int> origins;
        origins.reserve(m_rows.size());
        for (const SRow& row : m_rows)
            origins.push_back(row.nOrigin);
        return origins;
    }
    // After an apply the rows are the document's list.
    void Renumber()
    {
        for (std::size_t n = 0; n < m_rows.size(); ++n)
            m_rows[n].nOrigin = int(n);
        m_nDocCount = Count();
        m_nNextOrigin = m_nDocCount;
        m_bModified = false;
    }

private:
    struct SRow
    {
        T value;
        int nOrigin;
    };

    std::vector<SRow> m_rows;
    int m_nDocCount = 0;
    int m_nNextOrigin = 0;
    bool m_bModified = false;
};
