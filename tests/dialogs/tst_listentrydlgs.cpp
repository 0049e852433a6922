#include "dialogs/CategoryDlg.h"
#include "dialogs/CurFmtDlg.h"
#include "model/CategoryAttr.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

template <class T>
T* Child(QWidget& dlg, const char* pszName)
{
    return dlg.findChild<T*>(QLatin1String(pszName));
}

} // namespace

// The currency and category entry dialogs: their refusals in order, the dialog staying open
// on the refused field, and what OK returns.
class TestListEntryDlgs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void symbolChecks_data();
    void symbolChecks();
    void currencyDialogStaysOpenOnRefusal();
    void currencyDialogReturnsValues();
    void placementExamples();
    void nameChecks_data();
    void nameChecks();
    void categoryDialogStaysOpenOnRefusal();
    void categoryDialogDefaultsAndFixedAttribute();
};

void TestListEntryDlgs::symbolChecks_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("message");
    QTest::newRow("accepted") << "$" << 0;
    QTest::newRow("accepted, seven characters") << "ABCDEFG" << 0;
    QTest::newRow("accepted, another currency's name") << "USD" << 0;
    QTest::newRow("accepted, yen sign") << "\\" << 0;
    QTest::newRow("accepted, inner space") << "S $" << 0;
    QTest::newRow("empty") << "" << int(IDS_CUR_SYMBOL_EMPTY);
    QTest::newRow("eight characters") << "ABCDEFGH" << int(IDS_CUR_SYMBOL_TOO_LONG);
    QTest::newRow("too long wins over a comma") << "ABC,EFGH" << int(IDS_CUR_SYMBOL_TOO_LONG);
    QTest::newRow("spaces only") << "  " << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("leading digit") << "1$" << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("digit after spaces") << " 5" << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("full-width digit") << QString::fromUtf16(u"１円") << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("comma") << "a,b" << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("tab") << "a\tb" << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("double quote") << "\"" << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("control character") << QStringLiteral("a\x01") << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("line feed") << "a\n" << int(IDS_CUR_SYMBOL_BAD_CHAR);
    QTest::newRow("duplicate") << "€" << int(IDS_CUR_SYMBOL_DUPLICATE);
    QTest::newRow("bad character wins over duplicate") << "1" << int(IDS_CUR_SYMBOL_BAD_CHAR);
}

void TestListEntryDlgs::symbolChecks()
{
    QFETCH(QString, symbol);
    QFETCH(int, message);
    const QStringList avoid{QStringLiteral("€"), QStringLiteral("1")};
    QCOMPARE(CCurFmtDlg::Validate(symbol, avoid), message);
}

void TestListEntryDlgs::currencyDialogStaysOpenOnRefusal()
{
    CRecordingMessageSink sink;
    CCurFmtDlg dlg(CCurFmt(QString(), 2, QString()), {QStringLiteral("$")});
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* pSymbol = Child<QLineEdit>(dlg, "symbol");
    auto* pOK = Child<QPushButton>(dlg, "ok");
    QVERIFY(pSymbol && pOK);
    pSymbol->setText(QStringLiteral("$"));
    Child<QLineEdit>(dlg, "name")->setFocus();
    pOK->click();
    QVERIFY(sink.LastWas(IDS_CUR_SYMBOL_DUPLICATE));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::focusWidget(), pSymbol);
    QCOMPARE(sink.m_boxes.last().nType, unsigned(MB_OK | MB_ICONEXCLAMATION));
    QCOMPARE(CStringTable::Load(IDS_CUR_SYMBOL_BAD_CHAR), QStringLiteral("通貨記号として使用できない文字が含まれています。"));
    pSymbol->setText(QStringLiteral("US,D"));
    pOK->click();
    QVERIFY(sink.LastWas(IDS_CUR_SYMBOL_BAD_CHAR));
    QVERIFY(dlg.isVisible());
}

void TestListEntryDlgs::currencyDialogReturnsValues()
{
    CCurFmt start(QStringLiteral("$"), 2, QStringLiteral("USD"));
    start.m_nSymbolPos = CCurFmt::SYMBOL_AFTER_SPACE;
    CCurFmtDlg dlg(start, {});
    dlg.show();
    QCOMPARE(Child<QComboBox>(dlg, "placement")->currentIndex(), 3);
    Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("米ドル"));
    Child<QComboBox>(dlg, "decimals")->setCurrentIndex(0);
    Child<QComboBox>(dlg, "placement")->setCurrentIndex(1);
    Child<QPushButton>(dlg, "ok")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const CCurFmt cur = dlg.GetCurFmt();
    QCOMPARE(cur.m_strName, QStringLiteral("米ドル"));
    QCOMPARE(cur.m_strSymbol, QStringLiteral("$"));
    QCOMPARE(cur.m_nDecimals, 0);
    QCOMPARE(cur.m_nSymbolPos, int(CCurFmt::SYMBOL_AFTER));
}

