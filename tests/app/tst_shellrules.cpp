#include "app/CofferApp.h"
#include "app/CommandLine.h"
#include "app/FrameTitle.h"
#include "app/NaviLayout.h"
#include "app/NaviPeriod.h"
#include "app/NaviSpin.h"

#include <QTest>

class TestShellRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void periodStep_data();
    void periodStep();
    void periodText_data();
    void periodText();
    void calendarDate();
    void spinStepSize_data();
    void spinStepSize();
    void mainTitle_data();
    void mainTitle();
    void frameTitle_data();
    void frameTitle();
    void paneLayout_data();
    void paneLayout();
    void calendarPlacement_data();
    void calendarPlacement();
    void commandLine_data();
    void commandLine();
    void saveSuffix_data();
    void saveSuffix();
    void forwardablePath_data();
    void forwardablePath();
};

void TestShellRules::periodStep_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<PackedDate>("date");
    QTest::addColumn<int>("delta");
    QTest::addColumn<PackedDate>("expected");
    QTest::newRow("up arrow into next year") << 0 << MakeDate(2017, 12, 15) << -1 << MakeDate(2018, 1, 15);
    QTest::newRow("down arrow into previous year") << 0 << MakeDate(2018, 1, 15) << 1 << MakeDate(2017, 12, 15);
    QTest::newRow("year mode") << 1 << MakeDate(2017, 12, 15) << -1 << MakeDate(2018, 12, 15);
    QTest::newRow("twelve at a time") << 0 << MakeDate(2017, 3, 31) << -12 << MakeDate(2018, 3, 31);
    QTest::newRow("from month mode") << 2 << MakeDate(2020, 6, 0) << 1 << MakeDate(2020, 5, 0);
    QTest::newRow("whole year steps from January") << 0 << MakeDate(2020, 0, 0) << 1 << MakeDate(2019, 12, 0);
    QTest::newRow("no date stays") << 0 << MakeDate(0, 0, 0) << -1 << MakeDate(0, 0, 0);
    QTest::newRow("held at the last year") << 1 << MakeDate(9999, 5, 1) << -1 << MakeDate(9999, 5, 1);
}

void TestShellRules::periodStep()
{
    QFETCH(int, mode);
    QFETCH(PackedDate, date);
    QFETCH(int, delta);
    QFETCH(PackedDate, expected);
    QCOMPARE(CNaviPeriod::Step(mode, date, delta), expected);
}

void TestShellRules::periodText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<PackedDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("month") << 0 << MakeDate(2017, 1, 5) << QStringLiteral("2017 年  1 月");
    QTest::newRow("year") << 1 << MakeDate(2017, 12, 5) << QStringLiteral("2017 年");
    QTest::newRow("from a month") << 2 << MakeDate(2017, 12, 0) << QStringLiteral("2017 年 12 月 ～");
    QTest::newRow("serial") << 3 << MakeDate(999, 3, 0) << QStringLiteral(" 999 年  3 月 ～");
    QTest::newRow("no year") << 0 << MakeDate(0, 3, 1) << QString();
}

void TestShellRules::periodText()
{
    QFETCH(int, mode);
    QFETCH(PackedDate, date);
    QFETCH(QString, text);
    QCOMPARE(CNaviPeriod::Text(mode, date), text);
}

void TestShellRules::calendarDate()
{
    QCOMPARE(CNaviPeriod::CalendarDate(MakeDate(2021, 0, 0)), MakeDate(2021, 1, 1));
    QCOMPARE(CNaviPeriod::CalendarDate(MakeDate(2021, 7, 0)), MakeDate(2021, 7, 1));
    QCOMPARE(CNaviPeriod::CalendarDate(MakeDate(2021, 7, 9)), MakeDate(2021, 7, 9));
}

