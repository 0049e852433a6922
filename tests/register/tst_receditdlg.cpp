#include "RegFixture.h"
#include "tests/support/KeyInput.h"

#include "command/CmdUI.h"
#include "command/AppStatus.h"
#include "command/CommandIds.h"
#include "dialogs/AssistDlg.h"
#include "dialogs/CategoryDlg.h"
#include "dialogs/NumKeyDlg.h"
#include "model/Category.h"
#include "model/CategoryAttr.h"
#include "model/ListCheck.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "register/RecEditDlg.h"
#include "register/RecEditEntry.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace regfix;

namespace {

enum : int { C_DESC = 6 };

using support::TypeText;

void Focus(QWidget* pWidget)
{
    QFocusEvent event(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(pWidget, &event);
}

bool Enabled(CCofferView& view, int nID)
{
    CCmdUI ui(nID);
    view.UpdateCommand(ui);
    return ui.m_bEnabled;
}

using FillFn = std::function<void(CRecEditDlg& dlg, int nCall)>;

// Answers the view's record dialogs with the real dialog, shown but not run modally: each
// call is filled and ended by fill, and gives the dialog's result.
struct SDialogDriver
{
    explicit SDialogDriver(const CCofferDoc& doc, FillFn fn, bool bAssistManual = true)
        : m_doc(doc), m_fill(std::move(fn)), m_bAssistManual(bAssistManual)
    {
        CCofferView::SetRecEditAsk([this](CRecEditEntry& entry) {
            CRecEditDlg dlg(entry, &m_doc.GetRecItems(), m_bAssistManual);
            dlg.show();
            m_fill(dlg, m_nCalls++);
            if (dlg.isVisible())
                return -1; // the test left it open
            return dlg.result();
        });
    }
    ~SDialogDriver() { CCofferView::SetRecEditAsk({}); }

    const CCofferDoc& m_doc;
    FillFn m_fill;
    bool m_bAssistManual;
    int m_nCalls = 0;
};

// A one-line ledger and a record dialog on an entry of it, shown but not run modally.
struct SOpenDialog
{
    SOpenDialog(int nCmd, int nLine, bool bAssistManual)
    {
        Fill(doc, Named({ "a" }));
        bBegun = entry.Begin(doc, nCmd, nLine, true);
        pDlg = std::make_unique<CRecEditDlg>(entry, &doc.GetRecItems(), bAssistManual);
        pDlg->show();
    }

    CCofferDoc doc;
    CRecEditEntry entry;
    bool bBegun = false;
    std::unique_ptr<CRecEditDlg> pDlg;
};

QDate Day(int nMonth, int nDay)
{
    return QDate(2024, nMonth, nDay);
}

} // namespace

class TestRecEditDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void nextThreeTimesThenCancel();
    void emptyEntryAddsNothing();
    void modifyWholeRow();
    void modifyCellRangeOpensOneDialogPerRow();
    void amountRefused_data();
    void amountRefused();
    void counterCategoryNeedsSeparator();
    void newCategoryInline();
    void newCategoryThroughItsDialog();
    void addRefusedAtLimit_data();
    void addRefusedAtLimit();
    void expenseAmountStartsWithMinus();
    void padsTypeIntoTheirTargets();
    void padEntryBringsCategoryAndAmount();
    void padButtons();
    void completionFromIndex();
    void positionRemembered();
};

void TestRecEditDlg::init()
{
    CRecEditDlg::SetLastPosition(QPoint(NO_POSITION, NO_POSITION));
}

void TestRecEditDlg::cleanup()
{
    CRecEditDlg::SetAddCategoryAsk({});
    CRecEditDlg::SetAddCurrencyAsk({});
    CCofferView::SetRecEditAsk({});
}

