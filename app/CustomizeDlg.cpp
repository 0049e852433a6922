#include "app/CustomizeDlg.h"

#include "platform/MessageBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QPushButton* MakeButton(const QString& strText, const char* szName, QWidget* pParent)
{
    auto* pButton = new QPushButton(strText, pParent);
    pButton->setObjectName(QLatin1String(szName));
    pButton->setAutoDefault(false);
    return pButton;
}

QString SeparatorText()
{
    return QStringLiteral("――― 区切り ―――");
}
} // namespace

CCustomizeDlg::CCustomizeDlg(const CCustomization& custom, const QList<SCommandCategory>& categories,
                             const QHash<int, QAction*>& actions, QWidget* pParent)
    : QDialog(pParent), m_custom(custom), m_categories(categories), m_actions(actions)
{
    setObjectName(QStringLiteral("CCustomizeDlg"));
    setWindowTitle(QStringLiteral("カスタマイズ"));
    // The dialog has no help of its own to offer.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    m_fnAskName = [this](const QString& strTitle, QString& strName) {
        bool bOk = false;
        const QString strText = QInputDialog::getText(this, strTitle, QStringLiteral("ツール バー名(&T):"),
                                                      QLineEdit::Normal, strName, &bOk);
        if (bOk)
            strName = strText;
        return bOk;
    };

    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName(QStringLiteral("tabs"));
    m_pTabs->addTab(CreateToolBarsPage(), QStringLiteral("ツール バー"));
    m_pTabs->addTab(CreateCommandsPage(), QStringLiteral("コマンド"));
    m_pTabs->addTab(CreateKeyboardPage(), QStringLiteral("キーボード"));
    m_pTabs->addTab(CreateOptionsPage(), QStringLiteral("オプション"));

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    pButtons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTabs);
    pLayout->addWidget(pButtons);

    RefreshBars(CCustomization::STANDARD_TOOLBAR);
    if (m_pCategories->count() > 0)
        m_pCategories->setCurrentRow(0);
    // The combo box starts on its first item without telling anyone.
    FillCommands(m_pKeyCommands, m_pKeyCategory->currentIndex());
    if (m_pKeyCommands->count() > 0)
        m_pKeyCommands->setCurrentRow(0);
    RefreshKeys();
    resize(680, 440);
}

QString CCustomizeDlg::PlainText(const QString& strMenuText)
{
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    QString strText = strMenuText;
    strText.remove(mnemonic);
    strText.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    strText.remove(QLatin1Char('&'));
    strText.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    while (strText.endsWith(QLatin1Char('.')) || strText.endsWith(QChar(0x2026)))
        strText.chop(1);
    return strText.trimmed();
}

QString CCustomizeDlg::NameProblem(CCustomization::ENameCheck check)
{
    switch (check) {
    case CCustomization::NAME_EMPTY: return QStringLiteral("ツール バー名を入力してください。");
    case CCustomization::NAME_TOO_LONG:
        return QStringLiteral("ツール バー名は %1 文字以内で入力してください。").arg(int(CCustomization::MAX_NAME_LENGTH));
    case CCustomization::NAME_INVALID: return QStringLiteral("ツール バー名に使えない文字が含まれています。");
    case CCustomization::NAME_TAKEN: return QStringLiteral("同じ名前のツール バーがあります。");
    case CCustomization::NAME_OK: break;
    }
    return QString();
}

QString CCustomizeDlg::CommandText(int nID) const
{
    if (nID == 0)
        return SeparatorText();
    QAction* pAction = m_actions.value(nID);
    return pAction ? PlainText(pAction->text()) : QString::number(nID);
}

