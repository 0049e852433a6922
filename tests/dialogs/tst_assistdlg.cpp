#include "dialogs/AssistDlg.h"
#include "dialogs/AssistFilter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A use entry: key in bits 0-8 (category position, 0x100 inside parentheses), count above.
std::uint32_t Use(std::uint32_t nKey, std::uint32_t nCount = 1)
{
    return nKey | (nCount << 16);
}

CRecItem Item(const QString& strText, std::vector<std::uint32_t> uses)
{
    CRecItem item;
    item.m_strText = strText;
    item.m_uses = std::move(uses);
    return item;
}

CRecItem Item(const char16_t* pszText, std::vector<std::uint32_t> uses)
{
    return Item(QString::fromUtf16(pszText), std::move(uses));
}

// Position 2 is 食費 with the special-expense attribute, so that the attribute a pick
// sends can be told apart from the category's position.
std::vector<CCategory> Cats()
{
    return { CCategory(ATTR_REMARK), CCategory(ATTR_INCOME, QStringLiteral("給与")),
             CCategory(ATTR_SPECIAL_EXPENSE, QStringLiteral("食費")), CCategory(ATTR_EXPENSE, QStringLiteral("交通")) };
}

// Index order, with each item's use entries ascending by key.
std::vector<CRecItem> Items()
{
    return {
        Item(u"牛乳", { Use(2, 3) }),                   // 0: under 食費
        Item(u"卵", { Use(1), Use(0x102) }),             // 1: 給与, and inside parentheses under 食費
        Item(u"電車", { Use(3, 2) }),                   // 2: 交通 only
        Item(u"パン", { Use(2), Use(0x102, 4) }),        // 3: both ways under 食費
        Item(u"給料", { Use(1, 5) }),                   // 4: 給与 only
        Item(u"おにぎり", { Use(0x102) }),               // 5: only inside parentheses
    };
}

void Choose(CAssistDlg& pad, int nEntry)
{
    pad.CategoryList()->setCurrentIndex(nEntry);
    Q_EMIT pad.CategoryList()->activated(nEntry);
}

QString RowText(const CAssistDlg& pad, int nRow)
{
    const QAbstractItemModel* pModel = pad.List()->model();
    return pModel->data(pModel->index(nRow, 0)).toString();
}

} // namespace

// The description pad: its filter over the description index, the category list and the
// toggle, the keys, picking an entry and where it first appears.
class TestAssistDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filter_data();
    void filter();
    void allListsEveryItemWithLeadingSpace();
    void categoryAndToggle();
    void toggleWithAllReleasesItself();
    void keys_data();
    void keys();
    void pickSendsAttributeAndPosition();
    void pickWithoutCategoryChoiceSendsNothing();
    void firstShowPlacesBelowTarget();
    void setFilterUpdatesControls_data();
    void setFilterUpdatesControls();
    void categoryListRefreshedWhenChanged();
    void grownIndexIsListedAgain();
    void fourColumnsAcrossTheList();
    void padNeverTakesFocus();

private:
    std::vector<CRecItem> m_items = Items();
};

void TestAssistDlg::filter_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QList<int>>("listed");
    QTest::newRow("all") << 0 << QList<int>{ 0, 1, 2, 3, 4, 5 };
    QTest::newRow("none before first use") << -1 << QList<int>{};
    QTest::newRow("category 2 outside parentheses") << 3 << QList<int>{ 0, 3 };
    QTest::newRow("category 2 inside parentheses") << 0x103 << QList<int>{ 1, 3, 5 };
    QTest::newRow("category 1, an earlier use entry") << 2 << QList<int>{ 1, 4 };
    QTest::newRow("remark category never used") << 1 << QList<int>{};
    QTest::newRow("category past every use entry") << 100 << QList<int>{};
    QTest::newRow("toggle bit alone is all") << 0x100 << QList<int>{ 0, 1, 2, 3, 4, 5 };
    // A key past the use bits must not wrap round to the remark category or another.
    QTest::newRow("key past the use bits") << 0x203 << QList<int>{};
    QTest::newRow("negative") << -5 << QList<int>{};
}

void TestAssistDlg::filter()
{
    QFETCH(int, filter);
    QFETCH(QList<int>, listed);
    const std::vector<int> positions = CAssistFilter::Filter(m_items, filter);
    QCOMPARE(QList<int>(positions.begin(), positions.end()), listed);
}