void TestRecEditDlg::nextThreeTimesThenCancel()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b" }));
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 1, 0, 0);
    QVERIFY(Enabled(view, ID_EDIT_INPUT));
    QList<QDate> shownDates;
    QList<int> shownCurrencies;
    SDialogDriver driver(doc, [&](CRecEditDlg& dlg, int nCall) {
        shownDates << dlg.DateEdit()->date();
        shownCurrencies << dlg.CurrencyList()->currentIndex();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("データの入力"));
        if (nCall == 3) {
            dlg.Button(CRecEditEntry::RESULT_CANCEL)->click();
            return;
        }
        if (nCall == 0) {
            dlg.DateEdit()->setDate(Day(3, 5));
            dlg.CurrencyList()->setCurrentIndex(USD);
        }
        dlg.CategoryList()->setCurrentIndex(CAT_FOOD);
        dlg.AmountEdit()->setText(QString::number(-10 * (nCall + 1)));
        dlg.DescEdit()->setText(QStringLiteral("n%1").arg(nCall + 1));
        dlg.Button(CRecEditDlg::IDC_NEXT)->click();
    });
    view.ExecuteCommand(ID_EDIT_INPUT);
    QCOMPARE(driver.m_nCalls, 4);
    // The first dialog starts from the cursor line, each further one from the line just entered.
    QCOMPARE(shownDates, (QList<QDate>{ Day(3, 2), Day(3, 5), Day(3, 5), Day(3, 5) }));
    QCOMPARE(shownCurrencies, (QList<int>{ YEN, USD, USD, USD }));
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "n1", "n2", "n3", "b" }));
    QCOMPARE(doc.Lines()[3].m_nAmount, U(-30));
    QCOMPARE(doc.Lines()[3].m_strInput, QStringLiteral("-30"));
    QCOMPARE(int(doc.Lines()[3].m_nCur), int(USD));
    QCOMPARE(doc.GetActionNames(true).size(), 3);
    for (int i = 0; i < 3; ++i)
        doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b" }));
    doc.Redo();
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "n1", "b" }));
}

void TestRecEditDlg::emptyEntryAddsNothing()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a" }));
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 0, 0, 0);
    SDialogDriver driver(doc, [](CRecEditDlg& dlg, int) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("データの追加"));
        dlg.Button(CRecEditEntry::RESULT_OK)->click();
    });
    view.ExecuteCommand(ID_EDIT_ADD);
    QCOMPARE(driver.m_nCalls, 1);
    QCOMPARE(doc.GetLineCount(), 1);
    QVERIFY(!doc.CanUndo());
    QVERIFY(!doc.IsModified());
}

void TestRecEditDlg::modifyWholeRow()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c" }));
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 1, 0, 0);
    view.Selection().SetRange(CRange(-1, 1, -1, 1));
    QVERIFY(Enabled(view, ID_EDIT_MODIFY_ROW));
    SDialogDriver driver(doc, [](CRecEditDlg& dlg, int) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("データの修正"));
        QCOMPARE(dlg.DateEdit()->date(), Day(3, 2));
        QCOMPARE(dlg.CategoryList()->currentIndex(), int(CAT_FOOD));
        QCOMPARE(dlg.Category2List()->currentIndex(), -1);
        QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("-100"));
        QCOMPARE(dlg.DescEdit()->text(), QStringLiteral("b"));
        dlg.AmountEdit()->setText(QStringLiteral("-150"));
        dlg.DescEdit()->setText(QStringLiteral("牛乳"));
        dlg.Button(CRecEditEntry::RESULT_OK)->click();
    });
    view.ExecuteCommand(ID_EDIT_MODIFY_ROW);
    QCOMPARE(driver.m_nCalls, 1);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "牛乳", "c" }));
    QCOMPARE(doc.Lines()[1].m_nAmount, U(-150));
    QCOMPARE(doc.Lines()[1].m_date, MakeDate(2024, 3, 2));
    QCOMPARE(doc.GetActionNames(true).size(), 1);
    doc.Undo();
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "b", "c" }));
}

void TestRecEditDlg::modifyCellRangeOpensOneDialogPerRow()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a", "b", "c", "d" }));
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 1, 0, 0);
    view.Selection().SetRange(CRange(C_DESC - 1, 1, C_DESC, 2));
    SDialogDriver driver(doc, [](CRecEditDlg& dlg, int) {
        dlg.DescEdit()->setText(dlg.DescEdit()->text().toUpper());
        dlg.Button(CRecEditEntry::RESULT_OK)->click();
    });
    view.ExecuteCommand(ID_EDIT_MODIFY);
    QCOMPARE(driver.m_nCalls, 2);
    QCOMPARE(Descriptions(doc), (QStringList{ "a", "B", "C", "d" }));
}

