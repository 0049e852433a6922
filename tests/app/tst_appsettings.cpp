#include "app/AppSettings.h"
#include "app/RecentFileList.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestAppSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void firstRunGivesDefaults();
    void layoutVersion_data();
    void layoutVersion();
    void valuesRoundTrip();
    void colorSlot_data();
    void colorSlot();
    void storedSizesAreBounded_data();
    void storedSizesAreBounded();
    void smallFontHeight_data();
    void smallFontHeight();
    void reopenCandidate_data();
    void reopenCandidate();
    void recentListKeepsFourDistinct();
    void recentMenuNames_data();
    void recentMenuNames();
    void recentListSkipsGapsWhenLoading();

private:
    QString IniPath() const { return m_dir.filePath(QStringLiteral("store.ini")); }
    std::unique_ptr<QSettings> Store() const
    {
        return std::make_unique<QSettings>(IniPath(), QSettings::IniFormat);
    }

    QTemporaryDir m_dir;
};

void TestAppSettings::init()
{
    QFile::remove(IniPath());
}

void TestAppSettings::firstRunGivesDefaults()
{
    auto pStore = Store();
    QVERIFY(CAppSettings::CheckLayoutVersion(*pStore));
    QCOMPARE(pStore->value(QStringLiteral("Settings/AppVersion")).toString(), QStringLiteral("3.00.471"));

    CAppSettings settings;
    settings.Load(*pStore, QStringLiteral("IPAGothic"), QStringLiteral("/usr/bin/calc"), QString());
    QCOMPARE(settings.m_nAppStatus, std::uint32_t(AS_OPEN_LAST_FILE));
    QCOMPARE(settings.m_nCellGap, 30);
    QCOMPARE(settings.m_nBarGap, 50);
    QCOMPARE(settings.m_nViewFontHeight, 120);
    QCOMPARE(settings.m_strViewFontFaceName, QStringLiteral("IPAGothic"));
    QCOMPARE(settings.m_strCalcAppPath, QStringLiteral("/usr/bin/calc"));
    QCOMPARE(settings.m_strCalenderAppPath, QString());
    QCOMPARE(settings.m_ptRecEditDlg, QPoint(NO_POSITION, NO_POSITION));
    QCOMPARE(settings.m_ptInputDlg, QPoint(NO_POSITION, NO_POSITION));
    QCOMPARE(settings.m_ptPickListDlg, QPoint(NO_POSITION, NO_POSITION));
    QCOMPARE(settings.m_nPreviewPages, 0);
    QVERIFY(settings.m_pickList.isEmpty());
    QVERIFY(settings.m_recentFiles.IsEmpty());
    for (int i = 0; i < CAppSettings::COLOR_SLOTS; ++i)
        QCOMPARE(settings.ColorSlot(i), CAppSettings::COLOR_DEFAULT);
    // Loading writes nothing.
    QCOMPARE(pStore->allKeys(), QStringList{QStringLiteral("Settings/AppVersion")});
}

void TestAppSettings::layoutVersion_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("discarded");
    QTest::newRow("older release") << QStringLiteral("3.00.470") << true;
    QTest::newRow("other text") << QStringLiteral("3.00.471 ") << true;
    QTest::newRow("same release") << QStringLiteral("3.00.471") << false;
}

void TestAppSettings::layoutVersion()
{
    QFETCH(QString, stored);
    QFETCH(bool, discarded);
    {
        auto pStore = Store();
        pStore->setValue(QStringLiteral("Settings/AppVersion"), stored);
        pStore->setValue(QStringLiteral("Workspace/State"), QByteArray("layout"));
        pStore->setValue(QStringLiteral("Workspace/Bars/Item"), 3);
        pStore->setValue(QStringLiteral("Style/CellGap"), 40);
    }
    auto pStore = Store();
    QCOMPARE(CAppSettings::CheckLayoutVersion(*pStore), discarded);
    QCOMPARE(pStore->contains(QStringLiteral("Workspace/State")), !discarded);
    QCOMPARE(pStore->contains(QStringLiteral("Workspace/Bars/Item")), !discarded);
    QCOMPARE(pStore->value(QStringLiteral("Settings/AppVersion")).toString(), QStringLiteral("3.00.471"));
    QCOMPARE(pStore->value(QStringLiteral("Style/CellGap")).toInt(), 40);
}

