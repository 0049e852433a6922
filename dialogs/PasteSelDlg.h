#pragma once

#include "model/PackedDate.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QRadioButton;

// The paste-method dialog (貼り付け方法の指定): where the clipboard's lines go, the date they
// take, and for overwriting which parts of them are taken.
class CPasteSelDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 348,
        IDC_DATE = 1000,
        IDC_METHOD_FIRST = 1021, // .. 1024
        IDC_PART_DATE = 1025,
        IDC_PART_CURRENCY = 1026,
        IDC_PART_AMOUNTS = 1027,
        IDC_PART_DESC = 1028,
        IDC_USE_DATE = 1040,
    };
    enum : int {
        METHOD_AT_CURSOR = 0,
        METHOD_AFTER_CURSOR = 1,
        METHOD_OVERWRITE = 2,
        METHOD_BY_DATE = 3,
        METHOD_COUNT = 4,
    };

    // date: the date of the line at the paste target; 0 when there is none (today is shown).
    explicit CPasteSelDlg(PackedDate date, QWidget* pParent = nullptr);

    int Method() const;
    void SetMethod(int nMethod);
    bool UseDate() const;
    PackedDate Date() const;
    bool PartDate() const;
    bool PartCurrency() const;
    bool PartAmounts() const;
    bool PartDesc() const;

private:
    void OnMethodChanged();

    QButtonGroup* m_pMethods;
    QRadioButton* m_apMethods[METHOD_COUNT] = {};
    QCheckBox* m_pUseDate;
    QDateEdit* m_pDate;
    QCheckBox* m_pPartDate;
    QCheckBox* m_pPartCurrency;
    QCheckBox* m_pPartAmounts;
    QCheckBox* m_pPartDesc;
};