void TestShellRules::spinStepSize_data()
{
    QTest::addColumn<quint32>("held");
    QTest::addColumn<int>("step");
    QTest::newRow("click") << quint32(0) << 1;
    QTest::newRow("just short of three seconds") << quint32(2999) << 1;
    QTest::newRow("three seconds") << quint32(3000) << 12;
}

void TestShellRules::spinStepSize()
{
    QFETCH(quint32, held);
    QFETCH(int, step);
    QCOMPARE(CNaviSpin::StepSize(held), step);
}

void TestShellRules::mainTitle_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("title");
    QTest::newRow("no window") << false << false << false << QStringLiteral("ペニーフォールド");
    QTest::newRow("plain") << true << false << false << QStringLiteral("家計.ldr - ペニーフォールド");
    QTest::newRow("modified") << true << false << true << QStringLiteral("家計.ldr * - ペニーフォールド");
    QTest::newRow("maximised") << true << true << true << QStringLiteral("ペニーフォールド");
}

void TestShellRules::mainTitle()
{
    QFETCH(bool, active);
    QFETCH(bool, maximised);
    QFETCH(bool, modified);
    QFETCH(QString, title);
    QCOMPARE(CFrameTitle::MainTitle(active, maximised, QStringLiteral("家計.ldr"), modified), title);
}

void TestShellRules::frameTitle_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("title");
    QTest::newRow("one window") << false << 1 << 1 << QStringLiteral("Pennyfold1");
    QTest::newRow("second of two") << false << 2 << 2 << QStringLiteral("Pennyfold1:2");
    QTest::newRow("modified first of two") << true << 1 << 2 << QStringLiteral("Pennyfold1 *:1");
}

void TestShellRules::frameTitle()
{
    QFETCH(bool, modified);
    QFETCH(int, window);
    QFETCH(int, count);
    QFETCH(QString, title);
    QCOMPARE(CFrameTitle::GetFrameTitle(QStringLiteral("Pennyfold1"), modified, window, count), title);
}

void TestShellRules::paneLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("buttons");
    QTest::newRow("three periods") << 200 << 3;
    QTest::newRow("four periods, uneven width") << 203 << 4;
}

void TestShellRules::paneLayout()
{
    QFETCH(int, width);
    QFETCH(int, buttons);
    const int nText = 12;
    const CNaviLayout layout = CNaviLayout::Compute(QSize(width, 500), 24, nText, buttons, 16);
    const int nRow = nText * 5 / 3;
    QCOMPARE(layout.m_viewButtons.size(), 4);
    QCOMPARE(layout.m_viewButtons[0], QRect(0, 24, width, nRow));
    QCOMPARE(layout.m_viewButtons[3].bottom() + 1, 24 + 4 * nRow);
    // The period buttons split the width without gaps or overlap.
    QCOMPARE(int(layout.m_periodButtons.size()), buttons);
    int x = 0;
    for (const QRect& rc : layout.m_periodButtons) {
        QCOMPARE(rc.left(), x);
        QCOMPARE(rc.height(), nRow);
        x = rc.right() + 1;
    }
    QCOMPARE(x, width);
    QCOMPARE(layout.m_rcDisplay, QRect(0, 24 + 5 * nRow, width, nRow));
    // Spin: a scroll bar wide, one pixel inside the inset text area's right edge.
    QCOMPARE(layout.m_rcSpin.width(), 16);
    QCOMPARE(layout.m_rcSpin.top(), layout.m_rcDisplay.top() + 2);
    QCOMPARE(layout.m_rcSpin.height(), nRow - 4);
    QCOMPARE(layout.m_rcSpin.right(), width - 2 - 1 - 1);
    QCOMPARE(layout.m_rcText.left(), 2);
    QCOMPARE(layout.m_rcText.right() + 1, layout.m_rcSpin.left());
    QCOMPARE(layout.m_rcTab, QRect(0, 24 + 6 * nRow, width, 500 - 24 - 6 * nRow));
}

