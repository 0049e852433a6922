#pragma once

#include <initializer_list>

class QHBoxLayout;
class QLineEdit;
class QPushButton;

// What every entry dialog does alike: its buttons in one row on the right, and a field it
// refuses on OK, which keeps the dialog open with that field to be typed over.
class CDlgFields
{
public:
    static QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
    // Shows message nID and puts the focus on the field with its text selected.
    static void Refuse(int nID, QLineEdit* pField);
};