void TestListEntryDlgs::placementExamples()
{
    CCurFmtDlg dlg(CCurFmt(QString(), 2, QString()), {});
    auto* pPlacement = Child<QComboBox>(dlg, "placement");
    // A new currency starts with 2 decimals, placement 0 and the bare patterns.
    QCOMPARE(Child<QComboBox>(dlg, "decimals")->currentIndex(), 2);
    QCOMPARE(pPlacement->currentIndex(), 0);
    QCOMPARE(pPlacement->itemText(2), QStringLiteral("? 1.1"));
    pPlacement->setCurrentIndex(2);
    Child<QLineEdit>(dlg, "symbol")->setText(QStringLiteral("$"));
    Child<QComboBox>(dlg, "decimals")->setCurrentIndex(3);
    const QStringList expected{"$1,000.000", "1,000.000$", "$ 1,000.000", "1,000.000 $"};
    for (int n = 0; n < 4; ++n)
        QCOMPARE(pPlacement->itemText(n), expected.at(n));
    QCOMPARE(pPlacement->currentIndex(), 2);
    Child<QComboBox>(dlg, "decimals")->setCurrentIndex(0);
    QCOMPARE(pPlacement->itemText(0), QStringLiteral("$1,000"));
}

void TestListEntryDlgs::nameChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("message");
    QTest::newRow("accepted") << "給与" << 0;
    QTest::newRow("accepted, 31 characters") << QString(31, u'あ') << 0;
    QTest::newRow("empty") << "" << int(IDS_CAT_NAME_EMPTY);
    QTest::newRow("32 characters") << QString(32, u'あ') << int(IDS_CAT_NAME_TOO_LONG);
    QTest::newRow("trailing space") << "給与 " << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("ideographic space") << QString::fromUtf16(u"給\u3000与") << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("comma") << "a,b" << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("full-width comma") << QString::fromUtf16(u"a，b") << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("semicolon") << "a;b" << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("full-width semicolon") << QString::fromUtf16(u"a；b") << int(IDS_CAT_NAME_BAD_CHAR);
    QTest::newRow("duplicate") << "食料" << int(IDS_CAT_NAME_DUPLICATE);
    QTest::newRow("duplicate differs in case") << "Food" << 0;
}

void TestListEntryDlgs::nameChecks()
{
    QFETCH(QString, name);
    QFETCH(int, message);
    QCOMPARE(CCategoryDlg::Validate(name, {QStringLiteral("食料"), QStringLiteral("food")}), message);
}

void TestListEntryDlgs::categoryDialogStaysOpenOnRefusal()
{
    CRecordingMessageSink sink;
    CCategoryDlg dlg(CCategory(ATTR_EXPENSE, QString()), {QStringLiteral("食料")}, true);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* pName = Child<QLineEdit>(dlg, "name");
    QCOMPARE(pName->maxLength(), 31);
    Child<QPushButton>(dlg, "ok")->click();
    QVERIFY(sink.LastWas(IDS_CAT_NAME_EMPTY));
    QVERIFY(dlg.isVisible());
    QCOMPARE(QApplication::focusWidget(), pName);
    pName->setText(QStringLiteral("食料"));
    Child<QPushButton>(dlg, "ok")->click();
    QVERIFY(sink.LastWas(IDS_CAT_NAME_DUPLICATE));
    pName->setText(QStringLiteral("給与"));
    Child<QComboBox>(dlg, "attr")->setCurrentIndex(ATTR_INCOME);
    Child<QPushButton>(dlg, "ok")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.GetCategory(), CCategory(ATTR_INCOME, QStringLiteral("給与")));
}

void TestListEntryDlgs::categoryDialogDefaultsAndFixedAttribute()
{
    CCategoryDlg fresh(CCategory(ATTR_EXPENSE, QString()), {}, true);
    auto* pAttr = Child<QComboBox>(fresh, "attr");
    QCOMPARE(pAttr->count(), int(ATTR_COUNT));
    QCOMPARE(pAttr->currentText(), QStringLiteral("支出"));
    QVERIFY(pAttr->isEnabled());
    CCategoryDlg remark(CCategory(ATTR_REMARK), {}, false);
    QVERIFY(!Child<QComboBox>(remark, "attr")->isEnabled());
    QCOMPARE(Child<QLineEdit>(remark, "name")->text(), QStringLiteral("備考"));
    // A name longer than can be typed, read from a file, is shown whole and refused.
    CRecordingMessageSink sink;
    const QString strLong(40, u'x');
    CCategoryDlg loaded(CCategory(ATTR_EXPENSE, strLong), {}, true);
    loaded.show();
    QCOMPARE(Child<QLineEdit>(loaded, "name")->text(), strLong);
    Child<QPushButton>(loaded, "ok")->click();
    QVERIFY(sink.LastWas(IDS_CAT_NAME_TOO_LONG));
    QVERIFY(loaded.isVisible());
}

QTEST_MAIN(TestListEntryDlgs)
#include "tst_listentrydlgs.moc"