void TestAssistDlg::allListsEveryItemWithLeadingSpace()
{
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &m_items, nullptr);
    QCOMPARE(pad.List()->model()->rowCount(), 0); // filled by the first filter change
    pad.SetFilter(0, true);
    QCOMPARE(pad.List()->model()->rowCount(), int(m_items.size()));
    for (int i = 0; i < int(m_items.size()); ++i)
        QCOMPARE(RowText(pad, i), u' ' + m_items[std::size_t(i)].m_strText);
    QCOMPARE(pad.CategoryList()->currentText(), QStringLiteral("すべて表示"));
}

void TestAssistDlg::categoryAndToggle()
{
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &m_items, nullptr);
    Choose(pad, 3);
    QCOMPARE(pad.Filter(), 3);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 0, 3 }));
    QCOMPARE(RowText(pad, 1), QStringLiteral(" パン"));

    pad.ParenToggle()->click();
    QVERIFY(pad.ParenToggle()->isChecked());
    QCOMPARE(pad.Filter(), 0x103);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 1, 3, 5 }));

    pad.ParenToggle()->click();
    QCOMPARE(pad.Filter(), 3);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 0, 3 }));

    // Choosing an entry, the same one again included, releases the toggle.
    pad.ParenToggle()->click();
    Choose(pad, 3);
    QVERIFY(!pad.ParenToggle()->isChecked());
    QCOMPARE(pad.Filter(), 3);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 0, 3 }));
    pad.ParenToggle()->click();
    Choose(pad, 2);
    QVERIFY(!pad.ParenToggle()->isChecked());
    QCOMPARE(pad.Filter(), 2);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 1, 4 }));
}

void TestAssistDlg::toggleWithAllReleasesItself()
{
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &m_items, nullptr);
    Choose(pad, 0);
    pad.ParenToggle()->click();
    QVERIFY(!pad.ParenToggle()->isChecked());
    QCOMPARE(pad.Filter(), 0);
    QCOMPARE(pad.Listed().size(), m_items.size());

    // Nothing chosen at all: the toggle has nothing to restrict either.
    CAssistDlg fresh(nullptr);
    fresh.ShowPad(Cats(), &m_items, nullptr);
    fresh.ParenToggle()->click();
    QVERIFY(!fresh.ParenToggle()->isChecked());
    QCOMPARE(fresh.Filter(), -1);
    QVERIFY(fresh.Listed().empty());
}

void TestAssistDlg::keys_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("param");
    QTest::newRow("backspace") << 1060 << QStringLiteral("←") << 0x20000 + 8;
    QTest::newRow("open parenthesis") << 1061 << QStringLiteral("（") << 0x10000 + 0xFF08;
    QTest::newRow("close parenthesis") << 1062 << QStringLiteral("）") << 0x10000 + 0xFF09;
    QTest::newRow("semicolon") << 1063 << QStringLiteral("；") << 0x10000 + 0xFF1B;
    QTest::newRow("comma") << 1064 << QStringLiteral("，") << 0x10000 + 0xFF0C;
    QTest::newRow("times") << 1065 << QStringLiteral("×") << 0x10000 + 0x00D7;
    QTest::newRow("both ways") << 1066 << QStringLiteral("⇔") << 0x10000 + 0x21D4;
    QTest::newRow("implies") << 1067 << QStringLiteral("⇒") << 0x10000 + 0x21D2;
}

void TestAssistDlg::keys()
{
    QFETCH(int, id);
    QFETCH(QString, label);
    QFETCH(int, param);
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &m_items, nullptr);
    QPushButton* pKey = pad.Key(id);
    QVERIFY(pKey != nullptr);
    QCOMPARE(pKey->text(), label);
    QCOMPARE(pKey->width(), pKey->height());
    QSignalSpy spy(&pad, &CAssistDlg::PadInput);
    QTest::mouseClick(pKey, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), param);
}

void TestAssistDlg::pickSendsAttributeAndPosition()
{
    CAssistDlg pad(nullptr);
    pad.resize(480, 240);
    pad.ShowPad(Cats(), &m_items, nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    QSignalSpy spy(&pad, &CAssistDlg::PadEntry);

    // 食費 (position 2, special expense): the second entry listed is パン at position 3.
    Choose(pad, 3);
    QListView* pList = pad.List();
    const QRect rcRow = pList->visualRect(pList->model()->index(1, 0));
    QVERIFY(rcRow.isValid());
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, rcRow.center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), int(ATTR_SPECIAL_EXPENSE));
    QCOMPARE(spy.at(0).at(1).toInt(), 3);

    // "すべて表示" carries 0; the same entry clicked twice is delivered twice.
    Choose(pad, 0);
    const QRect rcLast = pList->visualRect(pList->model()->index(5, 0));
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, rcLast.center());
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, rcLast.center());
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(1).at(0).toInt(), 0);
    QCOMPARE(spy.at(1).at(1).toInt(), 5);
    QCOMPARE(spy.at(2), spy.at(1));

    pad.PickRow(6); // past the list
    pad.PickRow(-1);
    QCOMPARE(spy.count(), 3);
}

