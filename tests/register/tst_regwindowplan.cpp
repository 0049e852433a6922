#include "register/RegWindowPlan.h"

#include <QStringList>
#include <QTest>

namespace {

using SWindow = CRegWindowPlan::SWindow;
using SResult = CRegWindowPlan::SResult;

constexpr bool kMonth = false;
constexpr bool kAll = true;
constexpr bool kActive = true;
constexpr bool kInactive = false;

SWindow Window(int nFirst, int nCount, bool bWhole, bool bActive, int nTop)
{
    SWindow window;
    window.nFirstLine = nFirst;
    window.nLineCount = nCount;
    window.bWholeLedger = bWhole;
    window.bActive = bActive;
    window.nTopRow = nTop;
    return window;
}

// A plan as one line: "lines FIRST+COUNT top ROW [all] | FOCUS | EDITS", the top row being
// where the view ends up scrolled, "all" a switch to the whole ledger.
QString Describe(const SWindow& window, const SResult& plan)
{
    const int nTop = (plan.scroll.bToRow ? plan.scroll.nRow : window.nTopRow) + plan.scroll.nDelta;
    QString text = QStringLiteral("lines %1+%2 top %3").arg(plan.nFirstLine).arg(plan.nLineCount).arg(nTop);
    if (plan.bSwitchToAll)
        text += QStringLiteral(" all");

    const CRegWindowPlan::SFocus& focus = plan.focus;
    switch (focus.kind) {
    case CRegWindowPlan::SFocus::None:
        text += QStringLiteral(" | none");
        break;
    case CRegWindowPlan::SFocus::Row:
        text += QStringLiteral(" | row %1,%2").arg(focus.nCol).arg(focus.nRow);
        break;
    case CRegWindowPlan::SFocus::Rows:
        text += QStringLiteral(" | rows %1+%2").arg(focus.nRow).arg(focus.nRows);
        break;
    case CRegWindowPlan::SFocus::Cells:
        text += QStringLiteral(" | cells %1,%2 %3x%4").arg(focus.nCol).arg(focus.nRow).arg(focus.nRows).arg(focus.nCols);
        break;
    }

    QStringList edits;
    for (const CRegWindowPlan::SSelEdit& edit : plan.edits) {
        switch (edit.kind) {
        case CRegWindowPlan::SSelEdit::Clear:
            edits.append(QStringLiteral("clear"));
            break;
        case CRegWindowPlan::SSelEdit::Shift:
            edits.append(QStringLiteral("shift %1/%2").arg(edit.nRow).arg(edit.nRowCount));
            break;
        case CRegWindowPlan::SSelEdit::Deleted:
            edits.append(QStringLiteral("deleted %1+%2/%3").arg(edit.nRow).arg(edit.nCount).arg(edit.nRowCount));
            break;
        case CRegWindowPlan::SSelEdit::Clip:
            edits.append(QStringLiteral("clip %1").arg(edit.nRowCount));
            break;
        case CRegWindowPlan::SSelEdit::CursorDown:
            edits.append(QStringLiteral("down %1+%2/%3").arg(edit.nRow).arg(edit.nCount).arg(edit.nRowCount));
            break;
        }
    }
    return text + QStringLiteral(" | ") + edits.join(QLatin1Char(' '));
}

} // namespace

Q_DECLARE_METATYPE(CRegWindowPlan::SWindow)

class TestRegWindowPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void removed_data();
    void removed();
    void inserted_data();
    void inserted();
    void moved_data();
    void moved();
    void replaced_data();
    void replaced();
    void changed_data();
    void changed();
    void rebuild_data();
    void rebuild();
};

// The month shown in most rows: ledger lines 10 to 19.
void TestRegWindowPlan::removed_data()
{
    QTest::addColumn<SWindow>("window");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("ledgerLines");
    QTest::addColumn<QString>("plan");

    QTest::newRow("inside the month, active") << Window(10, 10, kMonth, kActive, 0) << 12 << 2 << false << 28
                                              << "lines 10+8 top 0 | row 0,2 | deleted 2+2/8 clip 8";
    QTest::newRow("above the month, inactive")
        << Window(10, 10, kMonth, kInactive, 0) << 2 << 3 << false << 27 << "lines 7+10 top 0 | none | ";
    QTest::newRow("across the month's start, inactive")
        << Window(10, 10, kMonth, kInactive, 0) << 8 << 4 << false << 26
        << "lines 8+8 top 0 | none | deleted 0+2/8 clip 8";
    QTest::newRow("above the scrolled top") << Window(0, 30, kAll, kActive, 10) << 2 << 3 << false << 27
                                            << "lines 0+27 top 7 | row 0,2 | deleted 2+3/27 clip 27";
    QTest::newRow("across the scrolled top") << Window(0, 30, kAll, kActive, 10) << 8 << 5 << false << 25
                                             << "lines 0+25 top 8 | row 0,8 | deleted 8+5/25 clip 25";
    QTest::newRow("outside the month while active switches")
        << Window(10, 10, kMonth, kActive, 0) << 25 << 1 << false << 29
        << "lines 0+29 top 10 all | row 0,25 | shift 10/29 deleted 25+1/29 clip 29";
    QTest::newRow("a new date reversal switches an inactive month")
        << Window(10, 10, kMonth, kInactive, 0) << 12 << 1 << true << 29
        << "lines 0+29 top 10 all | none | shift 10/29 deleted 12+1/29 clip 29";
    QTest::newRow("a date reversal changes nothing for the whole ledger")
        << Window(0, 30, kAll, kInactive, 0) << 12 << 1 << true << 29
        << "lines 0+29 top 0 | none | deleted 12+1/29 clip 29";
    QTest::newRow("the last line") << Window(0, 1, kAll, kActive, 0) << 0 << 1 << false << 0
                                   << "lines 0+0 top 0 | none | deleted 0+1/0 clip 0";
}

