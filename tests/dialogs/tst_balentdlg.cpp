#include "dialogs/BalEntDlg.h"
#include "dialogs/CurFmtDlg.h"
#include "dialogs/NumKeyDlg.h"
#include "model/NewLedger.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

template <class T>
T* Child(QWidget& dlg, const char* pszName)
{
    return dlg.findChild<T*>(QLatin1String(pszName));
}

std::vector<CCurFmt> YenDollarRupee()
{
    std::vector<CCurFmt> curs = CNewLedger::Currencies();
    curs.emplace_back(QStringLiteral("$"), 2, QStringLiteral("USD"));
    curs.emplace_back(QStringLiteral("Rp"), 0, QStringLiteral("IDR"));
    return curs;
}

CBalanceEntry::SValues Start(int nCur = 0)
{
    CBalanceEntry::SValues values;
    values.date = MakeDate(2024, 5, 2);
    values.nCur = nCur;
    values.nAmount = 12500000;
    return values;
}

} // namespace

// The balance dialog: reading and cutting the amount, its refusal, the currency list with
// "他の通貨...", the date range and the numeric pad.
class TestBalEntDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readAmount_data();
    void readAmount();
    void opensWithTheValues();
    void okReturnsCutAmount();
    void unreadableAmountKeepsDialogOpen_data();
    void unreadableAmountKeepsDialogOpen();
    void dateIsLimited();
    void padOpensUnlessManual_data();
    void padOpensUnlessManual();
    void padTypesIntoAmount();
    void otherCurrencyRefusedWhenFull();
    void otherCurrencyAddsThroughDialog();
    void otherCurrencyCancelled();
};

void TestBalEntDlg::readAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<Amount>("amount");
    QTest::newRow("cut to 2 decimals") << "1234.567" << 2 << true << Amount(12345600);
    QTest::newRow("negative cut toward zero") << "-10.9" << 0 << true << Amount(-100000);
    QTest::newRow("expression") << "1000+500" << 0 << true << Amount(15000000);
    QTest::newRow("full-width digits") << QString::fromUtf16(u"１００") << 0 << true << Amount(1000000);
    QTest::newRow("not an amount") << "abc" << 2 << false << Amount(0);
    QTest::newRow("empty") << "" << 2 << false << Amount(0);
    QTest::newRow("30 digits") << QString(30, u'9') << 2 << false << Amount(0);
    QTest::newRow("just too large") << "922337203685478" << 2 << false << Amount(0);
    QTest::newRow("large that fits") << "900000000000000" << 0 << true << Amount(9000000000000000000);
    QTest::newRow("division by zero") << "1/0" << 2 << false << Amount(0);
    QTest::newRow("longer than the edit") << QString(129, u'1').replace(0, 128, QString(128, u'0')) << 2 << false
                                          << Amount(0);
}

void TestBalEntDlg::readAmount()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(bool, ok);
    QFETCH(Amount, amount);
    Amount nResult = 0;
    QCOMPARE(CBalEntDlg::ReadAmount(text, decimals, nResult), ok);
    if (ok)
        QCOMPARE(nResult, amount);
}

void TestBalEntDlg::opensWithTheValues()
{
    CBalanceEntry::SValues values = Start(1);
    values.bAskOnOpen = true;
    CBalEntDlg dlg(YenDollarRupee(), values, true);
    auto* pCurrency = Child<QComboBox>(dlg, "currency");
    QCOMPARE(pCurrency->count(), 4);
    QCOMPARE(pCurrency->itemText(0), QStringLiteral("円"));
    QCOMPARE(pCurrency->itemText(1), QStringLiteral("$"));
    QCOMPARE(pCurrency->itemText(3), QStringLiteral("他の通貨..."));
    QCOMPARE(pCurrency->currentIndex(), 1);
    QCOMPARE(Child<QLineEdit>(dlg, "amount")->text(), QStringLiteral("1250"));
    QCOMPARE(Child<QLineEdit>(dlg, "amount")->maxLength(), 128);
    QCOMPARE(Child<QDateEdit>(dlg, "date")->date(), QDate(2024, 5, 2));
    QVERIFY(Child<QCheckBox>(dlg, "askOnOpen")->isChecked());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("残高の設定"));
}