void TestAssistDlg::pickWithoutCategoryChoiceSendsNothing()
{
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &m_items, nullptr);
    QCOMPARE(pad.CategoryList()->currentIndex(), -1);
    // The owner filters without moving the controls: the list is filled but no entry is
    // chosen in the category list, so there is no value to send.
    pad.SetFilter(3, false);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 0, 3 }));
    QSignalSpy spy(&pad, &CAssistDlg::PadEntry);
    pad.PickRow(0);
    QCOMPARE(spy.count(), 0);

    // A value past the category list selects no entry either.
    pad.SetFilter(40, true);
    QCOMPARE(pad.CategoryList()->currentIndex(), -1);
    pad.SetFilter(0x103, true);
    QCOMPARE(pad.CategoryList()->currentIndex(), 3);
    pad.PickRow(0);
    QCOMPARE(spy.count(), 1);
}

void TestAssistDlg::firstShowPlacesBelowTarget()
{
    QWidget owner;
    auto* pLayout = new QVBoxLayout(&owner);
    pLayout->setContentsMargins(30, 20, 30, 20);
    auto* pTarget = new QLineEdit(&owner);
    pLayout->addWidget(pTarget);
    owner.move(100, 80);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    CAssistDlg pad(&owner);
    QVERIFY(!pad.IsPlaced());
    pad.ShowPad(Cats(), &m_items, pTarget);
    QVERIFY(pad.IsPlaced());
    QVERIFY(pad.isVisible());
    const QPoint ptBottomLeft = pTarget->mapToGlobal(QPoint(0, pTarget->height()));
    QTRY_COMPARE(pad.frameGeometry().topLeft(), ptBottomLeft);

    // Later calls leave the pad where the owner put it.
    pad.hide();
    pad.move(ptBottomLeft + QPoint(50, 60));
    pad.ShowPad(Cats(), &m_items, pTarget);
    QTRY_COMPARE(pad.frameGeometry().topLeft(), ptBottomLeft + QPoint(50, 60));
}

void TestAssistDlg::setFilterUpdatesControls_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("update");
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<int>("listed");
    QTest::newRow("category") << 4 << true << 4 << false << 1;
    QTest::newRow("category in parentheses") << 0x103 << true << 3 << true << 3;
    QTest::newRow("all") << 0 << true << 0 << false << 6;
    QTest::newRow("controls left alone") << 0x103 << false << 2 << false << 3;
}

void TestAssistDlg::setFilterUpdatesControls()
{
    QFETCH(int, value);
    QFETCH(bool, update);
    QFETCH(int, entry);
    QFETCH(bool, toggle);
    QFETCH(int, listed);
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &m_items, nullptr);
    Choose(pad, 2);
    pad.SetFilter(value, update);
    QCOMPARE(pad.Filter(), value);
    QCOMPARE(pad.CategoryList()->currentIndex(), entry);
    QCOMPARE(pad.ParenToggle()->isChecked(), toggle);
    QCOMPARE(int(pad.Listed().size()), listed);
}

void TestAssistDlg::categoryListRefreshedWhenChanged()
{
    CAssistDlg pad(nullptr);
    std::vector<CCategory> cats = Cats();
    pad.ShowPad(cats, &m_items, nullptr);
    QComboBox* pList = pad.CategoryList();
    QCOMPARE(pList->count(), 5);
    QCOMPARE(pList->itemText(0), QStringLiteral("すべて表示"));
    QCOMPARE(pList->itemData(0).toInt(), 0);
    QCOMPARE(pList->itemText(3), QStringLiteral("食費"));
    QCOMPARE(pList->itemData(3).toInt(), int(ATTR_SPECIAL_EXPENSE));

    // The owner added a category inline: the pad offers it and keeps the chosen entry.
    Choose(pad, 3);
    cats.emplace_back(ATTR_BUDGET, QStringLiteral("予算"));
    pad.ShowPad(cats, &m_items, nullptr);
    QCOMPARE(pList->count(), 6);
    QCOMPARE(pList->itemText(5), QStringLiteral("予算"));
    QCOMPARE(pList->itemData(5).toInt(), int(ATTR_BUDGET));
    QCOMPARE(pList->currentIndex(), 3);
    QCOMPARE(pad.Filter(), 3);
}