QWidget* CCustomizeDlg::CreateToolBarsPage()
{
    auto* pPage = new QWidget(this);
    m_pBars = new QListWidget(pPage);
    m_pBars->setObjectName(QStringLiteral("bars"));
    auto* pLabel = new QLabel(QStringLiteral("ツール バー(&A):"), pPage);
    pLabel->setBuddy(m_pBars);
    m_pNewBar = MakeButton(QStringLiteral("新規作成(&N)..."), "newBar", pPage);
    m_pRenameBar = MakeButton(QStringLiteral("名前の変更(&E)..."), "renameBar", pPage);
    m_pDeleteBar = MakeButton(QStringLiteral("削除(&D)"), "deleteBar", pPage);
    m_pResetBar = MakeButton(QStringLiteral("リセット(&R)"), "resetBar", pPage);

    auto* pSide = new QVBoxLayout;
    pSide->addWidget(m_pNewBar);
    pSide->addWidget(m_pRenameBar);
    pSide->addWidget(m_pDeleteBar);
    pSide->addWidget(m_pResetBar);
    pSide->addStretch();
    auto* pLayout = new QGridLayout(pPage);
    pLayout->addWidget(pLabel, 0, 0);
    pLayout->addWidget(m_pBars, 1, 0);
    pLayout->addLayout(pSide, 1, 1);

    connect(m_pBars, &QListWidget::itemChanged, this, [this](QListWidgetItem* pItem) {
        m_custom.SetVisible(pItem->data(Qt::UserRole).toInt(), pItem->checkState() == Qt::Checked);
    });
    connect(m_pBars, &QListWidget::currentRowChanged, this, &CCustomizeDlg::UpdateBarButtons);
    connect(m_pNewBar, &QPushButton::clicked, this, &CCustomizeDlg::OnNewBar);
    connect(m_pRenameBar, &QPushButton::clicked, this, &CCustomizeDlg::OnRenameBar);
    connect(m_pDeleteBar, &QPushButton::clicked, this, &CCustomizeDlg::OnDeleteBar);
    connect(m_pResetBar, &QPushButton::clicked, this, &CCustomizeDlg::OnResetBar);
    return pPage;
}

QWidget* CCustomizeDlg::CreateCommandsPage()
{
    auto* pPage = new QWidget(this);
    m_pCategories = new QListWidget(pPage);
    m_pCategories->setObjectName(QStringLiteral("categories"));
    m_pCategories->setMaximumWidth(140);
    for (const SCommandCategory& category : std::as_const(m_categories))
        m_pCategories->addItem(PlainText(category.strTitle));
    m_pCommands = new QListWidget(pPage);
    m_pCommands->setObjectName(QStringLiteral("commands"));
    m_pButtonBar = new QComboBox(pPage);
    m_pButtonBar->setObjectName(QStringLiteral("buttonBar"));
    m_pButtons = new QListWidget(pPage);
    m_pButtons->setObjectName(QStringLiteral("buttons"));

    auto* pCategoryLabel = new QLabel(QStringLiteral("分類(&G):"), pPage);
    pCategoryLabel->setBuddy(m_pCategories);
    auto* pCommandLabel = new QLabel(QStringLiteral("コマンド(&D):"), pPage);
    pCommandLabel->setBuddy(m_pCommands);
    auto* pBarLabel = new QLabel(QStringLiteral("ツール バー(&T):"), pPage);
    pBarLabel->setBuddy(m_pButtonBar);

    m_pAddButton = MakeButton(QStringLiteral("追加(&A) →"), "addButton", pPage);
    m_pAddSeparator = MakeButton(QStringLiteral("区切り(&S)"), "addSeparator", pPage);
    m_pRemoveButton = MakeButton(QStringLiteral("← 削除(&M)"), "removeButton", pPage);
    m_pMoveUp = MakeButton(QStringLiteral("上へ(&U)"), "moveUp", pPage);
    m_pMoveDown = MakeButton(QStringLiteral("下へ(&W)"), "moveDown", pPage);

    auto* pMiddle = new QVBoxLayout;
    pMiddle->addStretch();
    pMiddle->addWidget(m_pAddButton);
    pMiddle->addWidget(m_pAddSeparator);
    pMiddle->addWidget(m_pRemoveButton);
    pMiddle->addSpacing(12);
    pMiddle->addWidget(m_pMoveUp);
    pMiddle->addWidget(m_pMoveDown);
    pMiddle->addStretch();

    auto* pLayout = new QGridLayout(pPage);
    pLayout->addWidget(pCategoryLabel, 0, 0);
    pLayout->addWidget(pCommandLabel, 0, 1);
    pLayout->addWidget(pBarLabel, 0, 3);
    pLayout->addWidget(m_pCategories, 1, 0, 2, 1);
    pLayout->addWidget(m_pCommands, 1, 1, 2, 1);
    pLayout->addLayout(pMiddle, 1, 2, 2, 1);
    pLayout->addWidget(m_pButtonBar, 1, 3);
    pLayout->addWidget(m_pButtons, 2, 3);
    pLayout->setColumnStretch(1, 1);
    pLayout->setColumnStretch(3, 1);

    connect(m_pCategories, &QListWidget::currentRowChanged, this, [this](int nRow) {
        FillCommands(m_pCommands, nRow);
        UpdateButtonsPage();
    });
    connect(m_pCommands, &QListWidget::currentRowChanged, this, &CCustomizeDlg::UpdateButtonsPage);
    connect(m_pCommands, &QListWidget::itemDoubleClicked, this, [this] { OnAddButton(SelectedCommand(m_pCommands)); });
    connect(m_pButtonBar, &QComboBox::currentIndexChanged, this, [this] { RefreshButtons(); });
    connect(m_pButtons, &QListWidget::currentRowChanged, this, &CCustomizeDlg::UpdateButtonsPage);
    connect(m_pAddButton, &QPushButton::clicked, this, [this] { OnAddButton(SelectedCommand(m_pCommands)); });
    connect(m_pAddSeparator, &QPushButton::clicked, this, [this] { OnAddButton(0); });
    connect(m_pRemoveButton, &QPushButton::clicked, this, &CCustomizeDlg::OnRemoveButton);
    connect(m_pMoveUp, &QPushButton::clicked, this, [this] { OnMoveButton(-1); });
    connect(m_pMoveDown, &QPushButton::clicked, this, [this] { OnMoveButton(1); });
    return pPage;
}

