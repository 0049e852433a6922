#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The password dialog: asks for the password of a file being opened, or for
// a new, repeated or changed password of the ledger.
class CPwdDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 338,
        MODE_ENTER = 338,
        MODE_SET = 339,
        MODE_CONFIRM = 340,
        MODE_CHANGE = 341,
        IDC_PASSWORD = 1015,
        IDC_RELEASE = 1018,
    };

    explicit CPwdDlg(int nMode = MODE_ENTER, QWidget* pParent = nullptr);

    // Shows the dialog modally; IDOK (also for "解除") or IDCANCEL.
    int DoModal();

    // The prompt when an enciphered file is opened: mode 338 with the file's
    // path as title. False when cancelled; otherwise strPassword holds the
    // entered text (possibly empty).
    static bool AskForFile(const QString& strPath, QString& strPassword, QWidget* pParent = nullptr);

    int m_nMode;
    // Appended to the caption after " - " when not empty (the file's path when opening).
    QString m_strTitle;
    // The password the dialog returns; starts as the caller sets it.
    QString m_strResult;

    // The texts a mode shows.
    static QString CaptionFor(int nMode, const QString& strTitle);
    static QString LabelFor(int nMode);

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void OnInitDialog();
    // Grows the dialog to the height its wrapped text needs at the current width and font.
    void FitToText();
    void OnOK();
    void OnRelease();

    QLabel* m_pLabel;
    QLineEdit* m_pEdit;
    QLabel* m_pNote;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
    QPushButton* m_pRelease;
};
