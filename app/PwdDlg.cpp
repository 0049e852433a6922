#include "app/PwdDlg.h"

#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPwdDlg::CPwdDlg(int nMode, QWidget* pParent) : QDialog(pParent), m_nMode(nMode)
{
    setObjectName(QStringLiteral("CPwdDlg"));
    setModal(true);

    m_pLabel = new QLabel(this);
    m_pLabel->setObjectName(QStringLiteral("label"));
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName(QStringLiteral("password"));
    m_pEdit->setEchoMode(QLineEdit::Password);
    m_pLabel->setBuddy(m_pEdit);
    m_pNote = new QLabel(QStringLiteral("注意 ： パスワードを忘れると、ファイルを開くことができなくなります。"), this);
    m_pNote->setObjectName(QStringLiteral("note"));
    m_pNote->setWordWrap(true);

    m_pOK = new QPushButton(QStringLiteral("OK"), this);
    m_pOK->setObjectName(QStringLiteral("ok"));
    m_pOK->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    m_pRelease = new QPushButton(QStringLiteral("解除"), this);
    m_pRelease->setObjectName(QStringLiteral("release"));
    m_pRelease->setAutoDefault(false);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pRelease);
    pButtons->addWidget(m_pOK);
    pButtons->addWidget(m_pCancel);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pLabel);
    pLayout->addWidget(m_pEdit);
    pLayout->addWidget(m_pNote);
    pLayout->addLayout(pButtons);

    // 169 x 64 dialog units at the usual 6 x 13 pixel base.
    resize(254, 104);

    connect(m_pOK, &QPushButton::clicked, this, &CPwdDlg::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pRelease, &QPushButton::clicked, this, &CPwdDlg::OnRelease);
}

QString CPwdDlg::CaptionFor(int nMode, const QString& strTitle)
{
    QString strCaption;
    switch (nMode) {
    case MODE_SET: strCaption = QStringLiteral("パスワードの設定"); break;
    case MODE_CONFIRM: strCaption = QStringLiteral("パスワードの確認"); break;
    case MODE_CHANGE: strCaption = QStringLiteral("パスワードの変更"); break;
    default: strCaption = QStringLiteral("パスワードの入力"); break;
    }
    if (!strTitle.isEmpty())
        strCaption += QStringLiteral(" - ") + strTitle;
    return strCaption;
}

QString CPwdDlg::LabelFor(int nMode)
{
    switch (nMode) {
    case MODE_CONFIRM: return CStringTable::Load(IDS_PASSWORD_AGAIN);
    case MODE_CHANGE: return CStringTable::Load(IDS_NEW_PASSWORD);
    default: return QStringLiteral("パスワード");
    }
}

void CPwdDlg::OnInitDialog()
{
    setWindowTitle(CaptionFor(m_nMode, m_strTitle));
    m_pLabel->setText(LabelFor(m_nMode));
    m_pNote->setVisible(m_nMode == MODE_CONFIRM);
    m_pRelease->setVisible(m_nMode == MODE_CHANGE);
    // The edit starts empty whatever the result holds: OK with nothing typed
    // keeps the result as the caller gave it.
    m_pEdit->clear();
    m_pEdit->setFocus();
    FitToText();
}

void CPwdDlg::FitToText()
{
    // The wrapped warning decides the height: at a large font or a narrow width the
    // dialog grows so that none of its text is cut off.
    QLayout* pLayout = layout();
    pLayout->invalidate();
    pLayout->activate();
    const int nWidth = qMax(width(), pLayout->minimumSize().width());
    const int nHeight = qMax(pLayout->minimumSize().height(), pLayout->totalHeightForWidth(nWidth));
    setMinimumSize(pLayout->minimumSize().width(), nHeight);
    resize(nWidth, qMax(height(), nHeight));
}

void CPwdDlg::showEvent(QShowEvent* pEvent)
{
    OnInitDialog();
    QDialog::showEvent(pEvent);
}

void CPwdDlg::OnOK()
{
    const QString strText = m_pEdit->text();
    if (!strText.isEmpty())
        m_strResult = strText;
    accept();
}

void CPwdDlg::OnRelease()
{
    m_strResult.clear();
    accept();
}

int CPwdDlg::DoModal()
{
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CPwdDlg::AskForFile(const QString& strPath, QString& strPassword, QWidget* pParent)
{
    CPwdDlg dlg(MODE_ENTER, pParent);
    dlg.m_strTitle = strPath;
    if (dlg.DoModal() != IDOK)
        return false;
    strPassword = dlg.m_strResult;
    return true;
}
