#pragma once

#include "model/Category.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

// The entry dialog of one category: its name and attribute. OK checks the name (given, short
// enough, no separator characters, not one of the names to avoid) and keeps the dialog open
// on the name after a refusal.
class CCategoryDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 343,
        IDC_ATTR = 1014,
        IDC_NAME = 1015,
    };

    CCategoryDlg(const CCategory& cat, const QStringList& namesToAvoid, bool bAttrChangeable,
                 QWidget* pParent = nullptr);

    CCategory GetCategory() const;

    // The first message number the name raises, 0 when it is accepted.
    static int Validate(const QString& strName, const QStringList& namesToAvoid);

private:
    void OnOK();

    QStringList m_namesToAvoid;
    QLineEdit* m_pName;
    QComboBox* m_pAttr;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
};