QWidget* CCustomizeDlg::CreateKeyboardPage()
{
    auto* pPage = new QWidget(this);
    m_pKeyCategory = new QComboBox(pPage);
    m_pKeyCategory->setObjectName(QStringLiteral("keyCategory"));
    for (const SCommandCategory& category : std::as_const(m_categories))
        m_pKeyCategory->addItem(PlainText(category.strTitle));
    m_pKeyCommands = new QListWidget(pPage);
    m_pKeyCommands->setObjectName(QStringLiteral("keyCommands"));
    m_pCurrentKeys = new QListWidget(pPage);
    m_pCurrentKeys->setObjectName(QStringLiteral("currentKeys"));
    m_pNewKey = new QKeySequenceEdit(pPage);
    m_pNewKey->setObjectName(QStringLiteral("newKey"));
    m_pNewKey->setClearButtonEnabled(true);
    if (auto* pEdit = m_pNewKey->findChild<QLineEdit*>())
        pEdit->setPlaceholderText(QStringLiteral("キーを押してください"));
    m_pKeyOwner = new QLabel(pPage);
    m_pKeyOwner->setObjectName(QStringLiteral("keyOwner"));
    m_pKeyOwner->setWordWrap(true);
    m_pAssignKey = MakeButton(QStringLiteral("割り当て(&A)"), "assignKey", pPage);
    m_pRemoveKey = MakeButton(QStringLiteral("削除(&R)"), "removeKey", pPage);
    m_pResetKeys = MakeButton(QStringLiteral("すべてリセット(&S)"), "resetKeys", pPage);

    auto* pCategoryLabel = new QLabel(QStringLiteral("分類(&G):"), pPage);
    pCategoryLabel->setBuddy(m_pKeyCategory);
    auto* pCommandLabel = new QLabel(QStringLiteral("コマンド(&D):"), pPage);
    pCommandLabel->setBuddy(m_pKeyCommands);
    auto* pCurrentLabel = new QLabel(QStringLiteral("現在のキー(&U):"), pPage);
    pCurrentLabel->setBuddy(m_pCurrentKeys);
    auto* pNewLabel = new QLabel(QStringLiteral("新しいショートカット キー(&N):"), pPage);
    pNewLabel->setBuddy(m_pNewKey);

    auto* pLeft = new QVBoxLayout;
    pLeft->addWidget(pCategoryLabel);
    pLeft->addWidget(m_pKeyCategory);
    pLeft->addWidget(pCommandLabel);
    pLeft->addWidget(m_pKeyCommands, 1);
    auto* pRight = new QVBoxLayout;
    pRight->addWidget(pCurrentLabel);
    pRight->addWidget(m_pCurrentKeys, 1);
    pRight->addWidget(pNewLabel);
    pRight->addWidget(m_pNewKey);
    pRight->addWidget(m_pKeyOwner);
    auto* pKeyButtons = new QHBoxLayout;
    pKeyButtons->addWidget(m_pAssignKey);
    pKeyButtons->addWidget(m_pRemoveKey);
    pKeyButtons->addWidget(m_pResetKeys);
    pRight->addLayout(pKeyButtons);
    auto* pLayout = new QHBoxLayout(pPage);
    pLayout->addLayout(pLeft, 1);
    pLayout->addLayout(pRight, 1);

    connect(m_pKeyCategory, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
        FillCommands(m_pKeyCommands, nIndex);
        if (m_pKeyCommands->count() > 0)
            m_pKeyCommands->setCurrentRow(0);
        RefreshKeys();
    });
    connect(m_pKeyCommands, &QListWidget::currentRowChanged, this, &CCustomizeDlg::RefreshKeys);
    connect(m_pCurrentKeys, &QListWidget::currentRowChanged, this, &CCustomizeDlg::UpdateKeyOwner);
    connect(m_pNewKey, &QKeySequenceEdit::keySequenceChanged, this, &CCustomizeDlg::UpdateKeyOwner);
    connect(m_pAssignKey, &QPushButton::clicked, this, &CCustomizeDlg::OnAssignKey);
    connect(m_pRemoveKey, &QPushButton::clicked, this, &CCustomizeDlg::OnRemoveKey);
    connect(m_pResetKeys, &QPushButton::clicked, this, &CCustomizeDlg::OnResetKeys);
    return pPage;
}

