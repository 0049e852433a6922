#pragma once

#include <QDialog>

class QPushButton;

// The numeric pad: a modeless tool window of 4 x 5 keys beside an amount edit.
// Keys never take the focus, so the owner's edit keeps the caret while the
// user clicks; each key is delivered at once through PadInput.
class CNumKeyDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 361,
        IDC_FIRST_KEY = 1060,
        KEY_COLUMNS = 4,
        KEY_ROWS = 5,
        PAD_NUMERIC = 0x20000,
    };

    explicit CNumKeyDlg(QWidget* pOwner);

    // The first call places the pad so that its client area starts at pTarget's
    // right edge and its bottom is level with pTarget's bottom edge; later calls
    // only show it where it is (the owner moves it when it moves).
    void ShowPad(QWidget* pTarget);

    // Whether ShowPad has placed the pad once.
    bool IsPlaced() const { return m_bPlaced; }

    // The key with the given identifier (1060 .. 1079), for tests and focus.
    QPushButton* Key(int nID) const;

    // The character a key sends (8 for "←").
    static QChar KeyChar(int nIndex);
    static QString KeyLabel(int nIndex);

Q_SIGNALS:
    void PadInput(int nParam);   // 0x20000 + character; the "←" key sends 0x20000 + 8

private:
    QPushButton* m_apKeys[KEY_COLUMNS * KEY_ROWS] = {};
    bool m_bPlaced = false;
};
