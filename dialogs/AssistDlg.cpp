#include "dialogs/AssistDlg.h"

#include "dialogs/AssistFilter.h"
#include "dialogs/DlgPlacement.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr char16_t kKeyChars[] = { u'\b', 0xFF08, 0xFF09, 0xFF1B, 0xFF0C, 0x00D7, 0x21D4, 0x21D2 };

} // namespace

// The listed items as rows, each text with one leading space. Rows are positions in the
// index and texts are made only for the rows the view paints, so a refill is a swap of
// one vector however long the index is.
class CAssistDlg::CListModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void Reset(const std::vector<CRecItem>* pItems, std::vector<int> rows)
    {
        beginResetModel();
        m_pItems = pItems;
        m_rows = std::move(rows);
        endResetModel();
    }

    const std::vector<int>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

    QVariant data(const QModelIndex& index, int nRole) const override
    {
        if (nRole != Qt::DisplayRole || m_pItems == nullptr || !index.isValid() || index.row() < 0
            || std::size_t(index.row()) >= m_rows.size())
            return QVariant();
        const std::size_t nItem = std::size_t(m_rows[std::size_t(index.row())]);
        if (nItem >= m_pItems->size())
            return QVariant();
        return QString(u' ' + (*m_pItems)[nItem].m_strText);
    }

private:
    const std::vector<CRecItem>* m_pItems = nullptr;
    std::vector<int> m_rows;
};

QChar CAssistDlg::KeyChar(int nIndex)
{
    return nIndex >= 0 && nIndex < KEY_COUNT ? QChar(kKeyChars[nIndex]) : QChar();
}

