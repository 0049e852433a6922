#pragma once

#include <QDialog>

// "バージョン情報": the icon, the product line and a second line, "OK".
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
