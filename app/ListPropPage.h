#pragma once

#include <QStringList>
#include <QWidget>

class QPushButton;
class QTableWidget;

// What the currency and category pages of the list settings share: the table of the
// working copy, one row selected at most, and the add, delete, change, up and down buttons
// whose states follow the selection.
class CListPropPage : public QWidget
{
    Q_OBJECT

public:
    enum : int {
        IDC_ADD = 1030,
        IDC_DELETE = 1031,
        IDC_CHANGE = 1032,
        IDC_UP = 1033,
        IDC_DOWN = 1034,
    };

    int Selected() const;
    void Select(int nRow);

    virtual void OnAdd() = 0;
    virtual void OnDelete() = 0;
    virtual void OnChange() = 0;
    virtual void OnUp() = 0;
    virtual void OnDown() = 0;

Q_SIGNALS:
    void Modified();

protected:
    CListPropPage(const QStringList& columnTitles, QWidget* pParent);

    // The rows of the working copy.
    virtual int RowCount() const = 0;
    // Gives the columns their shares of the table's width.
    virtual void FitColumns() = 0;
    // Selects a row after a refill and brings it into view (none for a row outside).
    void ShowSelection(int nSelect);
    void OnSelChange();

    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

    QTableWidget* m_pTable;
    QPushButton* m_pAdd;
    QPushButton* m_pDelete;
    QPushButton* m_pChange;
    QPushButton* m_pUp;
    QPushButton* m_pDown;
};