void TestRecEditDlg::amountRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("thirty digits") << QString(30, u'9');
    QTest::newRow("text after the second amount") << QStringLiteral("1;2 x");
    QTest::newRow("three amounts") << QStringLiteral("1;2;3");
    QTest::newRow("division by zero") << QStringLiteral("1/0");
}

void TestRecEditDlg::amountRefused()
{
    QFETCH(QString, text);
    SOpenDialog open(CRecEditEntry::CMD_INPUT, 0, true);
    CCofferDoc& doc = open.doc;
    CRecEditEntry& entry = open.entry;
    QVERIFY(open.bBegun);
    CRecEditDlg& dlg = *open.pDlg;
    QCOMPARE(dlg.AmountEdit()->maxLength(), 128);
    dlg.CategoryList()->setCurrentIndex(CAT_FOOD);
    dlg.AmountEdit()->setText(text);
    CRecordingMessageSink sink;
    dlg.Button(CRecEditEntry::RESULT_OK)->click();
    QVERIFY(sink.LastWas(IDS_AMOUNT_INVALID));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.focusWidget(), dlg.AmountEdit());
    QCOMPARE(entry.Finish(doc, dlg.result()), dlg.result());
    QCOMPARE(doc.GetLineCount(), 1);
}

void TestRecEditDlg::counterCategoryNeedsSeparator()
{
    SOpenDialog open(CRecEditEntry::CMD_ADD, 0, true);
    CCofferDoc& doc = open.doc;
    CRecEditEntry& entry = open.entry;
    QVERIFY(open.bBegun);
    CRecEditDlg& dlg = *open.pDlg;
    dlg.CategoryList()->setCurrentIndex(CAT_FOOD);
    dlg.Category2List()->setCurrentIndex(CAT_SAVINGS);
    dlg.AmountEdit()->setText(QStringLiteral("1000 ; 250"));
    dlg.DescEdit()->setText(QStringLiteral("米"));
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    dlg.Button(CRecEditEntry::RESULT_OK)->click();
    QVERIFY(sink.LastWas(IDS_DESC_SHORT_FOR_CATEGORIES));
    QVERIFY(dlg.isVisible());
    dlg.DescEdit()->setText(QStringLiteral("米；積立"));
    sink.Clear();
    dlg.Button(CRecEditEntry::RESULT_OK)->click();
    QVERIFY(sink.m_boxes.isEmpty());
    QCOMPARE(dlg.result(), int(CRecEditEntry::RESULT_OK));
    QCOMPARE(entry.m_nAmount, Amount(10000000));
    QCOMPARE(entry.m_nAmount2, Amount(2500000));
    QCOMPARE(entry.m_nCat2, int(CAT_SAVINGS));
    QCOMPARE(entry.Finish(doc, dlg.result()), int(CRecEditEntry::RESULT_OK));
    QCOMPARE(doc.Lines()[1].m_strDesc, QStringLiteral("米；積立"));
    QCOMPARE(int(doc.Lines()[1].m_nCat2), int(CAT_SAVINGS));
}

