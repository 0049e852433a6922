#include "app/CofferApp.h"
#include "command/CommandIds.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The page setup keeps its choices for the run of one application, and no
// printer outlives the application that made it.
class TestPrintSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void pageSetupChangesTheApplicationsPrinter();
    void aNewApplicationStartsWithAFreshPrinter();

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScopedSettingsFile> m_pStore;
};

void TestPrintSetup::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pStore = std::make_unique<CScopedSettingsFile>(m_pDir->filePath(QStringLiteral("store.ini")));
}

void TestPrintSetup::cleanup()
{
    m_pStore.reset();
    m_pDir.reset();
}

void TestPrintSetup::pageSetupChangesTheApplicationsPrinter()
{
    CCofferApp app;
    QPrinter* pGiven = nullptr;
    app.SetPageSetupPrompt([&](QPrinter& printer, QWidget*) {
        pGiven = &printer;
        printer.setPageOrientation(QPageLayout::Landscape);
    });
    QVERIFY(app.ExecuteCommand(ID_FILE_PRINT_SETUP));
    QCOMPARE(pGiven, &app.Printer());
    QCOMPARE(app.Printer().pageLayout().orientation(), QPageLayout::Landscape);
}

void TestPrintSetup::aNewApplicationStartsWithAFreshPrinter()
{
    {
        CCofferApp first;
        first.SetPageSetupPrompt([](QPrinter& printer, QWidget*) { printer.setPageOrientation(QPageLayout::Landscape); });
        QVERIFY(first.ExecuteCommand(ID_FILE_PRINT_SETUP));
    }
    CCofferApp second;
    QPageLayout::Orientation seen = QPageLayout::Landscape;
    second.SetPageSetupPrompt([&](QPrinter& printer, QWidget*) { seen = printer.pageLayout().orientation(); });
    QVERIFY(second.ExecuteCommand(ID_FILE_PRINT_SETUP));
    QCOMPARE(seen, QPageLayout::Portrait);
}

QTEST_MAIN(TestPrintSetup)
#include "tst_printsetup.moc"
