#include "DocFixture.h"

#include "platform/RecordingMessageSink.h"

#include <QRandomGenerator>
#include <QTest>

using namespace fixture;

namespace {

// Follows the row count through the notices as a register would, and counts every notice
// whose positions do not fit.
class CShadowView : public IDocView
{
public:
    explicit CShadowView(int nRows) : m_nRows(nRows) {}

    void OnUpdate(IDocView*, const UpdateHint& hint) override
    {
        const auto check = [this](bool bFits) {
            if (!bFits)
                ++m_nBad;
        };
        std::visit(Overloaded{
                       [&](const SLinesRemoved& h) {
                           check(h.first >= 0 && h.count >= 1 && h.first + h.count <= m_nRows);
                           m_nRows -= h.count;
                       },
                       [&](const SLinesInserted& h) {
                           check(h.first >= 0 && h.count >= 1 && h.first <= m_nRows);
                           m_nRows += h.count;
                       },
                       [&](const SLinesMoved& h) {
                           check(h.source >= 0 && h.count >= 1 && h.source + h.count <= m_nRows && h.target >= 0
                                 && h.target <= m_nRows);
                       },
                       [&](const SLinesReplaced& h) {
                           check(h.first >= 0 && h.count >= 1 && h.first + h.count <= m_nRows);
                       },
                       [&](const SCellsMoved& h) {
                           check(h.first >= 0 && h.count >= 1 && h.first + h.count <= m_nRows && h.sourceFirst >= 0
                                 && h.sourceFirst + h.count <= m_nRows);
                       },
                       [&](const SLinesChanged& h) {
                           check(h.first >= 0 && h.oldCount >= 0 && h.newCount >= 0 && h.first + h.oldCount <= m_nRows);
                           m_nRows += h.newCount - h.oldCount;
                       },
                       [&](const auto&) { ++m_nBad; },
                   },
                   hint);
    }

    int m_nRows;
    int m_nBad = 0;
};

class CRandomLedger
{
public:
    explicit CRandomLedger(quint32 nSeed) : m_random(nSeed) {}

    int Bounded(int nLimit) { return nLimit <= 0 ? 0 : int(m_random.bounded(nLimit)); }

    CReceipt RandomLine()
    {
        static const QStringList descs = {"パン", "牛乳（朝）", "家賃", "ATM；引き出し", "りんご×3", "", "両替"};
        const int nCat = Bounded(17);
        const Amount nAmount = U(Bounded(2001) - 1000);
        CReceipt line = Line(Bounded(10) == 0 ? 0 : MakeDate(2020, 1 + Bounded(12), Bounded(29)), Bounded(3), nCat,
                             nAmount, descs[Bounded(int(descs.size()))]);
        if (Bounded(4) == 0) {
            line.m_nCat2 = CAT_SAVINGS;
            line.m_nAmount2 = NegateAmount(nAmount);
        }
        return line;
    }

    std::vector<CReceipt> RandomLines(int nCount)
    {
        std::vector<CReceipt> lines;
        for (int i = 0; i < nCount; ++i)
            lines.push_back(RandomLine());
        return lines;
    }

    // One random change of the document; false when nothing was pushed.
    bool Step(CCofferDoc& doc)
    {
        const int nLines = doc.GetLineCount();
        const int nRow = Bounded(nLines);
        const int nCount = 1 + Bounded(std::min(3, nLines - nRow));
        static const std::vector<int> kinds = {COL_DATE, COL_CATEGORY, COL_IN, COL_OUT, COL_ACCOUNT, COL_DESCRIPTION};
        switch (Bounded(9)) {
        case 0:
        case 1:
            if (!doc.CanUndo())
                return false;
            doc.Undo();
            return true;
        case 2:
            if (!doc.CanRedo())
                return false;
            doc.Redo();
            return true;
        case 3:
            if (nLines <= 1)
                return false;
            return doc.PushAction(CAction::RemoveRows(CAction::ACT_DELETE_ROWS + Bounded(2), nRow, nCount));
        case 4:
            return doc.PushAction(CAction::InsertRows(CAction::ACT_PASTE_ROWS + Bounded(4), Bounded(nLines + 1),
                                                      RandomLines(1 + Bounded(3))));
        case 5: {
            const int nKind = std::vector<int>{8, 9, 10, 11, 14, 15}[std::size_t(Bounded(6))];
            return doc.PushAction(CAction::ReplaceRows(nKind, nRow, RandomLines(nCount), Bounded(6), 1));
        }
        case 6:
            return doc.MoveRange(CLineRange::WholeRows(nRow, nRow + nCount - 1), {},
                                 Bounded(2) ? CAction::INSERT_AT : CAction::INSERT_AFTER, Bounded(nLines));
        case 7: {
            const int nCol = Bounded(6);
            const int nCols = 1 + Bounded(6 - nCol);
            return doc.MoveRange(CLineRange::Cells(nCol, nRow, nCol + nCols - 1, nRow + nCount - 1), kinds,
                                 Bounded(6 - nCols + 1), Bounded(nLines - nCount + 1));
        }
        default: {
            // A date-ordered paste: insertions at ascending places, one group.
            std::vector<CAction> group;
            int nPos = 0;
            int nSize = nLines;
            for (int i = 0, n = 1 + Bounded(4); i < n; ++i) {
                nPos += Bounded(nSize - nPos + 1);
                group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, nPos, RandomLines(1)));
                ++nSize;
                ++nPos;
            }
            return doc.PushGroup(std::move(group));
        }
        }
    }