QWidget* CCustomizeDlg::CreateOptionsPage()
{
    auto* pPage = new QWidget(this);
    m_pTextLabels = new QCheckBox(QStringLiteral("テキスト ラベルを表示する(&T)"), pPage);
    m_pTextLabels->setObjectName(QStringLiteral("textLabels"));
    m_pTextLabels->setChecked(m_custom.TextLabels());
    m_pMenuShadows = new QCheckBox(QStringLiteral("メニューに影を付ける(&H)"), pPage);
    m_pMenuShadows->setObjectName(QStringLiteral("menuShadows"));
    m_pMenuShadows->setChecked(m_custom.MenuShadows());
    m_pMenuAnimation = new QCheckBox(QStringLiteral("メニューをアニメーション表示する(&M)"), pPage);
    m_pMenuAnimation->setObjectName(QStringLiteral("menuAnimation"));
    m_pMenuAnimation->setChecked(m_custom.MenuAnimation());
    auto* pNote = new QLabel(QStringLiteral("メニューの影とアニメーションは、デスクトップが対応している場合に有効です。"), pPage);
    pNote->setWordWrap(true);

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(m_pTextLabels);
    pLayout->addWidget(m_pMenuShadows);
    pLayout->addWidget(m_pMenuAnimation);
    pLayout->addWidget(pNote);
    pLayout->addStretch();

    connect(m_pTextLabels, &QCheckBox::toggled, this, [this](bool b) { m_custom.SetTextLabels(b); });
    connect(m_pMenuShadows, &QCheckBox::toggled, this, [this](bool b) { m_custom.SetMenuShadows(b); });
    connect(m_pMenuAnimation, &QCheckBox::toggled, this, [this](bool b) { m_custom.SetMenuAnimation(b); });
    return pPage;
}

int CCustomizeDlg::SelectedBar() const
{
    const QListWidgetItem* pItem = m_pBars->currentItem();
    return pItem ? pItem->data(Qt::UserRole).toInt() : 0;
}

int CCustomizeDlg::ChosenButtonBar() const
{
    return m_pButtonBar->currentData().toInt();
}

int CCustomizeDlg::SelectedCommand(QListWidget* pList) const
{
    const QListWidgetItem* pItem = pList->currentItem();
    return pItem ? pItem->data(Qt::UserRole).toInt() : 0;
}

void CCustomizeDlg::FillCommands(QListWidget* pList, int nCategory)
{
    pList->clear();
    if (nCategory < 0 || nCategory >= m_categories.size())
        return;
    for (int nID : std::as_const(m_categories[nCategory].commands)) {
        if (!m_custom.IsKnownCommand(nID))
            continue;
        auto* pItem = new QListWidgetItem(CommandText(nID), pList);
        if (QAction* pAction = m_actions.value(nID))
            pItem->setIcon(pAction->icon());
        pItem->setData(Qt::UserRole, nID);
    }
}