void TestBalEntDlg::okReturnsCutAmount()
{
    CBalEntDlg dlg(YenDollarRupee(), Start(), true);
    dlg.show();
    Child<QComboBox>(dlg, "currency")->setCurrentIndex(2);
    Child<QLineEdit>(dlg, "amount")->setText(QStringLiteral("-10.9"));
    Child<QDateEdit>(dlg, "date")->setDate(QDate(2024, 6, 30));
    Child<QCheckBox>(dlg, "askOnOpen")->setChecked(true);
    Child<QPushButton>(dlg, "ok")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const CBalanceEntry::SValues values = dlg.Values();
    QCOMPARE(values.nCur, 2);
    QCOMPARE(values.nAmount, Amount(-100000));
    QCOMPARE(values.date, MakeDate(2024, 6, 30));
    QVERIFY(values.bAskOnOpen);
}

void TestBalEntDlg::unreadableAmountKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("30 digits") << QString(30, u'1');
    QTest::newRow("letters") << "abc";
    QTest::newRow("overflowing product") << "99999999999*99999999999";
}

void TestBalEntDlg::unreadableAmountKeepsDialogOpen()
{
    QFETCH(QString, text);
    CRecordingMessageSink sink;
    CBalEntDlg dlg(YenDollarRupee(), Start(), true);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* pAmount = Child<QLineEdit>(dlg, "amount");
    pAmount->setText(text);
    QCOMPARE(pAmount->text(), text);
    Child<QComboBox>(dlg, "currency")->setFocus();
    Child<QPushButton>(dlg, "ok")->click();
    QVERIFY(sink.LastWas(IDS_AMOUNT_INVALID));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::focusWidget(), pAmount);
}

void TestBalEntDlg::dateIsLimited()
{
    CBalanceEntry::SValues values = Start();
    values.date = MakeDate(2070, 1, 1);
    CBalEntDlg dlg(YenDollarRupee(), values, true);
    auto* pDate = Child<QDateEdit>(dlg, "date");
    QCOMPARE(pDate->date(), QDate(2060, 12, 31));
    QCOMPARE(pDate->minimumDate(), QDate(1959, 1, 1));
    QCOMPARE(pDate->maximumDate(), QDate(2060, 12, 31));
    pDate->setDate(QDate(1900, 1, 1));
    QCOMPARE(pDate->date(), QDate(1959, 1, 1));
}

void TestBalEntDlg::padOpensUnlessManual_data()
{
    QTest::addColumn<bool>("manual");
    QTest::newRow("automatic") << false;
    QTest::newRow("manual") << true;
}

void TestBalEntDlg::padOpensUnlessManual()
{
    QFETCH(bool, manual);
    CBalEntDlg dlg(YenDollarRupee(), Start(), manual);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* pButton = Child<QPushButton>(dlg, "pad");
    QCOMPARE(dlg.Pad()->isVisible(), !manual);
    QCOMPARE(pButton->isChecked(), !manual);
    pButton->click();
    QCOMPARE(dlg.Pad()->isVisible(), manual);
    QCOMPARE(pButton->isChecked(), manual);
    if (dlg.Pad()->isVisible()) {
        // The pad keeps its place beside the dialog when the dialog moves.
        const QPoint before = dlg.Pad()->pos();
        dlg.move(dlg.pos() + QPoint(30, 20));
        QTRY_COMPARE(dlg.Pad()->pos(), before + QPoint(30, 20));
    }
}

void TestBalEntDlg::padTypesIntoAmount()
{
    CBalEntDlg dlg(YenDollarRupee(), Start(), false);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* pAmount = Child<QLineEdit>(dlg, "amount");
    pAmount->clear();
    Child<QComboBox>(dlg, "currency")->setFocus();
    for (QChar ch : QStringLiteral("12+3"))
        Q_EMIT dlg.Pad()->PadInput(CNumKeyDlg::PAD_NUMERIC + ch.unicode());
    Q_EMIT dlg.Pad()->PadInput(CNumKeyDlg::PAD_NUMERIC + 8);
    Q_EMIT dlg.Pad()->PadInput(0x10000 + u'9'); // not numeric-pad input
    QCOMPARE(pAmount->text(), QStringLiteral("12+"));
    QCOMPARE(QApplication::focusWidget(), pAmount);
    // A key clicked on the pad arrives the same way.
    dlg.Pad()->Key(CNumKeyDlg::IDC_FIRST_KEY)->click();
    QCOMPARE(pAmount->text(), QStringLiteral("12+7"));
}

