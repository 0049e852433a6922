#include "app/AppIcon.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"

#include <QIcon>
#include <QTest>

// Toolbar commands take their pictures from the desktop's icon theme by name; a drawn
// glyph remains only where no themed icon says the same thing.
class TestThemedIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void namedIconExistsInTheTheme_data();
    void namedIconExistsInTheTheme();
};

void TestThemedIcons::initTestCase()
{
    CAppIcon::UseDesktopTheme();
    if (!QIcon::hasThemeIcon(QStringLiteral("edit-undo")))
        QFAIL("no icon theme: scripts/setup.sh installs adwaita-icon-theme");
}

void TestThemedIcons::namedIconExistsInTheTheme_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");

    QTest::newRow("previous year") << int(ID_MOVE_PREV_YEAR) << QStringLiteral("media-seek-backward");
    QTest::newRow("next year") << int(ID_MOVE_NEXT_YEAR) << QStringLiteral("media-seek-forward");
    QTest::newRow("calendar program") << int(ID_TOOL_CALENDAR) << QStringLiteral("x-office-calendar");
    QTest::newRow("customize") << int(ID_VIEW_CUSTOMIZE) << QStringLiteral("preferences-system");
    QTest::newRow("context help") << int(ID_CONTEXT_HELP) << QStringLiteral("help-faq");
    QTest::newRow("first line") << int(ID_MOVE_FIRST) << QStringLiteral("go-first");
    QTest::newRow("print") << int(ID_FILE_PRINT) << QStringLiteral("document-print");
    QTest::newRow("find") << int(ID_EDIT_FIND) << QStringLiteral("edit-find");
}

void TestThemedIcons::namedIconExistsInTheTheme()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QCOMPARE(CCommandTable::Info(id).strIconName, name);
    QVERIFY2(QIcon::hasThemeIcon(name), qPrintable(name));
    QVERIFY(!QIcon::fromTheme(name).pixmap(24, 24).isNull());
}

QTEST_MAIN(TestThemedIcons)
#include "tst_themedicons.moc"
