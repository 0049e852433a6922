#include "../register/RegFixture.h"

#include "app/CatPropPage.h"
#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "app/CurPropPage.h"
#include "app/LedgerSession.h"
#include "app/ListPropSheet.h"
#include "app/MainFrame.h"
#include "dialogs/CategoryDlg.h"
#include "dialogs/CurFmtDlg.h"
#include "persist/DocumentFile.h"
#include "platform/RecordingMessageSink.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace regfix;

namespace {

enum : int { EUR = 2 };

// Yen, dollars and euros; a yen line, a dollar line, and a euro line that was deleted (it
// lives only in the undo history). Counter category 預貯金 on the dollar line. changeCurrencies
// may add to or change the currencies before the history is made.
void Ledger(CCofferDoc& doc, const std::function<void(std::vector<CCurFmt>&)>& changeCurrencies = {})
{
    std::vector<CCurFmt> curs = support::Currencies(3);
    if (changeCurrencies)
        changeCurrencies(curs);
    support::Fill(doc,
                  {Line(MakeDate(2024, 3, 1), YEN, CAT_FOOD, U(-100), "a"),
                   Line(MakeDate(2024, 3, 2), USD, CAT_INCOME, U(5), "b", CAT_SAVINGS, U(-5)),
                   Line(MakeDate(2024, 3, 3), EUR, CAT_HOUSING, U(-7), "c")},
                  std::move(curs));
    doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS, 2, 1));
    doc.SetModifiedFlag(false);
}

QPushButton* Button(QWidget& page, const char* pszName)
{
    return page.findChild<QPushButton*>(QLatin1String(pszName));
}

QStringList Column(QWidget& page, int nCol)
{
    auto* pTable = page.findChild<QTableWidget*>(QStringLiteral("list"));
    QStringList texts;
    for (int n = 0; pTable && n < pTable->rowCount(); ++n)
        texts.append(pTable->item(n, nCol)->text());
    return texts;
}

QString ButtonStates(QWidget& page)
{
    QString states;
    for (const char* psz : {"delete", "change", "up", "down"})
        states += Button(page, psz)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

} // namespace

// The list settings as the user meets them: the currency and category pages with their
// refusals, the sheet's OK, Apply and Cancel, and commands 32798 / 32799 in the program.
class TestListSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void currencyRefusals_data();
    void currencyRefusals();
    void currencyPageShowsRows();
    void currencyChangeAvoidsOtherSymbols();
    void categoryRefusals_data();
    void categoryRefusals();
    void categoryRowZeroKeepsAttribute();
    void categoryAddTwoDeleteFirstApply();
    void categoryMovesAndButtons();
    void sheetApplyOkCancel();
    void commandsOpenTheSheet_data();
    void commandsOpenTheSheet();
    void categoryCommandWithRealDialogs();
};

void TestListSettings::currencyRefusals_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("extra");   // currencies appended to the ledger first
    QTest::addColumn<int>("message");
    QTest::addColumn<int>("rows");    // rows afterwards
    QTest::newRow("delete the base currency") << "delete" << 0 << 0 << int(IDS_CUR_BASE_UNDELETABLE) << 3;
    QTest::newRow("delete a used currency") << "delete" << 1 << 0 << int(IDS_CUR_IN_USE) << 3;
    QTest::newRow("delete one used only in the undo history") << "delete" << 2 << 0 << int(IDS_CUR_IN_USE) << 3;
    QTest::newRow("delete an unused currency") << "delete" << 3 << 1 << 0 << 3;
    QTest::newRow("add to 121") << "add" << -1 << 118 << int(IDS_TOO_MANY_CURRENCIES) << 121;
    QTest::newRow("add to 120") << "add" << -1 << 117 << 0 << 121;
    QTest::newRow("add after row 0") << "add" << 0 << 0 << 0 << 4;
}