void TestAppSettings::valuesRoundTrip()
{
    CAppSettings written;
    written.m_nAppStatus = AS_EXTENDED | AS_COPY_HEADER | 0x8000;
    written.m_strCalcAppPath = QStringLiteral("/opt/電卓");
    written.m_strCalenderAppPath = QStringLiteral("/opt/cal");
    written.m_nViewFontHeight = 110;
    written.m_strViewFontFaceName = QStringLiteral("IPAPGothic");
    written.m_ptRecEditDlg = QPoint(10, -20);
    written.m_ptInputDlg = QPoint(NO_POSITION, NO_POSITION);
    written.m_ptPickListDlg = QPoint(300, 400);
    written.m_nPreviewPages = 2;
    written.m_pickList = {QStringLiteral("円\t食費\t"), QStringLiteral("\t\tコンビニ")};
    written.m_recentFiles.Add(QStringLiteral("/home/u/a.csv"));
    written.m_recentFiles.Add(QStringLiteral("/home/u/家計.ldr"));
    {
        auto pStore = Store();
        written.SaveAtExit(*pStore);
        written.SaveStatus(*pStore);
        written.SaveProgramPaths(*pStore);
        written.SaveViewFont(*pStore);
    }

    auto pStore = Store();
    // The names of the store's layout, as other releases read them.
    QCOMPARE(pStore->value(QStringLiteral("Settings/dlgPosY")).toInt(), -20);
    QCOMPARE(pStore->value(QStringLiteral("Settings/dlgInputPosX")).toInt(), NO_POSITION);
    QCOMPARE(pStore->value(QStringLiteral("PickList/dlgPosX")).toInt(), 300);
    QCOMPARE(pStore->value(QStringLiteral("PickList/Count")).toInt(), 2);
    QCOMPARE(pStore->value(QStringLiteral("PickList/Fmt1")).toString(), QStringLiteral("\t\tコンビニ"));
    QCOMPARE(pStore->value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/home/u/家計.ldr"));
    QCOMPARE(pStore->value(QStringLiteral("Recent File List/File2")).toString(), QStringLiteral("/home/u/a.csv"));
    QVERIFY(!pStore->contains(QStringLiteral("Recent File List/File3")));
    QCOMPARE(pStore->value(QStringLiteral("Settings/PreviewPages")).toInt(), 2);
    QCOMPARE(pStore->value(QStringLiteral("Style/ViewFontFaceName")).toString(), QStringLiteral("IPAPGothic"));

    CAppSettings read;
    read.Load(*pStore, QStringLiteral("unused"), QStringLiteral("unused"), QStringLiteral("unused"));
    QCOMPARE(read.m_nAppStatus, written.m_nAppStatus);
    QCOMPARE(read.m_strCalcAppPath, written.m_strCalcAppPath);
    QCOMPARE(read.m_strCalenderAppPath, written.m_strCalenderAppPath);
    QCOMPARE(read.m_nViewFontHeight, 110);
    QCOMPARE(read.m_strViewFontFaceName, written.m_strViewFontFaceName);
    QCOMPARE(read.m_ptRecEditDlg, written.m_ptRecEditDlg);
    QCOMPARE(read.m_ptInputDlg, written.m_ptInputDlg);
    QCOMPARE(read.m_ptPickListDlg, written.m_ptPickListDlg);
    QCOMPARE(read.m_nPreviewPages, 2);
    QCOMPARE(read.m_pickList, written.m_pickList);
    QCOMPARE(read.m_recentFiles.Files(), written.m_recentFiles.Files());
}

void TestAppSettings::colorSlot_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<quint32>("slot");
    QTest::newRow("absent") << QVariant() << quint32(CAppSettings::COLOR_DEFAULT);
    QTest::newRow("signed all ones") << QVariant(QStringLiteral("-1")) << quint32(CAppSettings::COLOR_DEFAULT);
    QTest::newRow("unsigned all ones") << QVariant(QStringLiteral("4294967295")) << quint32(CAppSettings::COLOR_DEFAULT);
    QTest::newRow("black is a colour") << QVariant(0) << quint32(0);
    QTest::newRow("red as text") << QVariant(QStringLiteral("255")) << quint32(0xFF);
    QTest::newRow("not a number") << QVariant(QStringLiteral("red")) << quint32(CAppSettings::COLOR_DEFAULT);
    QTest::newRow("beyond 32 bits") << QVariant(QStringLiteral("4294967296")) << quint32(CAppSettings::COLOR_DEFAULT);
}

