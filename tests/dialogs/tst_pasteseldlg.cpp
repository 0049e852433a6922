#include "dialogs/PasteSelDlg.h"
#include "platform/Clock.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

template <class T>
T* Child(QWidget& dlg, const QString& strName)
{
    return dlg.findChild<T*>(strName);
}

} // namespace

// The paste-method dialog: what each method shows and enables, the date option, the parts.
class TestPasteSelDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { CClock::Reset(); }
    void defaults();
    void methodsShowTheirOptions_data();
    void methodsShowTheirOptions();
    void byDateClearsTheDateTick();
    void changingTheDateTicksIt();
    void returnsParts();
    void withoutTargetLineShowsToday();
};

void TestPasteSelDlg::defaults()
{
    CPasteSelDlg dlg(MakeDate(2024, 3, 5));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("貼り付け方法の指定"));
    QCOMPARE(dlg.Method(), int(CPasteSelDlg::METHOD_AT_CURSOR));
    QVERIFY(!dlg.UseDate());
    QCOMPARE(dlg.Date(), MakeDate(2024, 3, 5));
    QVERIFY(dlg.PartDate() && dlg.PartCurrency() && dlg.PartAmounts() && dlg.PartDesc());
    QCOMPARE(Child<QRadioButton>(dlg, "method3")->text(), QStringLiteral("日付の位置に行を挿入"));
}

void TestPasteSelDlg::methodsShowTheirOptions_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("dateShown");
    QTest::addColumn<bool>("dateEnabled");
    QTest::newRow("at the cursor") << 0 << true << true;
    QTest::newRow("after the cursor") << 1 << true << true;
    QTest::newRow("overwrite") << 2 << false << false;
    QTest::newRow("by date") << 3 << true << false;
}

void TestPasteSelDlg::methodsShowTheirOptions()
{
    QFETCH(int, method);
    QFETCH(bool, dateShown);
    QFETCH(bool, dateEnabled);
    CPasteSelDlg dlg(MakeDate(2024, 3, 5));
    dlg.show();
    Child<QRadioButton>(dlg, QStringLiteral("method%1").arg(method))->click();
    QCOMPARE(dlg.Method(), method);
    QCOMPARE(Child<QCheckBox>(dlg, "useDate")->isVisible(), dateShown);
    QCOMPARE(Child<QDateEdit>(dlg, "date")->isVisible(), dateShown);
    QCOMPARE(Child<QCheckBox>(dlg, "useDate")->isEnabled(), dateEnabled);
    QCOMPARE(Child<QDateEdit>(dlg, "date")->isEnabled(), dateEnabled);
    for (const char* pszPart : {"partDate", "partCurrency", "partAmounts", "partDesc"})
        QCOMPARE(Child<QCheckBox>(dlg, QLatin1String(pszPart))->isVisible(), !dateShown);
}

void TestPasteSelDlg::byDateClearsTheDateTick()
{
    CPasteSelDlg dlg(MakeDate(2024, 3, 5));
    dlg.show();
    auto* pUseDate = Child<QCheckBox>(dlg, "useDate");
    pUseDate->click();
    QVERIFY(dlg.UseDate());
    Child<QRadioButton>(dlg, "method3")->click();
    QVERIFY(!pUseDate->isChecked());
    QVERIFY(!Child<QDateEdit>(dlg, "date")->isEnabled());
    QVERIFY(!dlg.UseDate());
}

void TestPasteSelDlg::changingTheDateTicksIt()
{
    CPasteSelDlg dlg(MakeDate(2024, 3, 5));
    dlg.show();
    Child<QDateEdit>(dlg, "date")->setDate(QDate(2024, 4, 1));
    QVERIFY(dlg.UseDate());
    QCOMPARE(dlg.Date(), MakeDate(2024, 4, 1));
    Child<QRadioButton>(dlg, "method1")->click();
    Child<QPushButton>(dlg, "ok")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.Method(), 1);
    QVERIFY(dlg.UseDate());
}

void TestPasteSelDlg::returnsParts()
{
    CPasteSelDlg dlg(MakeDate(2024, 3, 5));
    dlg.show();
    Child<QRadioButton>(dlg, "method2")->click();
    Child<QCheckBox>(dlg, "partCurrency")->click();
    Child<QCheckBox>(dlg, "partDesc")->click();
    QVERIFY(dlg.PartDate() && !dlg.PartCurrency() && dlg.PartAmounts() && !dlg.PartDesc());
    QVERIFY(!dlg.UseDate());
}

void TestPasteSelDlg::withoutTargetLineShowsToday()
{
    CClock::SetNow(QDateTime(QDate(2024, 7, 8), QTime(3, 0)));
    CPasteSelDlg dlg(0);
    QCOMPARE(dlg.Date(), MakeDate(2024, 7, 7));
}

QTEST_MAIN(TestPasteSelDlg)
#include "tst_pasteseldlg.moc"