void TestRecEditDlg::newCategoryInline()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a" }));
    const int nCats = int(doc.Categories().size());
    CRecEditDlg::SetAddCategoryAsk([](CCategory& cat, const QStringList& names, QWidget*) {
        if (!names.contains(QStringLiteral("食料")))
            return false;
        cat = CCategory(ATTR_INCOME, QStringLiteral("給与"));
        return true;
    });
    CCofferView view(doc);
    view.SetCurCell(C_DESC, 0, 0, 0);
    SDialogDriver driver(doc, [nCats](CRecEditDlg& dlg, int) {
        QComboBox* pList = dlg.CategoryList();
        QCOMPARE(pList->itemText(nCats), QStringLiteral("他の費目..."));
        pList->setCurrentIndex(nCats);
        Q_EMIT pList->activated(nCats);
        QCOMPARE(pList->currentIndex(), nCats);
        QCOMPARE(pList->itemText(nCats), QStringLiteral("給与"));
        QCOMPARE(pList->itemText(nCats + 1), QStringLiteral("他の費目..."));
        QCOMPARE(dlg.Category2List()->itemText(nCats), QStringLiteral("給与"));
        dlg.AmountEdit()->setText(QStringLiteral("250000"));
        dlg.DescEdit()->setText(QStringLiteral("十二月分"));
        dlg.Button(CRecEditEntry::RESULT_OK)->click();
    });
    view.ExecuteCommand(ID_EDIT_ADD);
    QCOMPARE(int(doc.Categories().size()), nCats + 1);
    QCOMPARE(doc.Categories().back().m_strName, QStringLiteral("給与"));
    QCOMPARE(int(doc.Lines()[1].m_nCat), nCats);
    QCOMPARE(doc.Lines()[1].m_nAmount, U(250000));
    QVERIFY(doc.IsModified());
}

void TestRecEditDlg::newCategoryThroughItsDialog()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a" }));
    const int nCats = int(doc.Categories().size());
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 0, true));
    CRecEditDlg dlg(entry, &doc.GetRecItems(), true);
    dlg.show();
    bool bAnswered = false;
    QTimer::singleShot(0, [&bAnswered] {
        auto* pDlg = qobject_cast<CCategoryDlg*>(QApplication::activeModalWidget());
        if (pDlg == nullptr)
            return;
        pDlg->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("医療"));
        pDlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        bAnswered = true;
    });
    Q_EMIT dlg.CategoryList()->activated(nCats);
    QVERIFY(bAnswered);
    QCOMPARE(dlg.CategoryList()->currentText(), QStringLiteral("医療"));
    QCOMPARE(int(entry.m_cats.size()), nCats + 1);
    dlg.Button(CRecEditEntry::RESULT_CANCEL)->click();
    // A category added in the dialog stays, even when the line is not entered.
    QCOMPARE(entry.Finish(doc, dlg.result()), int(CRecEditEntry::RESULT_CANCEL));
    QCOMPARE(doc.Categories().back().m_strName, QStringLiteral("医療"));
    QCOMPARE(doc.GetLineCount(), 1);
}

void TestRecEditDlg::addRefusedAtLimit_data()
{
    QTest::addColumn<bool>("currency");
    QTest::newRow("currency") << true;
    QTest::newRow("category") << false;
}

void TestRecEditDlg::addRefusedAtLimit()
{
    QFETCH(bool, currency);
    CCofferDoc doc;
    Fill(doc, Named({ "a" }));
    std::vector<CCurFmt> curs;
    for (std::size_t n = doc.Currencies().size(); n < std::size_t(CListCheck::MAX_ENTRIES); ++n)
        curs.emplace_back(QStringLiteral("C%1").arg(n), 2, QString());
    std::vector<CCategory> cats;
    for (std::size_t n = doc.Categories().size(); n < std::size_t(CListCheck::MAX_ENTRIES); ++n)
        cats.emplace_back(ATTR_EXPENSE, QStringLiteral("費目%1").arg(n));
    QVERIFY(doc.AppendCurrencies(curs));
    QVERIFY(doc.AppendCategories(cats));
    bool bAsked = false;
    CRecEditDlg::SetAddCategoryAsk([&bAsked](CCategory&, const QStringList&, QWidget*) { return bAsked = true; });
    CRecEditDlg::SetAddCurrencyAsk([&bAsked](CCurFmt&, const QStringList&, QWidget*) { return bAsked = true; });
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 0, true));
    CRecEditDlg dlg(entry, &doc.GetRecItems(), true);
    dlg.show();
    QComboBox* pList = currency ? dlg.CurrencyList() : dlg.CategoryList();
    CRecordingMessageSink sink;
    pList->setCurrentIndex(CListCheck::MAX_ENTRIES);
    Q_EMIT pList->activated(CListCheck::MAX_ENTRIES);
    QVERIFY(sink.LastWas(currency ? IDS_TOO_MANY_CURRENCIES : IDS_TOO_MANY_CATEGORIES));
    QVERIFY(!bAsked);
    QCOMPARE(pList->currentIndex(), 0);
    QCOMPARE(pList->count(), CListCheck::MAX_ENTRIES + 1);
}