CAssistDlg::CAssistDlg(QWidget* pOwner)
    : QDialog(pOwner, Qt::Tool | Qt::WindowDoesNotAcceptFocus)
    , m_pModel(new CListModel(this))
{
    setWindowTitle(QStringLiteral("　摘要入力パッド"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    QFont keyFont = font();
    keyFont.setPointSizeF(10.5);
    const int nSide = QFontMetrics(keyFont).height() + 10;

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(4, 4, 4, 4);
    pLayout->setSpacing(4);
    auto* pKeys = new QHBoxLayout;
    pKeys->setSpacing(4);
    for (int i = 0; i < KEY_COUNT; ++i) {
        const QChar ch = KeyChar(i);
        auto* pKey = new QPushButton(ch == QChar(u'\b') ? QStringLiteral("←") : QString(ch), this);
        pKey->setObjectName(QStringLiteral("key%1").arg(IDC_FIRST_KEY + i));
        pKey->setFont(keyFont);
        pKey->setFocusPolicy(Qt::NoFocus);
        pKey->setAutoDefault(false);
        pKey->setFixedSize(nSide, nSide);
        // Backspace goes the numeric pad's way, so that it reaches whichever edit the
        // owner last typed in, not only the description.
        const int nParam = ch == QChar(u'\b') ? PAD_NUMERIC + 8 : PAD_DESCRIPTION + ch.unicode();
        connect(pKey, &QPushButton::clicked, this, [this, nParam] { Q_EMIT PadInput(nParam); });
        pKeys->addWidget(pKey);
        m_apKeys[i] = pKey;
    }
    pKeys->addStretch(1);
    pLayout->addLayout(pKeys);

    auto* pFilterRow = new QHBoxLayout;
    pFilterRow->addWidget(new QLabel(QStringLiteral("費目:"), this));
    m_pCategory = new QComboBox(this);
    m_pCategory->setObjectName(QStringLiteral("category"));
    m_pCategory->setFocusPolicy(Qt::NoFocus);
    m_pCategory->setMaxVisibleItems(20);
    pFilterRow->addWidget(m_pCategory, 1);
    m_pParen = new QToolButton(this);
    m_pParen->setObjectName(QStringLiteral("paren"));
    m_pParen->setText(QStringLiteral("(*)"));
    m_pParen->setCheckable(true);
    m_pParen->setFocusPolicy(Qt::NoFocus);
    pFilterRow->addWidget(m_pParen);
    pLayout->addLayout(pFilterRow);

    // Entries run down a column and on into the next; with uniform sizes the view lays out
    // a long index without asking for every text.
    m_pList = new QListView(this);
    m_pList->setObjectName(QStringLiteral("list"));
    m_pList->setFocusPolicy(Qt::NoFocus);
    m_pList->setModel(m_pModel);
    m_pList->setFlow(QListView::TopToBottom);
    m_pList->setWrapping(true);
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setUniformItemSizes(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setMinimumSize(420, 160);
    pLayout->addWidget(m_pList, 1);

    connect(m_pCategory, &QComboBox::activated, this, &CAssistDlg::OnCategoryChosen);
    connect(m_pParen, &QToolButton::toggled, this, &CAssistDlg::OnParenToggled);
    connect(m_pList, &QListView::clicked, this, [this](const QModelIndex& index) { PickRow(index.row()); });
    UpdateColumnWidth();
}

CAssistDlg::~CAssistDlg() = default;

QPushButton* CAssistDlg::Key(int nID) const
{
    const int i = nID - IDC_FIRST_KEY;
    return i >= 0 && i < KEY_COUNT ? m_apKeys[i] : nullptr;
}

const std::vector<int>& CAssistDlg::Listed() const
{
    return m_pModel->Rows();
}

void CAssistDlg::FillCategories()
{
    {
        const QSignalBlocker block(m_pCategory);
        m_pCategory->clear();
        m_pCategory->addItem(QStringLiteral("すべて表示"), 0);
        for (const CCategory& cat : m_cats)
            m_pCategory->addItem(cat.m_strName, int(cat.m_nAttr));
    }
    SyncControls();
}

void CAssistDlg::SyncControls()
{
    const QSignalBlocker blockToggle(m_pParen);
    const QSignalBlocker blockList(m_pCategory);
    m_pParen->setChecked(CAssistFilter::ParenOf(m_nFilter));
    const int nEntry = CAssistFilter::EntryOf(m_nFilter);
    m_pCategory->setCurrentIndex(nEntry < m_pCategory->count() ? nEntry : -1);
}

bool CAssistDlg::ListIsStale() const
{
    // The index only grows while its document is open, so a changed size means the
    // listed positions may point at other items now.
    return m_nFilter >= 0
        && (m_pItems != m_pListedItems || (m_pItems != nullptr && m_pItems->size() != m_nListedCount));
}

void CAssistDlg::Refill()
{
    m_pListedItems = m_pItems;
    m_nListedCount = m_pItems != nullptr ? m_pItems->size() : 0;
    m_pModel->Reset(m_pItems, m_pItems != nullptr ? CAssistFilter::Filter(*m_pItems, m_nFilter) : std::vector<int>());
}

void CAssistDlg::ShowPad(const std::vector<CCategory>& cats, const std::vector<CRecItem>* pItems, QWidget* pTarget)
{
    m_pItems = pItems;
    // Filled once; again only when the owner added or changed a category meanwhile, which
    // the user expects to find here too.
    const bool bNewCats = !m_bFilled || cats != m_cats;
    if (bNewCats) {
        m_cats = cats;
        FillCategories();
        m_bFilled = true;
    }
    if (ListIsStale() || (bNewCats && m_nFilter > 0))
        Refill();
    if (!m_bPlaced && pTarget != nullptr) {
        adjustSize();
        const QRect rcTarget(pTarget->mapToGlobal(QPoint(0, 0)), pTarget->size());
        move(CDlgPlacement::FrameBelowLeft(rcTarget, frameGeometry().size()).topLeft());
        m_bPlaced = true;
    }
    show();
    UpdateColumnWidth();
}

void CAssistDlg::SetFilter(int nValue, bool bUpdateControls)
{
    nValue = CAssistFilter::Normalized(nValue);
    if (nValue == m_nFilter && !ListIsStale())
        return;
    m_nFilter = nValue;
    if (bUpdateControls)
        SyncControls();
    Refill();
}

void CAssistDlg::OnCategoryChosen(int nIndex)
{
    {
        const QSignalBlocker block(m_pParen);
        m_pParen->setChecked(false);
    }
    SetFilter(CAssistFilter::ForEntry(nIndex), false);
}

void CAssistDlg::OnParenToggled(bool bOn)
{
    SetFilter(CAssistFilter::ForToggle(m_nFilter, m_pCategory->currentIndex(), bOn), false);
    // With every item shown (or no entry chosen) there is nothing to restrict, so the
    // toggle releases itself.
    if (m_pParen->isChecked() != CAssistFilter::ParenOf(m_nFilter)) {
        const QSignalBlocker block(m_pParen);
        m_pParen->setChecked(CAssistFilter::ParenOf(m_nFilter));
    }
}

void CAssistDlg::PickRow(int nRow)
{
    if (ListIsStale()) {
        // The row no longer names the item it was listed for; list afresh instead.
        Refill();
        return;
    }
    const std::vector<int>& rows = m_pModel->Rows();
    if (nRow < 0 || std::size_t(nRow) >= rows.size())
        return;
    const int nItem = rows[std::size_t(nRow)];
    if (m_pItems == nullptr || nItem < 0 || std::size_t(nItem) >= m_pItems->size())
        return;
    const int nEntry = m_pCategory->currentIndex();
    if (nEntry < 0)
        return;
    Q_EMIT PadEntry(m_pCategory->itemData(nEntry).toInt(), nItem);
}

void CAssistDlg::resizeEvent(QResizeEvent* pEvent)
{
    QDialog::resizeEvent(pEvent);
    UpdateColumnWidth();
}

void CAssistDlg::UpdateColumnWidth()
{
    const int nWidth = std::max(m_pList->viewport()->width() / LIST_COLUMNS, 8);
    const int nHeight = m_pList->fontMetrics().height() + 2;
    if (m_pList->gridSize() != QSize(nWidth, nHeight))
        m_pList->setGridSize(QSize(nWidth, nHeight));
}
