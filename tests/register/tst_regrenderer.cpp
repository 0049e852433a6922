#include "RegFixture.h"

#include "grid/GridSettings.h"
#include "grid/ScrollHeader.h"
#include "register/CofferView.h"
#include "register/RegCellRenderer.h"
#include "register/RegColumns.h"

#include <QImage>
#include <QPainter>
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
    void rendererDrawsOnAnyPainter_data();
    void rendererDrawsOnAnyPainter();
    void titleFollowsScrollWithoutPainting();

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

void TestRegRenderer::rendererDrawsOnAnyPainter_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("date with its mark") << 4 << 0;
    QTest::newRow("amount in red") << 1 << 2;
    QTest::newRow("balance with its mark") << 1 << 3;
    QTest::newRow("dollar amount") << 3 << 1;
    QTest::newRow("category centred") << 0 << 5;
    QTest::newRow("description cut") << 4 << 6;
}

// The printer and the preview paint on devices of their own: the renderer, given the view's
// style and a cell's rectangle, must draw the same pixels there as in the viewport.
void TestRegRenderer::rendererDrawsOnAnyPainter()
{
    QFETCH(int, row);
    QFETCH(int, col);
    CCofferDoc doc;
    Fill(doc, SmallLedger());
    CCofferView view(doc);
    view.SetColWidth(7, 150);
    view.resize(720, 170);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // The cursor's frame and highlight are the view's own, not the renderer's.
    view.OnActivateView(false);
    const QImage screen = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect rcCell = view.CellToRect(col, row, false);
    QVERIFY(!rcCell.isEmpty());

    QImage paper(rcCell.size(), QImage::Format_RGB32);
    paper.fill(m_settings.GridColor(5));
    {
        QPainter painter(&paper);
        const CRegCellRenderer renderer(view.CellStyle(), &paper);
        renderer.Begin(painter);
        const int nKind = CRegColumns::KindOf(view.Layout()[std::size_t(col)]);
        renderer.DrawCell(painter, QRect(QPoint(0, 0), rcCell.size()), doc, row, nKind, false, false);
    }
    // Inside the grid lines, which the renderer leaves to its caller.
    const QRect rcInside(0, 0, rcCell.width() - 1, rcCell.height() - 1);
    const QImage expected = screen.copy(rcCell).copy(rcInside);
    QCOMPARE(paper.copy(rcInside), expected);
    // Something was drawn at all.
    bool bInk = false;
    for (int y = 0; y < expected.height() && !bInk; ++y)
        for (int x = 0; x < expected.width() && !bInk; ++x)
            bInk = expected.pixelColor(x, y) != m_settings.GridColor(5);
    QVERIFY(bInk);
}

void TestRegRenderer::titleFollowsScrollWithoutPainting()
{
    CCofferDoc doc;
    std::vector<CReceipt> lines;
    for (int nDay = 1; nDay <= 28; ++nDay)
        lines.push_back(Line(MakeDate(2024, 3, nDay), YEN, CAT_FOOD, U(-100), QStringLiteral("x")));
    for (int nDay = 1; nDay <= 28; ++nDay)
        lines.push_back(Line(MakeDate(2024, 4, nDay), YEN, CAT_FOOD, U(-100), QStringLiteral("y")));
    Fill(doc, lines);
    CCofferView view(doc);
    view.resize(600, 200);
    CScrollHeader* pHeader = view.ColumnHeader();
    QVERIFY(pHeader != nullptr);
    // No paint happens in between: the title is the state's, not a side effect of drawing.
    view.ScrollTo(1, 0, 0, true);
    QCOMPARE(pHeader->Title(1), QStringLiteral("2024/ 3"));
    view.ScrollTo(1, 40 * view.GetRowHeight(1), 0, true);
    QCOMPARE(pHeader->Title(1), QStringLiteral("2024/ 4"));
    view.ScrollTo(1, 0, 0, true);
    QCOMPARE(pHeader->Title(1), QStringLiteral("2024/ 3"));
}

QTEST_MAIN(TestRegRenderer)
#include "tst_regrenderer.moc"