void TestListSettings::currencyRefusals()
{
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(int, extra);
    QFETCH(int, message);
    QFETCH(int, rows);
    CCofferDoc doc;
    Ledger(doc, [extra](std::vector<CCurFmt>& curs) {
        for (int n = 0; n < extra; ++n)
            curs.emplace_back(QStringLiteral("X%1").arg(n), 2, QString());
    });
    CCurPropPage page(doc);
    page.resize(400, 300);
    page.show();
    int nAsked = 0;
    page.SetEditHook([&nAsked](CCurFmt& cur, const QStringList&, QWidget*) {
        ++nAsked;
        cur = CCurFmt(QStringLiteral("NEW"), 2, QStringLiteral("新"));
        return true;
    });
    CRecordingMessageSink sink;
    page.Select(row);
    // Row 0's delete button is disabled; the page refuses the deletion all the same.
    QPushButton* pButton = Button(page, action.toLatin1().constData());
    QCOMPARE(pButton->isEnabled(), action == QLatin1String("add") || row > 0);
    if (action == QLatin1String("add"))
        page.OnAdd();
    else
        page.OnDelete();
    if (message == 0)
        QVERIFY(sink.m_boxes.isEmpty());
    else
        QVERIFY(sink.LastWas(message));
    QCOMPARE(page.List().Count(), rows);
    QCOMPARE(page.IsModified(), message == 0);
    QCOMPARE(nAsked, action == QLatin1String("add") && message == 0 ? 1 : 0);
    if (action == QLatin1String("add") && message == 0)
        QCOMPARE(page.List().At(row == 0 ? 1 : rows - 1).m_strSymbol, QStringLiteral("NEW"));
    // Nothing reaches the ledger before Apply.
    QCOMPARE(int(doc.Currencies().size()), 3 + extra);
}

void TestListSettings::currencyPageShowsRows()
{
    CCofferDoc doc;
    Ledger(doc, [](std::vector<CCurFmt>& curs) { curs[1].m_nSymbolPos = CCurFmt::SYMBOL_AFTER_SPACE; });
    CCurPropPage page(doc);
    page.show();
    QCOMPARE(Column(page, 0), (QStringList{"日本円", "USD", "EUR"}));
    QCOMPARE(Column(page, 1), (QStringList{"\\", "$", "€"}));
    QCOMPARE(Column(page, 2), (QStringList{"0", "2", "2"}));
    QCOMPARE(Column(page, 3), (QStringList{"?1.1", "1.1 ?", "?1.1"}));
    QCOMPARE(ButtonStates(page), QStringLiteral("0000"));
    page.Select(0);
    QCOMPARE(ButtonStates(page), QStringLiteral("0100"));
    page.Select(2);
    QCOMPARE(ButtonStates(page), QStringLiteral("1111"));
}

void TestListSettings::currencyChangeAvoidsOtherSymbols()
{
    CCofferDoc doc;
    Ledger(doc);
    CCurPropPage page(doc);
    page.show();
    QStringList avoided;
    page.SetEditHook([&avoided](CCurFmt& cur, const QStringList& avoid, QWidget*) {
        avoided = avoid;
        cur.m_nDecimals = 0;
        return true;
    });
    page.Select(1);
    Button(page, "change")->click();
    QCOMPARE(avoided, (QStringList{"\\", "€"}));
    QCOMPARE(Column(page, 2), (QStringList{"0", "0", "2"}));
    QCOMPARE(page.Selected(), 1);
    QVERIFY(page.Apply());
    QCOMPARE(doc.Currencies()[1].m_nDecimals, 0);
    QVERIFY(doc.IsModified());
    QVERIFY(!page.IsModified());
}

void TestListSettings::categoryRefusals_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("message");
    QTest::newRow("remarks") << int(CAT_REMARK) << int(IDS_CAT_REMARK_UNDELETABLE);
    QTest::newRow("main category") << int(CAT_FOOD) << int(IDS_CAT_IN_USE);
    QTest::newRow("counter category") << int(CAT_SAVINGS) << int(IDS_CAT_IN_USE);
    QTest::newRow("in the undo history") << int(CAT_HOUSING) << int(IDS_CAT_IN_USE);
    QTest::newRow("unused") << int(CAT_CARRY) << 0;
}

void TestListSettings::categoryRefusals()
{
    QFETCH(int, row);
    QFETCH(int, message);
    CCofferDoc doc;
    Ledger(doc);
    CCatPropPage page(doc);
    page.show();
    CRecordingMessageSink sink;
    const int nRows = page.List().Count();
    page.Select(row);
    QCOMPARE(Button(page, "delete")->isEnabled(), row > 0);
    page.OnDelete();
    if (message == 0) {
        QVERIFY(sink.m_boxes.isEmpty());
        QCOMPARE(page.List().Count(), nRows - 1);
    } else {
        QVERIFY(sink.LastWas(message));
        QCOMPARE(page.List().Count(), nRows);
    }
    // The first two are shown as they are; the attribute by its name.
    QCOMPARE(Column(page, 1).value(0), QStringLiteral("備考"));
}