void TestAssistDlg::grownIndexIsListedAgain()
{
    std::vector<CRecItem> items = Items();
    CAssistDlg pad(nullptr);
    pad.ShowPad(Cats(), &items, nullptr);
    pad.SetFilter(3, true);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 0, 3 }));

    // A line entered meanwhile put a new item in front: the old positions would now name
    // other items, so the pad lists again when shown.
    items.insert(items.begin(), Item(u"アイス", { Use(2) }));
    pad.ShowPad(Cats(), &items, nullptr);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 0, 1, 4 }));
    QCOMPARE(RowText(pad, 0), QStringLiteral(" アイス"));
    QCOMPARE(RowText(pad, 2), QStringLiteral(" パン"));

    // The same holds when the owner sets the same filter without showing the pad again.
    items.insert(items.begin(), Item(u"あめ", { Use(0) }));
    pad.SetFilter(3, true);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 1, 2, 5 }));

    // A pick on a list taken from the index before it grew sends nothing and lists again.
    items.insert(items.begin(), Item(u"あられ", { Use(0) }));
    QSignalSpy spy(&pad, &CAssistDlg::PadEntry);
    pad.PickRow(0);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(pad.Listed(), (std::vector<int>{ 2, 3, 6 }));
    pad.PickRow(0);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 2);
}

void TestAssistDlg::fourColumnsAcrossTheList()
{
    std::vector<CRecItem> items;
    for (int i = 0; i < 200; ++i)
        items.push_back(Item(QStringLiteral("項目%1").arg(i, 3, 10, QChar(u'0')), { Use(2) }));
    CAssistDlg pad(nullptr);
    pad.resize(500, 260);
    pad.ShowPad(Cats(), &items, nullptr);
    pad.SetFilter(0, true);
    QVERIFY(QTest::qWaitForWindowExposed(&pad));

    QListView* pList = pad.List();
    const auto columnWidthIsQuarter = [pList] {
        return pList->gridSize().width() == pList->viewport()->width() / CAssistDlg::LIST_COLUMNS;
    };
    QTRY_VERIFY(columnWidthIsQuarter());
    // Entries run down the first column, then on at the top of the next one.
    const QAbstractItemModel* pModel = pList->model();
    const QRect rcFirst = pList->visualRect(pModel->index(0, 0));
    int nPerColumn = 1;
    while (pList->visualRect(pModel->index(nPerColumn, 0)).x() == rcFirst.x())
        ++nPerColumn;
    QVERIFY(nPerColumn > 1);
    for (int nColumn = 1; nColumn < CAssistDlg::LIST_COLUMNS; ++nColumn) {
        const QRect rc = pList->visualRect(pModel->index(nColumn * nPerColumn, 0));
        QCOMPARE(rc.x(), rcFirst.x() + nColumn * pList->gridSize().width());
        QCOMPARE(rc.y(), rcFirst.y());
    }

    pad.resize(700, 260);
    QTRY_VERIFY(columnWidthIsQuarter());
}

void TestAssistDlg::padNeverTakesFocus()
{
    // The offscreen platform activates every window it shows, so what can be held here is
    // what the pad asks of the platform and that none of its controls would take the
    // focus where a click does activate it.
    QWidget owner;
    auto* pEdit = new QLineEdit(&owner);
    owner.show();
    CAssistDlg pad(&owner);
    pad.ShowPad(Cats(), &m_items, pEdit);
    pad.SetFilter(0, true);
    QVERIFY(pad.windowFlags().testFlag(Qt::Tool));
    QVERIFY(pad.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(pad.testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(!pad.isModal());
    const QList<QWidget*> children = pad.findChildren<QWidget*>();
    QVERIFY(children.size() > CAssistDlg::KEY_COUNT + 2);
    for (QWidget* pChild : children) {
        if (pChild->isWindow())
            continue; // the category list's drop-down
        QVERIFY2(pChild->focusPolicy() == Qt::NoFocus, qPrintable(pChild->metaObject()->className()));
    }
}

QTEST_MAIN(TestAssistDlg)
#include "tst_assistdlg.moc"
