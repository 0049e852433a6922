#pragma once

#include <QDialog>

class CGraphPropPage1;
class CGraphView;
class QPushButton;
class QTabWidget;

// The graph's settings (グラフの詳細) with its scale page. OK and Apply hand a modified page to
// the view; a page that refuses its fields keeps the sheet open.
class CGraphPropSheet : public QDialog
{
    Q_OBJECT

public:
    enum : int { IDS_CAPTION = 315 };

    explicit CGraphPropSheet(CGraphView& view, QWidget* pParent = nullptr);

    CGraphPropPage1* ScalePage() const { return m_pPage; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QPushButton* OkButton() const { return m_pOK; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* ApplyButton() const { return m_pApply; }

    // False when the page refused its fields.
    bool Apply();

private:
    void OnOK();

    CGraphView& m_view;
    CGraphPropPage1* m_pPage;
    QTabWidget* m_pTabs;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
    QPushButton* m_pApply;
};