void TestRegWindowPlan::removed()
{
    QFETCH(SWindow, window);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, reversed);
    QFETCH(int, ledgerLines);
    QFETCH(QString, plan);
    QCOMPARE(Describe(window, CRegWindowPlan::Removed(window, SLinesRemoved{first, count, reversed}, ledgerLines)),
             plan);
}

void TestRegWindowPlan::inserted_data()
{
    QTest::addColumn<SWindow>("window");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("ledgerLines");
    QTest::addColumn<QString>("plan");

    QTest::newRow("inside the month, active") << Window(10, 10, kMonth, kActive, 0) << 12 << 2 << false << 32
                                              << "lines 10+12 top 0 | rows 2+2 | down 2+2/12";
    QTest::newRow("at the month's end stays in the month")
        << Window(10, 10, kMonth, kActive, 0) << 20 << 1 << false << 31
        << "lines 10+11 top 0 | rows 10+1 | down 10+1/11";
    QTest::newRow("above the month, inactive")
        << Window(10, 10, kMonth, kInactive, 0) << 3 << 2 << false << 32 << "lines 12+10 top 0 | none | ";
    QTest::newRow("after the month, inactive")
        << Window(10, 10, kMonth, kInactive, 0) << 25 << 1 << false << 31 << "lines 10+10 top 0 | none | ";
    QTest::newRow("outside the month while active switches")
        << Window(10, 10, kMonth, kActive, 0) << 25 << 1 << false << 31
        << "lines 0+31 top 10 all | rows 25+1 | shift 10/31 down 25+1/31";
    QTest::newRow("above the scrolled top") << Window(0, 30, kAll, kActive, 10) << 5 << 2 << false << 32
                                            << "lines 0+32 top 12 | rows 5+2 | down 5+2/32";
    QTest::newRow("a date reversal above the top switches and keeps the lines in view")
        << Window(10, 10, kMonth, kInactive, 3) << 11 << 1 << true << 31
        << "lines 0+31 top 14 all | none | shift 10/31 down 11+1/31";
}

void TestRegWindowPlan::inserted()
{
    QFETCH(SWindow, window);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, reversed);
    QFETCH(int, ledgerLines);
    QFETCH(QString, plan);
    QCOMPARE(Describe(window, CRegWindowPlan::Inserted(window, SLinesInserted{first, count, reversed}, ledgerLines)),
             plan);
}

void TestRegWindowPlan::moved_data()
{
    QTest::addColumn<SWindow>("window");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("ledgerLines");
    QTest::addColumn<QString>("plan");

    QTest::newRow("down inside the ledger") << Window(0, 10, kAll, kActive, 0) << 1 << 2 << 5 << 10
                                            << "lines 0+10 top 0 | rows 3+2 | deleted 1+2/8 clip 8 down 3+2/10";
    QTest::newRow("out of the month while active switches")
        << Window(10, 10, kMonth, kActive, 0) << 12 << 1 << 25 << 30
        << "lines 0+30 top 10 all | rows 24+1 | shift 10/30 deleted 12+1/29 clip 29 down 24+1/30";
    QTest::newRow("up above the scrolled top") << Window(0, 20, kAll, kActive, 10) << 15 << 1 << 2 << 20
                                               << "lines 0+20 top 11 | rows 2+1 | deleted 15+1/19 clip 19 down 2+1/20";
    QTest::newRow("within the month, inactive")
        << Window(10, 10, kMonth, kInactive, 0) << 11 << 2 << 18 << 30
        << "lines 10+10 top 0 | none | deleted 1+2/8 clip 8 down 6+2/10";
}

void TestRegWindowPlan::moved()
{
    QFETCH(SWindow, window);
    QFETCH(int, source);
    QFETCH(int, count);
    QFETCH(int, target);
    QFETCH(int, ledgerLines);
    QFETCH(QString, plan);
    QCOMPARE(Describe(window, CRegWindowPlan::Moved(window, SLinesMoved{source, count, target}, ledgerLines)), plan);
}