void TestShellRules::calendarPlacement_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("calendar");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("wide and tall: top margin as the side margin")
        << QRect(0, 0, 300, 400) << QSize(200, 150) << QRect(50, 50, 200, 150);
    QTest::newRow("short: centred vertically") << QRect(0, 0, 300, 170) << QSize(200, 150) << QRect(50, 10, 200, 150);
    QTest::newRow("narrow: negative side margin, top 0")
        << QRect(0, 20, 180, 400) << QSize(200, 150) << QRect(-10, 20, 200, 150);
}

void TestShellRules::calendarPlacement()
{
    QFETCH(QRect, area);
    QFETCH(QSize, calendar);
    QFETCH(QRect, expected);
    QCOMPARE(CNaviLayout::CalendarRect(area, calendar), expected);
}

void TestShellRules::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QString>("file");
    QTest::newRow("nothing") << QStringList() << false << QString();
    QTest::newRow("a file") << QStringList{"家計.ldr"} << false << QStringLiteral("家計.ldr");
    QTest::newRow("desktop entry") << QStringList{"--forward", "/home/u/a.ccr"} << true << QStringLiteral("/home/u/a.ccr");
    QTest::newRow("unknown option ignored") << QStringList{"--print", "a.ldr"} << false << QStringLiteral("a.ldr");
    QTest::newRow("dash file after end of options") << QStringList{"--", "--forward"} << false << QStringLiteral("--forward");
    QTest::newRow("first file counts") << QStringList{"a.ldr", "b.ldr"} << false << QStringLiteral("a.ldr");
}

void TestShellRules::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, forward);
    QFETCH(QString, file);
    const CCommandLine line = CCommandLine::Parse(arguments);
    QCOMPARE(line.m_bForward, forward);
    QCOMPARE(line.m_strFile, file);
}

void TestShellRules::saveSuffix_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    const QString native = QStringLiteral("ペニーフォールド ファイル (*.ldr *.ccr)");
    QTest::newRow("bare-name-native") << "/home/u/kakei" << native << "/home/u/kakei.ldr";
    QTest::newRow("bare-name-no-filter") << "/home/u/kakei" << QString() << "/home/u/kakei.ldr";
    QTest::newRow("bare-name-csv") << "/home/u/kakei" << "CSV ファイル (*.csv)" << "/home/u/kakei.csv";
    QTest::newRow("bare-name-csd") << "/home/u/kakei" << "CSD ファイル (*.csd)" << "/home/u/kakei.csd";
    QTest::newRow("ccr-kept") << "/home/u/old.ccr" << native << "/home/u/old.ccr";
    QTest::newRow("csv-name-native-filter") << "/home/u/out.csv" << native << "/home/u/out.csv";
    QTest::newRow("dotted-folder") << "/home/u/v1.2/kakei" << native << "/home/u/v1.2/kakei.ldr";
}

void TestShellRules::saveSuffix()
{
    QFETCH(QString, path);
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(CCofferApp::WithDefaultSuffix(path, filter), expected);
}

void TestShellRules::forwardablePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("absolute") << QStringLiteral("/home/u/家計簿.ldr") << true;
    QTest::newRow("relative") << QStringLiteral("家計簿.ldr") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("newline inside") << QStringLiteral("/tmp/a\n/etc/passwd") << false;
    QTest::newRow("escape character") << QStringLiteral("/tmp/\x1b[2Ja") << false;
    QTest::newRow("longest accepted") << (QStringLiteral("/") + QString(CCommandLine::MAX_FORWARD_PATH - 1, QLatin1Char('a')))
                                      << true;
    QTest::newRow("one too long") << (QStringLiteral("/") + QString(CCommandLine::MAX_FORWARD_PATH, QLatin1Char('a')))
                                  << false;
}

void TestShellRules::forwardablePath()
{
    QFETCH(QString, path);
    QFETCH(bool, accepted);
    QCOMPARE(CCommandLine::IsForwardablePath(path), accepted);
}

QTEST_GUILESS_MAIN(TestShellRules)
#include "tst_shellrules.moc"
