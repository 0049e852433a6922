#pragma once

#include "summary/GraphScale.h"

#include <QWidget>

class QLineEdit;
class QRadioButton;
class QSpinBox;

// The scale page (目盛) of the graph's sheet: automatic or specified amount axis, and the
// specified axis as whole-unit maximum and minimum with a step count.
class CGraphPropPage1 : public QWidget
{
    Q_OBJECT

public:
    enum : int { IDD = 316 };

    explicit CGraphPropPage1(QWidget* pParent = nullptr);

    // The fields show the drawn axis; the radio shows whether it is the specified one.
    void Load(bool bSpecified, const CGraphScale& effective);

    // Whether a field or a radio was touched since the last Load or Apply.
    bool IsModified() const { return m_bModified; }

    // Takes a modified page into bSpecified and scale. False, with 4127 shown, the focus on
    // 最大値 and nothing taken, when the fields make no drawable axis.
    bool Apply(bool& bSpecified, CGraphScale& scale);

    QRadioButton* AutoButton() const { return m_pAuto; }
    QRadioButton* SpecifiedButton() const { return m_pSpecified; }
    QLineEdit* MaximumField() const { return m_pMaximum; }
    QLineEdit* MinimumField() const { return m_pMinimum; }
    QSpinBox* CountField() const { return m_pCount; }

Q_SIGNALS:
    void Modified();

private:
    void OnEdited();
    void OnRadio();

    QRadioButton* m_pAuto;
    QRadioButton* m_pSpecified;
    QLineEdit* m_pMaximum;
    QLineEdit* m_pMinimum;
    QSpinBox* m_pCount;
    bool m_bModified = false;
    bool m_bLoading = false;
};