void TestRegWindowPlan::replaced_data()
{
    QTest::addColumn<SWindow>("window");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("plan");

    QTest::newRow("one cell") << Window(0, 10, kAll, kActive, 0) << 3 << 1 << 4 << 1 << false
                              << "lines 0+10 top 0 | row 4,3 | ";
    QTest::newRow("a block of cells") << Window(0, 10, kAll, kActive, 0) << 3 << 2 << 2 << 3 << false
                                      << "lines 0+10 top 0 | cells 2,3 2x3 | ";
    QTest::newRow("whole lines") << Window(0, 10, kAll, kActive, 0) << 3 << 2 << -1 << -1 << false
                                 << "lines 0+10 top 0 | rows 3+2 | ";
    QTest::newRow("past the month's end while active switches")
        << Window(10, 10, kMonth, kActive, 0) << 19 << 2 << -1 << -1 << false
        << "lines 0+30 top 10 all | rows 19+2 | shift 10/30";
    QTest::newRow("outside the month, inactive") << Window(10, 10, kMonth, kInactive, 0) << 25 << 1 << 4 << 1 << false
                                                 << "lines 10+10 top 0 | none | ";
    QTest::newRow("a new date reversal switches an inactive month")
        << Window(10, 10, kMonth, kInactive, 2) << 12 << 1 << -1 << -1 << true
        << "lines 0+30 top 12 all | none | shift 10/30";
}

void TestRegWindowPlan::replaced()
{
    QFETCH(SWindow, window);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(int, firstColumn);
    QFETCH(int, columnCount);
    QFETCH(bool, reversed);
    QFETCH(QString, plan);
    QCOMPARE(Describe(window, CRegWindowPlan::Replaced(window, first, count, firstColumn, columnCount, reversed, 30)),
             plan);
}

void TestRegWindowPlan::changed_data()
{
    QTest::addColumn<SWindow>("window");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("oldCount");
    QTest::addColumn<int>("newCount");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("ledgerLines");
    QTest::addColumn<QString>("plan");

    QTest::newRow("a paste spread over the month") << Window(10, 10, kMonth, kActive, 0) << 12 << 3 << 5 << false << 32
                                                   << "lines 10+12 top 0 | rows 2+5 | deleted 2+3/7 clip 7 down 2+5/12";
    QTest::newRow("reaching past the month while active switches")
        << Window(10, 10, kMonth, kActive, 0) << 18 << 4 << 4 << false << 30
        << "lines 0+30 top 10 all | rows 18+4 | shift 10/30 deleted 18+4/26 clip 26 down 18+4/30";
    QTest::newRow("removals only") << Window(0, 20, kAll, kActive, 0) << 5 << 3 << 0 << false << 17
                                   << "lines 0+17 top 0 | row 0,5 | deleted 5+3/17 clip 17";
    QTest::newRow("above the month, inactive") << Window(10, 10, kMonth, kInactive, 0) << 2 << 2 << 5 << false << 33
                                               << "lines 13+10 top 0 | none | ";
    QTest::newRow("insertions at the month's end stay in the month")
        << Window(10, 10, kMonth, kActive, 0) << 20 << 0 << 2 << false << 32
        << "lines 10+12 top 0 | rows 10+2 | down 10+2/12";
    QTest::newRow("a new date reversal switches an inactive month")
        << Window(10, 10, kMonth, kInactive, 0) << 12 << 2 << 3 << true << 31
        << "lines 0+31 top 10 all | none | shift 10/31 deleted 12+2/28 clip 28 down 12+3/31";
    QTest::newRow("nothing left changed") << Window(10, 10, kMonth, kActive, 0) << 12 << 0 << 0 << false << 30
                                          << "lines 10+10 top 0 | none | ";
}

void TestRegWindowPlan::changed()
{
    QFETCH(SWindow, window);
    QFETCH(int, first);
    QFETCH(int, oldCount);
    QFETCH(int, newCount);
    QFETCH(bool, reversed);
    QFETCH(int, ledgerLines);
    QFETCH(QString, plan);
    const SLinesChanged hint{first, oldCount, newCount, reversed};
    QCOMPARE(Describe(window, CRegWindowPlan::Changed(window, hint, ledgerLines)), plan);
}

void TestRegWindowPlan::rebuild_data()
{
    QTest::addColumn<SWindow>("window");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("clear");
    QTest::addColumn<QString>("plan");

    QTest::newRow("a refresh drops the selection") << Window(10, 10, kMonth, kActive, 2) << 12 << 8 << true
                                                   << "lines 12+8 top 0 | none | clear shift -2/8 clip 8";
    QTest::newRow("the whole ledger keeps the shown lines in view") << Window(10, 10, kMonth, kActive, 2) << 0 << 30
                                                                    << false
                                                                    << "lines 0+30 top 12 | none | shift 10/30 clip 30";
}

void TestRegWindowPlan::rebuild()
{
    QFETCH(SWindow, window);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, clear);
    QFETCH(QString, plan);
    QCOMPARE(Describe(window, CRegWindowPlan::Rebuild(window, first, count, clear)), plan);
}

QTEST_GUILESS_MAIN(TestRegWindowPlan)
#include "tst_regwindowplan.moc"
