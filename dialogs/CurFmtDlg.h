#pragma once

#include "model/CurFmt.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

// The entry dialog of one currency: name, symbol, decimals and the symbol's placement.
// OK checks the symbol (given, short enough, safe in the register text, not one of the
// symbols to avoid); a refusal shows its message and keeps the dialog open on the symbol.
class CCurFmtDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 344,
        IDC_NAME = 1010,
        IDC_SYMBOL = 1011,
        IDC_DECIMALS = 1012,
        IDC_PLACEMENT = 1013,
    };

    CCurFmtDlg(const CCurFmt& cur, const QStringList& symbolsToAvoid, QWidget* pParent = nullptr);

    CCurFmt GetCurFmt() const;

    // The first message number the values raise, 0 when they are accepted.
    static int Validate(const QString& strSymbol, const QStringList& symbolsToAvoid);
    // A symbol that would break a field of the register text: empty once trimmed, led by a
    // digit, or holding a comma, a tab, a double quote or a control character.
    static bool IsUnsafeSymbol(const QString& strSymbol);
    // The four placement entries: the bare patterns, or examples with the symbol.
    static QStringList PlacementPatterns();
    static QStringList PlacementExamples(const QString& strSymbol, int nDecimals);

private:
    void OnOK();
    void RebuildPlacement();

    QStringList m_symbolsToAvoid;
    QLineEdit* m_pName;
    QLineEdit* m_pSymbol;
    QComboBox* m_pDecimals;
    QComboBox* m_pPlacement;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
};