void TestRecEditDlg::expenseAmountStartsWithMinus()
{
    SOpenDialog open(CRecEditEntry::CMD_ADD, 0, true);
    QVERIFY(open.bBegun);
    CRecEditDlg& dlg = *open.pDlg;
    dlg.CategoryList()->setCurrentIndex(CAT_INCOME);
    Focus(dlg.AmountEdit());
    QCOMPARE(dlg.AmountEdit()->text(), QString());
    dlg.CategoryList()->setCurrentIndex(CAT_FOOD);
    Focus(dlg.AmountEdit());
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("-"));
    QCOMPARE(dlg.AmountEdit()->cursorPosition(), 1);
    // A sign typed on a lone sign replaces it.
    dlg.NumPad()->Key(CNumKeyDlg::IDC_FIRST_KEY + 3)->click(); // "+"
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("+"));
}

void TestRecEditDlg::padsTypeIntoTheirTargets()
{
    SOpenDialog open(CRecEditEntry::CMD_ADD, 0, false);
    QVERIFY(open.bBegun);
    CRecEditDlg& dlg = *open.pDlg;
    QVERIFY(dlg.NumPad()->isVisible());
    QVERIFY(dlg.DescPad()->isVisible());
    const auto numKey = [&dlg](int nIndex) { dlg.NumPad()->Key(CNumKeyDlg::IDC_FIRST_KEY + nIndex)->click(); };
    const auto descKey = [&dlg](int nIndex) { dlg.DescPad()->Key(CAssistDlg::IDC_FIRST_KEY + nIndex)->click(); };
    // Both edits empty: the numeric pad goes to the amount.
    numKey(0); // 7
    numKey(13); // .
    numKey(5); // 5
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("7.5"));
    numKey(16); // backspace
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("7."));
    descKey(1); // （
    descKey(3); // ；
    QCOMPARE(dlg.DescEdit()->text(), QString::fromUtf16(u"（；"));
    // The description had the pads' input last, so the numbers go there now.
    numKey(8); // 1
    QCOMPARE(dlg.DescEdit()->text(), QString::fromUtf16(u"（；1"));
    descKey(0); // backspace goes the numeric pad's way
    QCOMPARE(dlg.DescEdit()->text(), QString::fromUtf16(u"（；"));
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("7."));
}

void TestRecEditDlg::padEntryBringsCategoryAndAmount()
{
    CCofferDoc doc;
    std::vector<CReceipt> lines = Named({ "a" });
    lines.push_back(Line(MakeDate(2024, 3, 9), YEN, CAT_HOUSING, U(-80000), QStringLiteral("家賃")));
    Fill(doc, std::move(lines));
    doc.AddToIndex();
    int nRent = -1;
    for (std::size_t i = 0; i < doc.GetRecItems().size(); ++i) {
        if (doc.GetRecItems()[i].m_strText == QStringLiteral("家賃"))
            nRent = int(i);
    }
    QVERIFY(nRent >= 0);
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 1, true));
    CRecEditDlg dlg(entry, &doc.GetRecItems(), false);
    dlg.show();
    dlg.OnPadEntry(0, nRent);
    QCOMPARE(dlg.CategoryList()->currentIndex(), int(CAT_HOUSING));
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("-80000"));
    QCOMPARE(dlg.DescEdit()->text(), QStringLiteral("家賃"));
    QCOMPARE(dlg.DescEdit()->selectedText(), QStringLiteral("家賃"));
    // A category the user chose stays; a typed amount stays.
    dlg.CategoryList()->setCurrentIndex(CAT_FOOD);
    Q_EMIT dlg.CategoryList()->activated(CAT_FOOD);
    TypeText(dlg.AmountEdit(), QStringLiteral("0"));
    dlg.OnPadEntry(0, nRent);
    QCOMPARE(dlg.CategoryList()->currentIndex(), int(CAT_FOOD));
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("-800000"));
    // Out of range picks are ignored.
    dlg.OnPadEntry(0, int(doc.GetRecItems().size()));
    QCOMPARE(dlg.DescEdit()->text(), QStringLiteral("家賃"));
}

