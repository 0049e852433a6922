#pragma once

#include <QString>

// Button and icon styles and the answers of a message box, numbered as the
// string-table callers expect them.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_TYPEMASK = 0xF,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};

enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// Where message boxes go. The desktop program installs a sink that shows a
// modal box; tests install a recorder; without a sink the text goes to stderr
// and the first button's answer is returned.
class IMessageSink
{
public:
    virtual ~IMessageSink() = default;
    virtual int Show(const QString& strText, unsigned nType) = 0;
};

class CMessageBox
{
public:
    // Shows the string-table text of nID and returns the button pressed.
    static int Show(int nID, unsigned nType = MB_OK);
    static int ShowText(const QString& strText, unsigned nType = MB_OK);

    // Installs a sink; returns the one it replaces. nullptr restores the default.
    static IMessageSink* SetSink(IMessageSink* pSink);

    // The answer a box gives when nobody can be asked.
    static int DefaultAnswer(unsigned nType);
};

// Shorthand used throughout: the string-table message nID in a box.
inline int AppMessageBox(int nID, unsigned nType = MB_OK)
{
    return CMessageBox::Show(nID, nType);
}