private:
    QRandomGenerator m_random;
};

} // namespace

class TestHistoryProperty : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void undoAllRedoAll_data();
    void undoAllRedoAll();

private:
    void CheckInvariants(const CCofferDoc& doc, const CShadowView& view);
};

void TestHistoryProperty::CheckInvariants(const CCofferDoc& doc, const CShadowView& view)
{
    const int nActions = int(doc.GetActions().size());
    QVERIFY(doc.GetActionPos() >= 0 && doc.GetActionPos() <= nActions);
    QVERIFY(doc.GetSavedPos() >= -1 && doc.GetSavedPos() <= nActions);
    QCOMPARE(view.m_nBad, 0);
    QCOMPARE(view.m_nRows, doc.GetLineCount());
    const int nEntries = int(doc.GetExchangeTable().size());
    bool bReversed = false;
    for (const CReceipt& line : doc.Lines()) {
        QVERIFY(line.m_nCur < doc.Currencies().size());
        QVERIFY(line.m_nCat < doc.Categories().size() && line.m_nCat2 < doc.Categories().size());
        QVERIFY(line.m_nExchg >= -1 && line.m_nExchg < nEntries);
        QVERIFY(line.m_nExchg2 >= -1 && line.m_nExchg2 < nEntries);
        bReversed |= (line.m_nFlags & CReceipt::RF_DATE_REVERSED) != 0;
    }
    for (const CExchg& entry : doc.GetExchangeTable()) {
        QVERIFY(entry.m_nLine >= -1 && entry.m_nLine < doc.GetLineCount());
        QVERIFY(entry.m_nNext >= -1 && entry.m_nNext < nEntries);
    }
    QCOMPARE(bool(doc.GetErrors() & CReceipt::RF_DATE_REVERSED), bReversed);
}

void TestHistoryProperty::undoAllRedoAll_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");

    for (quint32 nSeed : {1u, 2u, 3u, 17u, 2024u, 99991u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(nSeed))) << nSeed << 120;
}

void TestHistoryProperty::undoAllRedoAll()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);

    CRecordingMessageSink sink; // cell moves of unfit kinds say so
    CRandomLedger random(seed);
    CCofferDoc doc;
    Fill(doc, random.RandomLines(8));
    const std::vector<CReceipt> initial = doc.Lines();
    CShadowView view(doc.GetLineCount());
    doc.AddView(&view);

    for (int i = 0; i < steps; ++i) {
        random.Step(doc);
        CheckInvariants(doc, view);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("after step %1").arg(i)));
    }
    const std::vector<CReceipt> final = doc.Lines();
    const int nFinalPos = doc.GetActionPos();

    while (doc.CanUndo()) {
        doc.Undo();
        CheckInvariants(doc, view);
    }
    QVERIFY(SameLines(doc.Lines(), initial));
    QVERIFY(!doc.IsModified());
    // Redo up to where the random steps left the history (its redo part may go further).
    while (doc.GetActionPos() < nFinalPos) {
        doc.Redo();
        CheckInvariants(doc, view);
    }
    QVERIFY(SameLines(doc.Lines(), final));
    doc.RemoveView(&view);
}

QTEST_GUILESS_MAIN(TestHistoryProperty)
#include "tst_history_property.moc"