void TestBalEntDlg::otherCurrencyRefusedWhenFull()
{
    std::vector<CCurFmt> curs = CNewLedger::Currencies();
    while (curs.size() < 121)
        curs.emplace_back(QStringLiteral("C%1").arg(curs.size()), 2, QString());
    CRecordingMessageSink sink;
    CBalEntDlg dlg(curs, Start(5), true);
    dlg.show();
    auto* pCurrency = Child<QComboBox>(dlg, "currency");
    pCurrency->setCurrentIndex(121);
    Q_EMIT pCurrency->activated(121);
    QVERIFY(sink.LastWas(IDS_TOO_MANY_CURRENCIES));
    QCOMPARE(pCurrency->currentIndex(), 0);
}

void TestBalEntDlg::otherCurrencyAddsThroughDialog()
{
    CBalEntDlg dlg(YenDollarRupee(), Start(), true);
    std::vector<CCurFmt> added;
    dlg.SetAddCurrency([&added](const CCurFmt& cur) {
        added.push_back(cur);
        return true;
    });
    dlg.show();
    QStringList avoided;
    QTimer::singleShot(0, this, [&avoided] {
        auto* pCur = qobject_cast<CCurFmtDlg*>(QApplication::activeModalWidget());
        QVERIFY(pCur);
        // Every symbol of the ledger is avoided.
        pCur->findChild<QLineEdit*>(QStringLiteral("symbol"))->setText(QStringLiteral("$"));
        pCur->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        avoided.append(QString::number(pCur->isVisible()));
        pCur->findChild<QLineEdit*>(QStringLiteral("symbol"))->setText(QStringLiteral("€"));
        pCur->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("EUR"));
        pCur->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    CRecordingMessageSink sink;
    auto* pCurrency = Child<QComboBox>(dlg, "currency");
    pCurrency->setCurrentIndex(3);
    Q_EMIT pCurrency->activated(3);
    QCOMPARE(avoided, QStringList{QStringLiteral("1")});
    QVERIFY(sink.LastWas(IDS_CUR_SYMBOL_DUPLICATE));
    QCOMPARE(added.size(), std::size_t(1));
    QCOMPARE(added[0].m_strSymbol, QStringLiteral("€"));
    QCOMPARE(pCurrency->count(), 5);
    QCOMPARE(pCurrency->currentIndex(), 3);
    QCOMPARE(pCurrency->itemText(3), QStringLiteral("€"));
    QCOMPARE(pCurrency->itemText(4), QStringLiteral("他の通貨..."));
    Child<QLineEdit>(dlg, "amount")->setText(QStringLiteral("2.345"));
    Child<QPushButton>(dlg, "ok")->click();
    QCOMPARE(dlg.Values().nCur, 3);
    QCOMPARE(dlg.Values().nAmount, Amount(23400));
}

void TestBalEntDlg::otherCurrencyCancelled()
{
    CBalEntDlg dlg(YenDollarRupee(), Start(1), true);
    bool bAdded = false;
    dlg.SetAddCurrency([&bAdded](const CCurFmt&) { return bAdded = true; });
    dlg.show();
    QTimer::singleShot(0, this, [] {
        if (QWidget* pModal = QApplication::activeModalWidget())
            pModal->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    });
    auto* pCurrency = Child<QComboBox>(dlg, "currency");
    pCurrency->setCurrentIndex(3);
    Q_EMIT pCurrency->activated(3);
    QVERIFY(!bAdded);
    QCOMPARE(pCurrency->currentIndex(), 0);
    QCOMPARE(pCurrency->count(), 4);
}

QTEST_MAIN(TestBalEntDlg)
#include "tst_balentdlg.moc"