void CCustomizeDlg::RefreshBars(int nSelect)
{
    // Rebuilt after every change of the bars: the list, the commands page's choice of bar.
    const QSignalBlocker blockBars(m_pBars);
    const QSignalBlocker blockCombo(m_pButtonBar);
    const int nChosen = ChosenButtonBar();
    m_pBars->clear();
    m_pButtonBar->clear();
    for (int nBar : m_custom.ToolBars()) {
        auto* pItem = new QListWidgetItem(m_custom.ToolBarName(nBar), m_pBars);
        pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
        pItem->setCheckState(m_custom.IsVisible(nBar) ? Qt::Checked : Qt::Unchecked);
        pItem->setData(Qt::UserRole, nBar);
        if (nBar == nSelect)
            m_pBars->setCurrentItem(pItem);
        m_pButtonBar->addItem(m_custom.ToolBarName(nBar), nBar);
    }
    if (!m_pBars->currentItem() && m_pBars->count() > 0)
        m_pBars->setCurrentRow(0);
    const int nComboIndex = m_pButtonBar->findData(nChosen);
    m_pButtonBar->setCurrentIndex(nComboIndex >= 0 ? nComboIndex : 0);
    UpdateBarButtons();
    RefreshButtons();
}

void CCustomizeDlg::UpdateBarButtons()
{
    const int nBar = SelectedBar();
    const bool bUser = CCustomization::IsUserToolBarId(nBar);
    m_pNewBar->setEnabled(m_custom.CanAddUserToolBar());
    m_pRenameBar->setEnabled(bUser);
    m_pDeleteBar->setEnabled(bUser);
    m_pResetBar->setEnabled(nBar == CCustomization::STANDARD_TOOLBAR && !m_custom.IsStandardToolBarDefault());
}

void CCustomizeDlg::RefreshButtons(int nSelectRow)
{
    const QSignalBlocker block(m_pButtons);
    m_pButtons->clear();
    for (int nID : m_custom.Buttons(ChosenButtonBar())) {
        auto* pItem = new QListWidgetItem(CommandText(nID), m_pButtons);
        if (QAction* pAction = m_actions.value(nID))
            pItem->setIcon(pAction->icon());
        pItem->setData(Qt::UserRole, nID);
    }
    if (nSelectRow >= 0 && nSelectRow < m_pButtons->count())
        m_pButtons->setCurrentRow(nSelectRow);
    UpdateButtonsPage();
}

void CCustomizeDlg::UpdateButtonsPage()
{
    const int nBar = ChosenButtonBar();
    const int nCommand = SelectedCommand(m_pCommands);
    const int nRow = m_pButtons->currentRow();
    const bool bRoom = m_custom.Buttons(nBar).size() < CCustomization::MAX_BUTTONS;
    m_pAddButton->setEnabled(nCommand != 0 && m_custom.CanPlace(nCommand) && bRoom
                             && !m_custom.Buttons(nBar).contains(nCommand));
    m_pAddSeparator->setEnabled(m_custom.HasToolBar(nBar) && bRoom);
    m_pRemoveButton->setEnabled(nRow >= 0);
    m_pMoveUp->setEnabled(nRow > 0);
    m_pMoveDown->setEnabled(nRow >= 0 && nRow + 1 < m_pButtons->count());
    UpdateBarButtons();
}

void CCustomizeDlg::RefreshKeys()
{
    const QSignalBlocker block(m_pCurrentKeys);
    m_pCurrentKeys->clear();
    const int nID = SelectedCommand(m_pKeyCommands);
    for (const QKeySequence& key : m_custom.Keys(nID)) {
        auto* pItem = new QListWidgetItem(key.toString(QKeySequence::NativeText), m_pCurrentKeys);
        pItem->setData(Qt::UserRole, key.toString(QKeySequence::PortableText));
    }
    UpdateKeyOwner();
}

void CCustomizeDlg::UpdateKeyOwner()
{
    const int nID = SelectedCommand(m_pKeyCommands);
    const QKeySequence key = m_pNewKey->keySequence();
    const bool bUsable = CCustomization::IsUsableKey(key);
    const int nOwner = bUsable ? m_custom.CommandForKey(key) : 0;
    if (!bUsable)
        m_pKeyOwner->clear();
    else if (nOwner == 0)
        m_pKeyOwner->setText(QStringLiteral("現在の割り当て: [なし]"));
    else
        m_pKeyOwner->setText(QStringLiteral("現在の割り当て: %1").arg(CommandText(nOwner)));
    m_pAssignKey->setEnabled(nID != 0 && bUsable && nOwner != nID
                             && m_custom.Keys(nID).size() < CCustomization::MAX_KEYS_PER_COMMAND);
    m_pRemoveKey->setEnabled(m_pCurrentKeys->currentRow() >= 0);
    m_pResetKeys->setEnabled(!m_custom.IsKeyboardDefault());
}

