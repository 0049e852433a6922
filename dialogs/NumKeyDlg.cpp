#include "dialogs/NumKeyDlg.h"

#include "dialogs/DlgPlacement.h"

#include <QGridLayout>
#include <QPushButton>

namespace {

// Row by row, as the identifiers run.
constexpr char16_t kKeyChars[] = u"789+456-123*0.,/\b() ";

} // namespace

QChar CNumKeyDlg::KeyChar(int nIndex)
{
    if (nIndex < 0 || nIndex >= KEY_COLUMNS * KEY_ROWS)
        return QChar();
    return QChar(kKeyChars[nIndex]);
}

QString CNumKeyDlg::KeyLabel(int nIndex)
{
    const QChar ch = KeyChar(nIndex);
    if (ch == QChar(u'\b'))
        return QStringLiteral("←");
    return ch.isNull() ? QString() : QString(ch);
}

CNumKeyDlg::CNumKeyDlg(QWidget* pOwner)
    : QDialog(pOwner, Qt::Tool | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("数値入力パッド"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    QFont font = this->font();
    font.setPointSizeF(10.5);

    auto* pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(2, 2, 2, 2);
    pLayout->setSpacing(1);
    const int nSide = QFontMetrics(font).height() + 10;
    for (int i = 0; i < KEY_COLUMNS * KEY_ROWS; ++i) {
        auto* pKey = new QPushButton(KeyLabel(i), this);
        pKey->setObjectName(QStringLiteral("key%1").arg(IDC_FIRST_KEY + i));
        pKey->setFont(font);
        pKey->setFocusPolicy(Qt::NoFocus);
        pKey->setAutoDefault(false);
        pKey->setFixedSize(nSide + 6, nSide);
        const int nParam = PAD_NUMERIC + KeyChar(i).unicode();
        connect(pKey, &QPushButton::clicked, this, [this, nParam] { Q_EMIT PadInput(nParam); });
        pLayout->addWidget(pKey, i / KEY_COLUMNS, i % KEY_COLUMNS);
        m_apKeys[i] = pKey;
    }
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* CNumKeyDlg::Key(int nID) const
{
    const int i = nID - IDC_FIRST_KEY;
    return i >= 0 && i < KEY_COLUMNS * KEY_ROWS ? m_apKeys[i] : nullptr;
}

void CNumKeyDlg::ShowPad(QWidget* pTarget)
{
    if (!m_bPlaced && pTarget) {
        adjustSize();
        const QRect rcTarget(pTarget->mapToGlobal(QPoint(0, 0)), pTarget->size());
        setGeometry(CDlgPlacement::ClientBesideRight(rcTarget, size()));
        m_bPlaced = true;
    }
    show();
}
