#include "dialogs/DlgFields.h"

#include "platform/MessageBox.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

QHBoxLayout* CDlgFields::ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* pRow = new QHBoxLayout;
    pRow->addStretch();
    for (QPushButton* pButton : buttons)
        pRow->addWidget(pButton);
    return pRow;
}

void CDlgFields::Refuse(int nID, QLineEdit* pField)
{
    AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
    pField->setFocus();
    pField->selectAll();
}
