// The description column's fit width in a ledger of many distinct texts: only a few are
// shaped, and the width is still that of the widest.
#include "RegFixture.h"

#include "grid/GridSettings.h"
#include "model/ColumnKind.h"
#include "register/CofferView.h"
#include "register/RegColumns.h"

#include <QtTest>

#include <algorithm>

using namespace regfix;

class TestFitWidth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void widestOfManyDistinctTexts_data();
    void widestOfManyDistinctTexts();
};

void TestFitWidth::widestOfManyDistinctTexts_data()
{
    QTest::addColumn<QString>("widest");
    QTest::addColumn<int>("at");

    // Narrow letters in great number, one text of full-width letters as few characters.
    QTest::newRow("full-width text among narrow ones") << QStringLiteral("ＷＷＷＷＷＷＷＷＷＷＷＷ") << 7000;
    QTest::newRow("a yen sign drawn for the backslash") << QStringLiteral("\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\\") << 1;
    QTest::newRow("many texts as wide as the widest") << QStringLiteral("摘要99999 スーパー(99)") << 9999;
}

void TestFitWidth::widestOfManyDistinctTexts()
{
    QFETCH(QString, widest);
    QFETCH(int, at);
    QStringList texts;
    for (int i = 0; i < 10000; ++i)
        texts.append(i == at ? widest : QStringLiteral("摘要%1 スーパー(%2)").arg(i % 9000).arg(i % 13));
    CCofferDoc doc;
    Fill(doc, Named(texts));
    CCofferView view(doc);
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    int nWidest = fm.horizontalAdvance(CRegColumns::ScreenText(CRegColumns::WidthSample(COL_DESCRIPTION)));
    for (const QString& strText : texts)
        nWidest = std::max(nWidest, fm.horizontalAdvance(CRegColumns::ScreenText(strText)));
    const std::vector<int> kinds = view.LayoutKinds();
    const int nDescription = int(std::find(kinds.begin(), kinds.end(), int(COL_DESCRIPTION)) - kinds.begin());
    QCOMPARE(view.GetFitColWidth(nDescription + 1), nWidest + 2 * view.TextInset() + 1);
}

QTEST_MAIN(TestFitWidth)
#include "tst_fitwidth.moc"