void TestRecEditDlg::padButtons()
{
    SOpenDialog open(CRecEditEntry::CMD_ADD, 0, true);
    QVERIFY(open.bBegun);
    CRecEditDlg& dlg = *open.pDlg;
    QPushButton* pNum = dlg.Button(CRecEditDlg::IDC_NUM_PAD);
    QPushButton* pDesc = dlg.Button(CRecEditDlg::IDC_DESC_PAD);
    // Manual assist: no pad opens by itself.
    QVERIFY(!dlg.NumPad()->isVisible());
    QVERIFY(!dlg.DescPad()->isVisible());
    pNum->click();
    QVERIFY(dlg.NumPad()->isVisible());
    QVERIFY(!dlg.DescPad()->isVisible());
    QVERIFY(pNum->isChecked());
    pDesc->click();
    QVERIFY(dlg.NumPad()->isVisible() && dlg.DescPad()->isVisible());
    QVERIFY(!pNum->isChecked());
    QVERIFY(pDesc->isChecked());
    // With both open the numeric pad's button keeps it open.
    pNum->click();
    QVERIFY(dlg.NumPad()->isVisible() && dlg.DescPad()->isVisible());
    pDesc->click();
    QVERIFY(!dlg.NumPad()->isVisible() && !dlg.DescPad()->isVisible());
    QVERIFY(!pNum->isChecked() && !pDesc->isChecked());
    // The pads follow the dialog.
    pDesc->click();
    const QPoint numAt = dlg.NumPad()->pos();
    const QPoint descAt = dlg.DescPad()->pos();
    dlg.move(dlg.pos() + QPoint(30, 20));
    QCOMPARE(dlg.NumPad()->pos(), numAt + QPoint(30, 20));
    QCOMPARE(dlg.DescPad()->pos(), descAt + QPoint(30, 20));
}

void TestRecEditDlg::completionFromIndex()
{
    CCofferDoc doc;
    Fill(doc, Named({ "牛肉", "牛乳", "牛乳", "豆腐", "牛乳" }));
    doc.AddToIndex();
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 4, true));
    CRecEditDlg dlg(entry, &doc.GetRecItems(), true);
    dlg.show();
    TypeText(dlg.DescEdit(), QStringLiteral("卵，牛"));
    // The item at the caret completes, most used first.
    QCOMPARE(dlg.Completions(), (QStringList{ "牛乳", "牛肉" }));
    dlg.ApplyCompletion(QStringLiteral("牛肉"));
    QCOMPARE(dlg.DescEdit()->text(), QStringLiteral("卵，牛肉"));
    QCOMPARE(dlg.DescEdit()->cursorPosition(), 4);
    // It brings the category and the amount it was used with.
    QCOMPARE(dlg.CategoryList()->currentIndex(), int(CAT_FOOD));
    QCOMPARE(dlg.AmountEdit()->text(), QStringLiteral("-100"));
    TypeText(dlg.DescEdit(), QStringLiteral("，豚"));
    QVERIFY(dlg.Completions().isEmpty());
}

void TestRecEditDlg::positionRemembered()
{
    CCofferDoc doc;
    Fill(doc, Named({ "a" }));
    CRecEditEntry entry;
    QVERIFY(entry.Begin(doc, CRecEditEntry::CMD_ADD, 0, true));
    {
        CRecEditDlg dlg(entry, &doc.GetRecItems(), true);
        dlg.show();
        dlg.move(140, 90);
        dlg.Button(CRecEditEntry::RESULT_CANCEL)->click();
        QCOMPARE(dlg.result(), int(CRecEditEntry::RESULT_CANCEL));
    }
    QCOMPARE(CRecEditDlg::LastPosition(), QPoint(140, 90));
    CRecEditDlg again(entry, &doc.GetRecItems(), true);
    QCOMPARE(again.pos(), QPoint(140, 90));
}

QTEST_MAIN(TestRecEditDlg)
#include "tst_receditdlg.moc"