void TestListSettings::categoryRowZeroKeepsAttribute()
{
    CCofferDoc doc;
    Ledger(doc);
    CCatPropPage page(doc);
    page.show();
    bool bChangeable = true;
    page.SetEditHook([&bChangeable](CCategory& cat, const QStringList&, bool bAttr, QWidget*) {
        bChangeable = bAttr;
        cat = CCategory(ATTR_EXPENSE, QStringLiteral("メモ"));
        return true;
    });
    page.Select(0);
    Button(page, "change")->click();
    QVERIFY(!bChangeable);
    QCOMPARE(page.List().At(0), CCategory(ATTR_REMARK, QStringLiteral("メモ")));
    page.Select(3);
    Button(page, "change")->click();
    QVERIFY(bChangeable);
}

void TestListSettings::categoryAddTwoDeleteFirstApply()
{
    CCofferDoc doc;
    Ledger(doc);
    const std::size_t nCats = doc.Categories().size();
    CCatPropPage page(doc);
    page.show();
    QStringList names{QStringLiteral("給与"), QStringLiteral("趣味")};
    page.SetEditHook([&names](CCategory& cat, const QStringList&, bool, QWidget*) {
        cat = CCategory(ATTR_INCOME, names.takeFirst());
        return true;
    });
    CRecordingMessageSink sink;
    Button(page, "add")->click();
    page.Select(-1);
    Button(page, "add")->click();
    QCOMPARE(page.List().Count(), int(nCats) + 2);
    page.Select(int(nCats));
    Button(page, "delete")->click();
    QVERIFY(sink.m_boxes.isEmpty());
    QCOMPARE(Column(page, 0).last(), QStringLiteral("趣味"));
    QVERIFY(page.Apply());
    QCOMPARE(doc.Categories().size(), nCats + 1);
    QCOMPARE(doc.Categories().back(), CCategory(ATTR_INCOME, QStringLiteral("趣味")));
    QCOMPARE(doc.Lines()[1].m_nCat2, std::uint8_t(CAT_SAVINGS));
}

void TestListSettings::categoryMovesAndButtons()
{
    CCofferDoc doc;
    Ledger(doc);
    CCatPropPage page(doc);
    page.show();
    const QStringList before = Column(page, 0);
    page.Select(1);
    QCOMPARE(ButtonStates(page), QStringLiteral("1101"));
    Button(page, "up")->setEnabled(true);
    Button(page, "up")->click(); // row 1 never goes above row 0
    QCOMPARE(Column(page, 0), before);
    page.Select(before.size() - 1);
    Button(page, "down")->click(); // the last row stays
    QCOMPARE(Column(page, 0), before);
    QVERIFY(!page.IsModified());
    page.Select(CAT_FOOD);
    Button(page, "down")->click();
    QCOMPARE(page.Selected(), int(CAT_FOOD) + 1);
    QCOMPARE(Column(page, 0).at(CAT_FOOD + 1), before.at(CAT_FOOD));
    QVERIFY(page.Apply());
    // The lines follow their category to its new place, the undo history too.
    QCOMPARE(doc.Lines()[0].m_nCat, std::uint8_t(CAT_FOOD + 1));
    doc.Undo();
    QCOMPARE(doc.Lines()[2].m_nCat, std::uint8_t(CAT_FOOD));
    QCOMPARE(doc.Categories()[CAT_FOOD].m_strName, before.at(CAT_HOUSING));
}

void TestListSettings::sheetApplyOkCancel()
{
    CCofferDoc doc;
    Ledger(doc);
    const std::vector<CCurFmt> curs = doc.Currencies();
    {
        CListPropSheet sheet(doc, CListPropSheet::PAGE_CATEGORY, nullptr);
        sheet.show();
        QCOMPARE(sheet.windowTitle(), QStringLiteral("プロパティの設定"));
        QCOMPARE(sheet.Tabs()->currentIndex(), int(CListPropSheet::PAGE_CATEGORY));
        QCOMPARE(sheet.Tabs()->tabText(0), QStringLiteral("通貨"));
        QVERIFY(!sheet.ApplyButton()->isEnabled());
        sheet.CurrencyPage()->Select(2);
        Button(*sheet.CurrencyPage(), "up")->click();
        QVERIFY(sheet.ApplyButton()->isEnabled());
        sheet.ApplyButton()->click();
        QVERIFY(!sheet.ApplyButton()->isEnabled());
        QCOMPARE(doc.Currencies()[1].m_strSymbol, QStringLiteral("€"));
        // After Apply the rows are the ledger's: moving back and cancelling keeps the applied list.
        Button(*sheet.CurrencyPage(), "down")->click();
        sheet.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(doc.Currencies()[1].m_strSymbol, QStringLiteral("€"));
    }
    {
        CListPropSheet sheet(doc, CListPropSheet::PAGE_CURRENCY, nullptr);
        sheet.show();
        QCOMPARE(sheet.Tabs()->currentIndex(), int(CListPropSheet::PAGE_CURRENCY));
        sheet.CurrencyPage()->Select(2);
        Button(*sheet.CurrencyPage(), "up")->click();
        sheet.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(doc.Currencies(), curs);
        QCOMPARE(doc.Lines()[1].m_nCur, std::uint8_t(USD));
    }
}