bool CCustomizeDlg::AskName(const QString& strTitle, QString& strName, int nBar)
{
    // Asked again until the name is usable or the user gives up.
    for (;;) {
        if (!m_fnAskName(strTitle, strName))
            return false;
        const CCustomization::ENameCheck check = m_custom.CheckName(strName, nBar);
        if (check == CCustomization::NAME_OK)
            return true;
        CMessageBox::ShowText(NameProblem(check), MB_ICONEXCLAMATION);
    }
}

void CCustomizeDlg::OnNewBar()
{
    if (!m_custom.CanAddUserToolBar())
        return;
    QString strName;
    for (int n = 1; strName.isEmpty(); ++n) {
        const QString strCandidate = QStringLiteral("ユーザー定義 %1").arg(n);
        if (m_custom.CheckName(strCandidate) == CCustomization::NAME_OK)
            strName = strCandidate;
    }
    if (!AskName(QStringLiteral("新しいツール バー"), strName, 0))
        return;
    const int nBar = m_custom.AddUserToolBar(strName);
    RefreshBars(nBar);
    // Ready for the commands the user will put on it.
    m_pButtonBar->setCurrentIndex(m_pButtonBar->findData(nBar));
}

void CCustomizeDlg::OnRenameBar()
{
    const int nBar = SelectedBar();
    if (!CCustomization::IsUserToolBarId(nBar))
        return;
    QString strName = m_custom.ToolBarName(nBar);
    if (!AskName(QStringLiteral("ツール バー名の変更"), strName, nBar))
        return;
    m_custom.RenameUserToolBar(nBar, strName);
    RefreshBars(nBar);
}

void CCustomizeDlg::OnDeleteBar()
{
    const int nBar = SelectedBar();
    if (!CCustomization::IsUserToolBarId(nBar))
        return;
    const QString strText = QStringLiteral("ツール バー「%1」を削除しますか?").arg(m_custom.ToolBarName(nBar));
    if (CMessageBox::ShowText(strText, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_custom.DeleteUserToolBar(nBar);
    RefreshBars(CCustomization::STANDARD_TOOLBAR);
}

void CCustomizeDlg::OnResetBar()
{
    m_custom.ResetStandardToolBar();
    RefreshBars(CCustomization::STANDARD_TOOLBAR);
}

void CCustomizeDlg::OnAddButton(int nID)
{
    const int nBar = ChosenButtonBar();
    // After the chosen button, where the user is looking.
    const int nRow = m_pButtons->currentRow();
    const int nAt = nRow >= 0 ? nRow + 1 : int(m_custom.Buttons(nBar).size());
    if (m_custom.InsertButton(nBar, nAt, nID))
        RefreshButtons(nAt);
}

void CCustomizeDlg::OnRemoveButton()
{
    const int nRow = m_pButtons->currentRow();
    if (m_custom.RemoveButton(ChosenButtonBar(), nRow))
        RefreshButtons(std::min(nRow, int(m_custom.Buttons(ChosenButtonBar()).size()) - 1));
}

void CCustomizeDlg::OnMoveButton(int nDelta)
{
    const int nRow = m_pButtons->currentRow();
    if (m_custom.MoveButton(ChosenButtonBar(), nRow, nRow + nDelta))
        RefreshButtons(nRow + nDelta);
}

void CCustomizeDlg::OnAssignKey()
{
    const int nID = SelectedCommand(m_pKeyCommands);
    if (m_custom.AssignKey(nID, m_pNewKey->keySequence())) {
        m_pNewKey->clear();
        RefreshKeys();
    }
}

void CCustomizeDlg::OnRemoveKey()
{
    const QListWidgetItem* pItem = m_pCurrentKeys->currentItem();
    if (!pItem)
        return;
    const QKeySequence key = QKeySequence::fromString(pItem->data(Qt::UserRole).toString(), QKeySequence::PortableText);
    if (m_custom.RemoveKey(SelectedCommand(m_pKeyCommands), key))
        RefreshKeys();
}

void CCustomizeDlg::OnResetKeys()
{
    m_custom.ResetKeyboard();
    RefreshKeys();
}
