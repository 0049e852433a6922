#include "RegFixture.h"

#include "grid/GridSettings.h"
#include "register/CofferView.h"

#include <QImage>
#include <QtTest>

using namespace regfix;

namespace {

constexpr int CAT_EXCHANGE = 15;

// A font every build machine has (the setup script installs it), at a pixel size and
// without antialiasing, so that the pixels depend on nothing but the code.
class CFixedSettings : public CGridSettings
{
public:
    QFont ViewFont() const override
    {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPixelSize(13);
        font.setStyleStrategy(QFont::NoAntialias);
        font.setHintingPreference(QFont::PreferFullHinting);
        return font;
    }
    QColor GridColor(int nRole) const override
    {
        switch (nRole) {
        case 5: return QColor(255, 255, 255);
        case 8: return QColor(0, 0, 0);
        case 10: return QColor(192, 192, 192);
        case 13: return QColor(0, 0, 160);
        default: return QColor(128, 128, 128);
        }
    }
    QColor ButtonFace() const override { return QColor(224, 224, 224); }
    QColor ButtonText() const override { return QColor(0, 0, 0); }
    bool SmoothScrolling() const override { return false; }
};

// Every kind of cell the register draws differently: a carry-over whose stated balance
// is wrong (red amounts, a mark), a date out of order (a mark on the date), yen bought
// with dollars, a dollar expense, a description too long for its column.
std::vector<CReceipt> SmallLedger()
{
    return { Line(MakeDate(2024, 3, 1), YEN, CAT_INCOME, U(250000), QStringLiteral("給料")),
             Line(MakeDate(2024, 3, 2), YEN, CAT_CARRY, U(700), QStringLiteral("繰り越し")),
             Line(MakeDate(2024, 3, 4), YEN, CAT_EXCHANGE, U(-15000), QStringLiteral("両替")),
             Line(MakeDate(2024, 3, 4), USD, CAT_EXCHANGE, U(100), QStringLiteral("両替")),
             Line(MakeDate(2024, 3, 3), USD, CAT_FOOD, U(12) + Amount(3400),
                  QStringLiteral("空港の売店でサンドイッチとコーヒーを買った")),
             Line(MakeDate(2024, 3, 9), YEN, CAT_FOOD, U(-980), QStringLiteral("パン")) };
}

QString ReferencePath(const QString& strName)
{
    return QStringLiteral(PENNYFOLD_TEST_DATA "/") + strName;
}

} // namespace

class TestRegRenderer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void viewMatchesReference_data();
    void viewMatchesReference();

private:
    CFixedSettings m_settings;
    CGridSettings* m_pOld = nullptr;
};

void TestRegRenderer::initTestCase()
{
    m_pOld = CGridSettings::Install(&m_settings);
    if (!QFontInfo(m_settings.ViewFont()).family().contains(QStringLiteral("IPAGothic")))
        QSKIP("the IPAGothic font is not installed (scripts/setup.sh installs it)");
}

void TestRegRenderer::cleanupTestCase()
{
    CGridSettings::Install(m_pOld);
}

void TestRegRenderer::viewMatchesReference_data()
{
    QTest::addColumn<bool>("yen");
    QTest::addColumn<QString>("reference");
    QTest::newRow("own currencies") << false << QStringLiteral("regrender_ledger.png");
    QTest::newRow("yen display") << true << QStringLiteral("regrender_yen.png");
}

void TestRegRenderer::viewMatchesReference()
{
    QFETCH(bool, yen);
    QFETCH(QString, reference);
    CCofferDoc doc;
    Fill(doc, SmallLedger());
    QVERIFY(doc.Lines()[1].m_nFlags & CReceipt::RF_BALANCE_MISMATCH);
    QVERIFY(doc.Lines()[4].m_nFlags & CReceipt::RF_DATE_REVERSED);
    CCofferView view(doc);
    QVERIFY(view.SetYenDisplay(yen));
    // The description column narrower than its longest text: that one ends in an ellipsis.
    view.SetColWidth(7, 150);
    view.resize(720, 170);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);

    if (qEnvironmentVariableIsSet("PENNYFOLD_WRITE_REFERENCE")) {
        QVERIFY(image.save(ReferencePath(reference)));
        QSKIP("reference written");
    }
    QImage expected(ReferencePath(reference));
    QVERIFY2(!expected.isNull(), qPrintable(reference));
    expected = expected.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), expected.size());
    int nDiffer = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != expected.pixel(x, y)) {
                if (nDiffer++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    if (nDiffer != 0)
        image.save(QDir::temp().filePath(QStringLiteral("actual_") + reference));
    QVERIFY2(nDiffer == 0, qPrintable(QStringLiteral("%1 pixels differ, the first at (%2, %3); the actual image is in %4")
                                          .arg(nDiffer).arg(first.x()).arg(first.y()).arg(QDir::tempPath())));
}

QTEST_MAIN(TestRegRenderer)
#include "tst_regrenderer.moc"
