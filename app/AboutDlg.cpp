#include "app/AboutDlg.h"

#include "app/AppIcon.h"
#include "app/CofferApp.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* pLayout = new QGridLayout(this);
    auto* pIcon = new QLabel(this);
    pIcon->setPixmap(CAppIcon::Create().pixmap(48, 48));
    pLayout->addWidget(pIcon, 0, 0, 2, 1, Qt::AlignTop);
    auto* pProduct = new QLabel(CCofferApp::AboutProductLine(), this);
    pProduct->setObjectName(QStringLiteral("productLine"));
    pLayout->addWidget(pProduct, 0, 1);
    auto* pSecond = new QLabel(QStringLiteral("家計簿 (Qt %1)").arg(QString::fromLatin1(qVersion())), this);
    pLayout->addWidget(pSecond, 1, 1);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    pLayout->addWidget(pButtons, 2, 0, 1, 2);
    setFixedSize(sizeHint());
}