void TestListSettings::commandsOpenTheSheet_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("page");
    QTest::newRow("32798") << int(ID_TOOL_CURRENCY) << int(CListPropSheet::PAGE_CURRENCY);
    QTest::newRow("32799") << int(ID_TOOL_CATEGORY) << int(CListPropSheet::PAGE_CATEGORY);
}

void TestListSettings::commandsOpenTheSheet()
{
    QFETCH(int, command);
    QFETCH(int, page);
    QTemporaryDir dir;
    CScopedSettingsFile store(dir.filePath(QStringLiteral("store.ini")));
    auto pApp = std::make_unique<CCofferApp>();
    QVERIFY(pApp->InitInstance({}, false));
    CMainFrame* pFrame = pApp->MainFrame();
    pFrame->show();
    pFrame->OnIdle();
    QVERIFY(pFrame->Action(command));
    QVERIFY(pFrame->Action(command)->isEnabled());
    int nShown = -1;
    QTimer::singleShot(0, this, [&nShown] {
        auto* pSheet = qobject_cast<CListPropSheet*>(QApplication::activeModalWidget());
        if (!pSheet)
            return;
        nShown = pSheet->Tabs()->currentIndex();
        pSheet->reject();
    });
    QVERIFY(pFrame->Execute(command));
    QCOMPARE(nShown, page);
    QVERIFY(!pApp->Sessions().first()->IsModified());
    pFrame->close();
    pApp->ExitInstance();
}

void TestListSettings::categoryCommandWithRealDialogs()
{
    QTemporaryDir dir;
    CScopedSettingsFile store(dir.filePath(QStringLiteral("store.ini")));
    auto pApp = std::make_unique<CCofferApp>();
    QVERIFY(pApp->InitInstance({}, false));
    CMainFrame* pFrame = pApp->MainFrame();
    pFrame->show();
    pFrame->OnIdle();
    CLedgerSession* pSession = pApp->Sessions().first();
    CCofferDoc& doc = pSession->Document();
    const std::size_t nCats = doc.Categories().size();
    CRecordingMessageSink sink;
    QTimer::singleShot(0, this, [this] {
        auto* pSheet = qobject_cast<CListPropSheet*>(QApplication::activeModalWidget());
        if (!pSheet)
            return;
        QTimer::singleShot(0, this, [] {
            auto* pDlg = qobject_cast<CCategoryDlg*>(QApplication::activeModalWidget());
            if (!pDlg)
                return;
            auto* pName = pDlg->findChild<QLineEdit*>(QStringLiteral("name"));
            // A trailing space is refused; the dialog stays for the corrected name.
            pName->setText(QStringLiteral("給与 "));
            pDlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
            pName->setText(QStringLiteral("給与"));
            pDlg->findChild<QComboBox*>(QStringLiteral("attr"))->setCurrentIndex(ATTR_INCOME);
            pDlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        });
        Button(*pSheet->CategoryPage(), "add")->click();
        pSheet->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    QVERIFY(pFrame->Execute(ID_TOOL_CATEGORY));
    QVERIFY(sink.LastWas(IDS_CAT_NAME_BAD_CHAR));
    QCOMPARE(doc.Categories().size(), nCats + 1);
    QCOMPARE(doc.Categories().back(), CCategory(ATTR_INCOME, QStringLiteral("給与")));
    QVERIFY(pSession->IsModified());
    QVERIFY(pFrame->windowTitle().contains(QLatin1Char('*')) || pSession->IsModified());
    // Saying no to the save question lets the program end.
    sink.QueueAnswer(IDNO);
    pFrame->close();
    pApp->ExitInstance();
}

QTEST_MAIN(TestListSettings)
#include "tst_listsettings.moc"