void TestAppSettings::colorSlot()
{
    QFETCH(QVariant, stored);
    QFETCH(quint32, slot);
    {
        auto pStore = Store();
        if (stored.isValid())
            pStore->setValue(QStringLiteral("Style/AppColor7"), stored);
        pStore->setValue(QStringLiteral("Style/AppColor0"), 0x123456);
    }
    auto pStore = Store();
    CAppSettings settings;
    settings.Load(*pStore, QString(), QString(), QString());
    QCOMPARE(settings.ColorSlot(7), slot);
    QCOMPARE(settings.ColorSlot(0), std::uint32_t(0x123456));
    QCOMPARE(settings.ColorSlot(15), CAppSettings::COLOR_DEFAULT);
    QCOMPARE(settings.ColorSlot(-1), CAppSettings::COLOR_DEFAULT);
}

void TestAppSettings::storedSizesAreBounded_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("negative cell gap") << QStringLiteral("Style/CellGap") << QStringLiteral("-5") << 0;
    QTest::newRow("huge cell gap") << QStringLiteral("Style/CellGap") << QStringLiteral("2000000000") << 1000;
    QTest::newRow("zero font height") << QStringLiteral("Style/ViewFontHeight") << QStringLiteral("0") << 10;
    QTest::newRow("pick list count beyond history") << QStringLiteral("PickList/Count") << QStringLiteral("5000") << 10;
    QTest::newRow("negative pick list count") << QStringLiteral("PickList/Count") << QStringLiteral("-3") << 0;
}

void TestAppSettings::storedSizesAreBounded()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);
    {
        auto pStore = Store();
        pStore->setValue(key, stored);
    }
    auto pStore = Store();
    CAppSettings settings;
    settings.Load(*pStore, QString(), QString(), QString());
    if (key == QLatin1String("Style/CellGap"))
        QCOMPARE(settings.m_nCellGap, expected);
    else if (key == QLatin1String("Style/ViewFontHeight"))
        QCOMPARE(settings.m_nViewFontHeight, expected);
    else
        QCOMPARE(int(settings.m_pickList.size()), expected);
}

void TestAppSettings::smallFontHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("small");
    QTest::newRow("floor") << 100 << 90;
    QTest::newRow("three quarters") << 160 << 120;
    QTest::newRow("eleven points") << 110 << 90;
    QTest::newRow("integer division") << 130 << 97;
}

void TestAppSettings::smallFontHeight()
{
    QFETCH(int, height);
    QFETCH(int, small);
    QCOMPARE(CAppSettings::SmallFontHeight(height), small);
}

void TestAppSettings::reopenCandidate_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("candidate");
    QTest::newRow("native after text") << QStringList{"/a.csv", "/b.ldr"} << QStringLiteral("/b.ldr");
    QTest::newRow("text alone") << QStringList{"/a.csv"} << QStringLiteral("/a.csv");
    QTest::newRow("upper case first") << QStringList{"/B.CCR", "/c.ldr"} << QStringLiteral("/B.CCR");
    QTest::newRow("empty list") << QStringList() << QString();
    QTest::newRow("extension only at the end") << QStringList{"/x.ldr.bak", "/y.txt"} << QStringLiteral("/x.ldr.bak");
}

void TestAppSettings::reopenCandidate()
{
    QFETCH(QStringList, files);
    QFETCH(QString, candidate);
    CRecentFileList list;
    for (qsizetype i = files.size() - 1; i >= 0; --i)
        list.Add(files.at(i));
    QCOMPARE(list.Files(), files);
    QCOMPARE(list.ReopenCandidate(), candidate);
}

void TestAppSettings::recentListKeepsFourDistinct()
{
    CRecentFileList list;
    for (const char* sz : {"/1.ldr", "/2.ldr", "/3.ldr", "/4.ldr", "/5.ldr"})
        list.Add(QString::fromLatin1(sz));
    QCOMPARE(list.Files(), (QStringList{"/5.ldr", "/4.ldr", "/3.ldr", "/2.ldr"}));
    list.Add(QStringLiteral("/3.ldr"));
    QCOMPARE(list.Files(), (QStringList{"/3.ldr", "/5.ldr", "/4.ldr", "/2.ldr"}));
    QCOMPARE(list.MenuName(0), QStringLiteral("/3.ldr"));
    QCOMPARE(list.MenuName(9), QString());
    const QString strLong = QStringLiteral("とても長い名前の家計簿ファイルはメニューで短くなります.ldr");
    QCOMPARE(CRecentFileList::ShortenName(strLong).size(), CRecentFileList::MENU_NAME_LENGTH);
    QVERIFY(CRecentFileList::ShortenName(strLong).endsWith(QStringLiteral(".ldr")));
}

void TestAppSettings::recentMenuNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::newRow("home") << "/home/hana/家計簿/2024.ldr" << "~/家計簿/2024.ldr";
    QTest::newRow("outside-home") << "/srv/share/kakei.ldr" << "/srv/share/kakei.ldr";
    QTest::newRow("inner-folders-kept") << "/home/hana/documents/household/accounts/2024/kakei.ldr"
                                        << ".../accounts/2024/kakei.ldr";
    QTest::newRow("long-name-alone") << "/home/hana/とても長い名前の家計簿ファイルはメニューで短くなります.ldr"
                                     << CRecentFileList::ShortenName(
                                            QStringLiteral("とても長い名前の家計簿ファイルはメニューで短くなります.ldr"));
    QTest::newRow("home-lookalike") << "/home/hanako/a.ldr" << "/home/hanako/a.ldr";
}

void TestAppSettings::recentMenuNames()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    const QString strAbbreviated = CRecentFileList::AbbreviatePath(path, QStringLiteral("/home/hana"));
    QCOMPARE(strAbbreviated, shown);
    QVERIFY(strAbbreviated.size() <= CRecentFileList::MENU_NAME_LENGTH);
}

void TestAppSettings::recentListSkipsGapsWhenLoading()
{
    {
        auto pStore = Store();
        pStore->setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/a.ldr"));
        pStore->setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/c.ldr"));
        pStore->setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/a.ldr"));
        pStore->setValue(QStringLiteral("Recent File List/File9"), QStringLiteral("/z.ldr"));
    }
    auto pStore = Store();
    CRecentFileList list;
    list.Load(*pStore);
    QCOMPARE(list.Files(), (QStringList{"/a.ldr", "/c.ldr"}));
    list.Save(*pStore);
    QCOMPARE(pStore->value(QStringLiteral("Recent File List/File2")).toString(), QStringLiteral("/c.ldr"));
    QVERIFY(!pStore->contains(QStringLiteral("Recent File List/File3")));
    QVERIFY(!pStore->contains(QStringLiteral("Recent File List/File4")));
}

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
