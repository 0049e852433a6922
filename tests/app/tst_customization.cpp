#include "command/CommandIds.h"
#include "app/Customization.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A small catalogue: five commands, the customise command, and three built-in keys.
enum : int { CMD_NEW = 1001, CMD_OPEN = 1002, CMD_FIND = 1003, CMD_CALC = 1004, CMD_HELP = 1005 };

CCustomization Make()
{
    const QHash<int, QList<QKeySequence>> keys = {
        {CMD_NEW, {QKeySequence(QStringLiteral("Ctrl+N"))}},
        {CMD_OPEN, {QKeySequence(QStringLiteral("Ctrl+O"))}},
        {CMD_FIND, {QKeySequence(QStringLiteral("F3"))}},
    };
    return CCustomization({CMD_NEW, CMD_OPEN, 0, CMD_FIND},
                          {CMD_NEW, CMD_OPEN, CMD_FIND, CMD_CALC, CMD_HELP, ID_VIEW_CUSTOMIZE}, keys);
}

QKeySequence Key(const QString& strText)
{
    return QKeySequence::fromString(strText, QKeySequence::PortableText);
}

QString KeyText(const QList<QKeySequence>& keys)
{
    QStringList parts;
    for (const QKeySequence& key : keys)
        parts.append(key.toString(QKeySequence::PortableText));
    return parts.join(QLatin1Char('|'));
}
} // namespace

class TestCustomization : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void defaults();
    void toolBarNames_data();
    void toolBarNames();
    void toolBarNumbers();
    void buttons_data();
    void buttons();
    void keys_data();
    void keys();
    void roundTrip();
    void saveLeavesNothingStale();
    void brokenStore_data();
    void brokenStore();

private:
    QString Store() const { return m_pDir->filePath(QStringLiteral("store.ini")); }
    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestCustomization::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
}

void TestCustomization::cleanup()
{
    m_pDir.reset();
}

void TestCustomization::defaults()
{
    const CCustomization custom = Make();
    QCOMPARE(custom.ToolBars(), QList<int>{CCustomization::STANDARD_TOOLBAR});
    QCOMPARE(custom.ToolBarName(CCustomization::STANDARD_TOOLBAR), QStringLiteral("標準"));
    QCOMPARE(custom.Buttons(CCustomization::STANDARD_TOOLBAR), (QList<int>{CMD_NEW, CMD_OPEN, 0, CMD_FIND}));
    QVERIFY(custom.IsVisible(CCustomization::STANDARD_TOOLBAR));
    QVERIFY(custom.IsStandardToolBarDefault());
    QCOMPARE(custom.Keys(CMD_NEW), QList<QKeySequence>{Key(QStringLiteral("Ctrl+N"))});
    QCOMPARE(custom.CommandForKey(Key(QStringLiteral("F3"))), int(CMD_FIND));
    QVERIFY(custom.IsKeyboardDefault());
    QVERIFY(!custom.TextLabels());
    QVERIFY(custom.MenuShadows());
    QVERIFY(!custom.MenuAnimation());
    // Every bar ends with the customise button already: it cannot be placed again.
    QVERIFY(!custom.CanPlace(ID_VIEW_CUSTOMIZE));
    QVERIFY(custom.IsKnownCommand(ID_VIEW_CUSTOMIZE));
    QVERIFY(!custom.CanPlace(4711));
    // The empty one knows no commands at all.
    QVERIFY(!CCustomization().CanPlace(CMD_NEW));
}

void TestCustomization::toolBarNames_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("check");
    QTest::addColumn<QString>("kept");

    const QStringList none;
    QTest::newRow("plain") << none << QStringLiteral("家計") << int(CCustomization::NAME_OK) << QStringLiteral("家計");
    QTest::newRow("trimmed") << none << QStringLiteral("  月次 ") << int(CCustomization::NAME_OK) << QStringLiteral("月次");
    QTest::newRow("blank") << none << QStringLiteral("   ") << int(CCustomization::NAME_EMPTY) << QString();
    QTest::newRow("empty") << none << QString() << int(CCustomization::NAME_EMPTY) << QString();
    QTest::newRow("the standard bar's name") << none << QStringLiteral("標準") << int(CCustomization::NAME_TAKEN)
                                           << QString();
    QTest::newRow("taken, other case") << QStringList{QStringLiteral("Mine")} << QStringLiteral(" mine ")
                                       << int(CCustomization::NAME_TAKEN) << QString();
    QTest::newRow("longest") << none << QString(CCustomization::MAX_NAME_LENGTH, QLatin1Char('x'))
                             << int(CCustomization::NAME_OK) << QString(CCustomization::MAX_NAME_LENGTH, QLatin1Char('x'));
    QTest::newRow("too long") << none << QString(CCustomization::MAX_NAME_LENGTH + 1, QLatin1Char('x'))
                              << int(CCustomization::NAME_TOO_LONG) << QString();
    QTest::newRow("tab inside") << none << QStringLiteral("a\tb") << int(CCustomization::NAME_INVALID) << QString();
    QTest::newRow("line break inside") << none << QStringLiteral("a\nb") << int(CCustomization::NAME_INVALID) << QString();
}

void TestCustomization::toolBarNames()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QFETCH(int, check);
    QFETCH(QString, kept);
    CCustomization custom = Make();
    for (const QString& strName : existing)
        QVERIFY(custom.AddUserToolBar(strName) != 0);
    QCOMPARE(int(custom.CheckName(name)), check);
    const int nBar = custom.AddUserToolBar(name);
    QCOMPARE(nBar != 0, check == CCustomization::NAME_OK);
    if (nBar != 0)
        QCOMPARE(custom.ToolBarName(nBar), kept);
    // Renaming applies the same rules to an existing bar.
    CCustomization other = Make();
    for (const QString& strName : existing)
        other.AddUserToolBar(strName);
    const int nOwn = other.AddUserToolBar(QStringLiteral("仮"));
    QCOMPARE(other.RenameUserToolBar(nOwn, name), check == CCustomization::NAME_OK);
    QCOMPARE(other.ToolBarName(nOwn), check == CCustomization::NAME_OK ? kept : QStringLiteral("仮"));
}

void TestCustomization::toolBarNumbers()
{
    CCustomization custom = Make();
    for (int i = 0; i < CCustomization::MAX_USER_TOOLBARS; ++i)
        QCOMPARE(custom.AddUserToolBar(QStringLiteral("bar %1").arg(i)), 59432 + i);
    QVERIFY(!custom.CanAddUserToolBar());
    QCOMPARE(custom.AddUserToolBar(QStringLiteral("eleventh")), 0);
    QCOMPARE(custom.ToolBars().size(), 11);

    // Freed numbers are used again, lowest first; the list keeps the order of making.
    QVERIFY(custom.DeleteUserToolBar(59434));
    QVERIFY(custom.DeleteUserToolBar(59432));
    QVERIFY(!custom.DeleteUserToolBar(59432));
    QCOMPARE(custom.AddUserToolBar(QStringLiteral("again")), 59432);
    QCOMPARE(custom.AddUserToolBar(QStringLiteral("and again")), 59434);
    QCOMPARE(custom.ToolBars().last(), 59434);

    // A bar may take its own name in another case; the standard bar stays as it is.
    QVERIFY(custom.RenameUserToolBar(59432, QStringLiteral("AGAIN")));
    QCOMPARE(custom.ToolBarName(59432), QStringLiteral("AGAIN"));
    QVERIFY(!custom.RenameUserToolBar(59432, QStringLiteral("bar 1")));
    QVERIFY(!custom.RenameUserToolBar(CCustomization::STANDARD_TOOLBAR, QStringLiteral("Main")));
    QVERIFY(!custom.DeleteUserToolBar(CCustomization::STANDARD_TOOLBAR));
    QVERIFY(custom.HasToolBar(CCustomization::STANDARD_TOOLBAR));

    custom.SetVisible(59433, false);
    QVERIFY(!custom.IsVisible(59433));
    QVERIFY(!custom.IsVisible(59500));
}

void TestCustomization::buttons_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("first");   // the index, or the bar for "other bar"
    QTest::addColumn<int>("second");  // the command or the target index
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("after");

    const QList<int> start = {CMD_NEW, CMD_OPEN, 0, CMD_FIND};
    QTest::newRow("insert at the front") << "insert" << 0 << int(CMD_CALC) << true
                                         << QList<int>{CMD_CALC, CMD_NEW, CMD_OPEN, 0, CMD_FIND};
    QTest::newRow("insert past the end appends") << "insert" << 99 << int(CMD_CALC) << true
                                                 << QList<int>{CMD_NEW, CMD_OPEN, 0, CMD_FIND, CMD_CALC};
    QTest::newRow("-1 appends") << "insert" << -1 << int(CMD_HELP) << true
                                << QList<int>{CMD_NEW, CMD_OPEN, 0, CMD_FIND, CMD_HELP};
    QTest::newRow("second separator") << "insert" << 1 << 0 << true << QList<int>{CMD_NEW, 0, CMD_OPEN, 0, CMD_FIND};
    QTest::newRow("command already there") << "insert" << 0 << int(CMD_FIND) << false << start;
    QTest::newRow("customise command") << "insert" << 0 << int(ID_VIEW_CUSTOMIZE) << false << start;
    QTest::newRow("unknown command") << "insert" << 0 << 4711 << false << start;
    QTest::newRow("no such bar") << "other bar" << 59432 << int(CMD_CALC) << false << start;
    QTest::newRow("remove the separator") << "remove" << 2 << 0 << true << QList<int>{CMD_NEW, CMD_OPEN, CMD_FIND};
    QTest::newRow("remove past the end") << "remove" << 4 << 0 << false << start;
    QTest::newRow("remove before the start") << "remove" << -1 << 0 << false << start;
    QTest::newRow("move down") << "move" << 0 << 3 << true << QList<int>{CMD_OPEN, 0, CMD_FIND, CMD_NEW};
    QTest::newRow("move up") << "move" << 3 << 1 << true << QList<int>{CMD_NEW, CMD_FIND, CMD_OPEN, 0};
    QTest::newRow("move past the end") << "move" << 3 << 4 << false << start;
    QTest::newRow("move from nowhere") << "move" << -1 << 0 << false << start;
    QTest::newRow("reset") << "reset" << 0 << 0 << true << start;
}

void TestCustomization::buttons()
{
    QFETCH(QString, op);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, ok);
    QFETCH(QList<int>, after);
    const int nBar = CCustomization::STANDARD_TOOLBAR;
    CCustomization custom = Make();
    bool bOk = true;
    if (op == QLatin1String("insert")) {
        bOk = custom.InsertButton(nBar, first, second);
    } else if (op == QLatin1String("other bar")) {
        bOk = custom.InsertButton(first, 0, second);
    } else if (op == QLatin1String("remove")) {
        bOk = custom.RemoveButton(nBar, first);
    } else if (op == QLatin1String("move")) {
        bOk = custom.MoveButton(nBar, first, second);
    } else {
        custom.RemoveButton(nBar, 0);
        custom.InsertButton(nBar, -1, CMD_HELP);
        QVERIFY(!custom.IsStandardToolBarDefault());
        custom.ResetStandardToolBar();
    }
    QCOMPARE(bOk, ok);
    QCOMPARE(custom.Buttons(nBar), after);
    QCOMPARE(custom.IsStandardToolBarDefault(), after == Make().Buttons(nBar));
}

void TestCustomization::keys_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("commandKeys");  // the command's keys afterwards, "|" between them
    QTest::addColumn<QString>("newKeys");      // CMD_NEW's keys afterwards
    QTest::addColumn<int>("owner");            // who runs the key afterwards
    QTest::addColumn<bool>("isDefault");

    QTest::newRow("free key") << "assign" << int(CMD_CALC) << "Ctrl+J" << true << "Ctrl+J" << "Ctrl+N" << int(CMD_CALC)
                              << false;
    QTest::newRow("second key") << "assign" << int(CMD_NEW) << "Ctrl+J" << true << "Ctrl+N|Ctrl+J" << "Ctrl+N|Ctrl+J"
                                << int(CMD_NEW) << false;
    QTest::newRow("taken key moves") << "assign" << int(CMD_CALC) << "Ctrl+N" << true << "Ctrl+N" << "" << int(CMD_CALC)
                                     << false;
    QTest::newRow("own key") << "assign" << int(CMD_NEW) << "Ctrl+N" << true << "Ctrl+N" << "Ctrl+N" << int(CMD_NEW)
                             << true;
    QTest::newRow("chord") << "assign" << int(CMD_HELP) << "Ctrl+K, Ctrl+H" << true << "Ctrl+K, Ctrl+H" << "Ctrl+N"
                           << int(CMD_HELP) << false;
    QTest::newRow("no key") << "assign" << int(CMD_CALC) << "" << false << "" << "Ctrl+N" << 0 << true;
    QTest::newRow("unknown command") << "assign" << 4711 << "Ctrl+N" << false << "" << "Ctrl+N" << int(CMD_NEW) << true;
    QTest::newRow("unknown key name") << "assign" << int(CMD_CALC) << "Ctrl+Bogus" << false << "" << "Ctrl+N" << 0 << true;
    QTest::newRow("full command") << "fill" << int(CMD_CALC) << "Ctrl+N" << false << "F5|F6|F7|F8" << "Ctrl+N"
                                  << int(CMD_NEW) << false;
    QTest::newRow("remove built-in") << "remove" << int(CMD_NEW) << "Ctrl+N" << true << "" << "" << 0 << false;
    QTest::newRow("remove one not held") << "remove" << int(CMD_NEW) << "Ctrl+O" << false << "Ctrl+N" << "Ctrl+N"
                                         << int(CMD_OPEN) << true;
    QTest::newRow("removed back to built-in") << "assign, remove" << int(CMD_NEW) << "Ctrl+J" << true << "Ctrl+N"
                                              << "Ctrl+N" << 0 << true;
    QTest::newRow("reset") << "assign, reset" << int(CMD_CALC) << "Ctrl+N" << true << "" << "Ctrl+N" << int(CMD_NEW)
                           << true;
}

void TestCustomization::keys()
{
    QFETCH(QString, op);
    QFETCH(int, command);
    QFETCH(QString, key);
    QFETCH(bool, ok);
    QFETCH(QString, commandKeys);
    QFETCH(QString, newKeys);
    QFETCH(int, owner);
    QFETCH(bool, isDefault);
    CCustomization custom = Make();
    bool bOk = false;
    if (op == QLatin1String("fill")) {
        for (const char* sz : {"F5", "F6", "F7", "F8"})
            QVERIFY(custom.AssignKey(command, Key(QLatin1String(sz))));
        bOk = custom.AssignKey(command, Key(key));
    } else if (op == QLatin1String("remove")) {
        bOk = custom.RemoveKey(command, Key(key));
    } else {
        bOk = custom.AssignKey(command, Key(key));
        if (op.endsWith(QLatin1String("remove")))
            QVERIFY(custom.RemoveKey(command, Key(key)));
        if (op.endsWith(QLatin1String("reset")))
            custom.ResetKeyboard();
    }
    QCOMPARE(bOk, ok);
    QCOMPARE(KeyText(custom.Keys(command)), commandKeys);
    QCOMPARE(KeyText(custom.Keys(CMD_NEW)), newKeys);
    QCOMPARE(custom.CommandForKey(Key(key)), owner);
    QCOMPARE(custom.IsKeyboardDefault(), isDefault);
    // Whatever happened, no key runs two commands.
    QList<QKeySequence> seen;
    for (int nID : {CMD_NEW, CMD_OPEN, CMD_FIND, CMD_CALC, CMD_HELP}) {
        for (const QKeySequence& k : custom.Keys(nID)) {
            QVERIFY2(!seen.contains(k), qPrintable(k.toString()));
            seen.append(k);
        }
    }
}

void TestCustomization::roundTrip()
{
    CCustomization custom = Make();
    // Texts an INI file must quote: commas, a key named by a comma, Japanese.
    const int nFirst = custom.AddUserToolBar(QStringLiteral("家計, 月次"));
    const int nEmpty = custom.AddUserToolBar(QStringLiteral("空"));
    QVERIFY(custom.InsertButton(nFirst, -1, CMD_CALC));
    QVERIFY(custom.InsertButton(nFirst, -1, 0));
    QVERIFY(custom.InsertButton(nFirst, -1, CMD_NEW));
    custom.SetVisible(nEmpty, false);
    custom.SetVisible(CCustomization::STANDARD_TOOLBAR, false);
    // The standard bar emptied: not the same as never changed.
    while (custom.RemoveButton(CCustomization::STANDARD_TOOLBAR, 0)) {
    }
    QVERIFY(custom.AssignKey(CMD_CALC, Key(QStringLiteral("Ctrl+,"))));
    QVERIFY(custom.AssignKey(CMD_HELP, Key(QStringLiteral("Ctrl+K, Ctrl+H"))));
    QVERIFY(custom.AssignKey(CMD_HELP, Key(QStringLiteral("Ctrl+N"))));
    QVERIFY(custom.RemoveKey(CMD_FIND, Key(QStringLiteral("F3"))));
    custom.SetTextLabels(true);
    custom.SetMenuShadows(false);
    custom.SetMenuAnimation(true);
    {
        QSettings settings(Store(), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Workspace/Customization"));
        custom.Save(settings);
    }
    QSettings settings(Store(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Workspace/Customization"));
    CCustomization loaded = Make();
    loaded.Load(settings);
    QVERIFY(loaded == custom);
    QCOMPARE(loaded.ToolBars(), (QList<int>{CCustomization::STANDARD_TOOLBAR, nFirst, nEmpty}));
    QCOMPARE(loaded.ToolBarName(nFirst), QStringLiteral("家計, 月次"));
    QCOMPARE(loaded.Buttons(nFirst), (QList<int>{CMD_CALC, 0, CMD_NEW}));
    QVERIFY(loaded.Buttons(CCustomization::STANDARD_TOOLBAR).isEmpty());
    QVERIFY(loaded.Keys(CMD_FIND).isEmpty());
    QCOMPARE(loaded.CommandForKey(Key(QStringLiteral("Ctrl+N"))), int(CMD_HELP));
    QCOMPARE(loaded.CommandForKey(Key(QStringLiteral("Ctrl+K, Ctrl+H"))), int(CMD_HELP));
    QCOMPARE(loaded.CommandForKey(Key(QStringLiteral("Ctrl+,"))), int(CMD_CALC));
}

void TestCustomization::saveLeavesNothingStale()
{
    CCustomization custom = Make();
    for (int i = 0; i < 3; ++i)
        custom.AddUserToolBar(QStringLiteral("bar %1").arg(i));
    custom.AssignKey(CMD_CALC, Key(QStringLiteral("Ctrl+J")));
    QSettings settings(Store(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Customization"));
    custom.Save(settings);
    settings.setValue(QStringLiteral("Leftover"), 1);
    // Fewer bars and built-in keys: the old entries must not come back.
    custom.DeleteUserToolBar(59433);
    custom.DeleteUserToolBar(59434);
    custom.ResetKeyboard();
    custom.Save(settings);
    QVERIFY(!settings.contains(QStringLiteral("Leftover")));
    QVERIFY(!settings.contains(QStringLiteral("UserToolBars/2/Id")));
    CCustomization loaded = Make();
    loaded.Load(settings);
    QCOMPARE(loaded.ToolBars(), (QList<int>{CCustomization::STANDARD_TOOLBAR, 59432}));
    QVERIFY(loaded.IsKeyboardDefault());
}

void TestCustomization::brokenStore_data()
{
    QTest::addColumn<QString>("ini");        // the [Customization] section as a hand might have left it
    QTest::addColumn<QList<int>>("standard");
    QTest::addColumn<QList<int>>("bars");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("calcKeys");
    QTest::addColumn<int>("ctrlN");          // who runs Ctrl+N
    QTest::addColumn<bool>("labels");

    const QList<int> standard = {CMD_NEW, CMD_OPEN, 0, CMD_FIND};
    const QList<int> noBars = {CCustomization::STANDARD_TOOLBAR};
    const QStringList none;
    QTest::newRow("nothing stored") << "" << standard << noBars << none << "" << int(CMD_NEW) << false;
    QTest::newRow("bad entries of a bar skipped")
        << "StandardToolBar\\Buttons=1001 x 9999 0 1001 -3 1002 99999999999" << QList<int>{CMD_NEW, 0, CMD_OPEN}
        << noBars << none << "" << int(CMD_NEW) << false;
    QTest::newRow("customise button dropped") << "StandardToolBar\\Buttons=126 1002" << QList<int>{CMD_OPEN} << noBars
                                              << none << "" << int(CMD_NEW) << false;
    QTest::newRow("emptied bar stays empty") << "StandardToolBar\\Buttons=" << QList<int>() << noBars << none << ""
                                             << int(CMD_NEW) << false;
    QTest::newRow("unquoted commas") << "StandardToolBar\\Buttons=1004, 1005" << QList<int>{CMD_CALC, CMD_HELP}
                                     << noBars << none << "" << int(CMD_NEW) << false;
    QTest::newRow("too many buttons") << QString(QStringLiteral("StandardToolBar\\Buttons=") + QStringLiteral("0 ").repeated(500))
                                      << QList<int>(CCustomization::MAX_BUTTONS, 0) << noBars << none << ""
                                      << int(CMD_NEW) << false;
    QTest::newRow("yes is no bool") << "TextLabels=yes" << standard << noBars << none << "" << int(CMD_NEW) << false;
    QTest::newRow("true is") << "TextLabels=true" << standard << noBars << none << "" << int(CMD_NEW) << true;
    QTest::newRow("bars with bad numbers and names")
        << "UserToolBars\\size=7\n"
           "UserToolBars\\1\\Id=59442\nUserToolBars\\1\\Name=out of range\n"
           "UserToolBars\\2\\Id=59433\nUserToolBars\\2\\Name=  good  \nUserToolBars\\2\\Buttons=1004 126 1004\n"
           "UserToolBars\\3\\Id=59433\nUserToolBars\\3\\Name=same number\n"
           "UserToolBars\\4\\Id=59435\nUserToolBars\\4\\Name=GOOD\n"
           "UserToolBars\\5\\Id=59436\nUserToolBars\\5\\Name=\"   \"\n"
           "UserToolBars\\6\\Id=abc\nUserToolBars\\6\\Name=no number\n"
           "UserToolBars\\7\\Id=59432\nUserToolBars\\7\\Name=標準\n"
        << standard << QList<int>{CCustomization::STANDARD_TOOLBAR, 59433} << QStringList{QStringLiteral("good")} << ""
        << int(CMD_NEW) << false;
    QTest::newRow("huge count") << "UserToolBars\\size=2147483647\nUserToolBars\\1\\Id=59440\nUserToolBars\\1\\Name=a"
                                << standard << QList<int>{CCustomization::STANDARD_TOOLBAR, 59440}
                                << QStringList{QStringLiteral("a")} << "" << int(CMD_NEW) << false;
    QTest::newRow("negative count") << "UserToolBars\\size=-4\nUserToolBars\\1\\Id=59440\nUserToolBars\\1\\Name=a"
                                    << standard << noBars << none << "" << int(CMD_NEW) << false;
    QString strMany = QStringLiteral("UserToolBars\\size=12\n");
    QList<int> manyBars = noBars;
    QStringList manyNames;
    for (int i = 1; i <= 12; ++i) {
        // The last two repeat numbers already used.
        const int nBar = 59432 + (i - 1) % 10;
        strMany += QStringLiteral("UserToolBars\\%1\\Id=%2\nUserToolBars\\%1\\Name=b%1\n").arg(i).arg(nBar);
        if (i <= 10) {
            manyBars.append(nBar);
            manyNames.append(QStringLiteral("b%1").arg(i));
        }
    }
    QTest::newRow("more than ten bars") << strMany << standard << manyBars << manyNames << "" << int(CMD_NEW) << false;
    QTest::newRow("keys of an unknown command")
        << "Keyboard\\size=1\nKeyboard\\1\\Command=9999\nKeyboard\\1\\Keys=Ctrl+N" << standard << noBars << none << ""
        << int(CMD_NEW) << false;
    QTest::newRow("bad key texts dropped")
        << "Keyboard\\size=1\nKeyboard\\1\\Command=1004\nKeyboard\\1\\Keys=Ctrl+Bogus\\tCtrl+J\\t\\tCtrl+J\\tShift"
        << standard << noBars << none << "Ctrl+J" << int(CMD_NEW) << false;
    QTest::newRow("stored key wins over a built-in one")
        << "Keyboard\\size=1\nKeyboard\\1\\Command=1004\nKeyboard\\1\\Keys=Ctrl+N" << standard << noBars << none
        << "Ctrl+N" << int(CMD_CALC) << false;
    QTest::newRow("two stored owners: the first in command order")
        << "Keyboard\\size=2\nKeyboard\\1\\Command=1005\nKeyboard\\1\\Keys=Ctrl+N\n"
           "Keyboard\\2\\Command=1004\nKeyboard\\2\\Keys=Ctrl+N\\tCtrl+J"
        << standard << noBars << none << "Ctrl+N|Ctrl+J" << int(CMD_CALC) << false;
    QTest::newRow("a command twice: the first entry")
        << "Keyboard\\size=2\nKeyboard\\1\\Command=1004\nKeyboard\\1\\Keys=F9\n"
           "Keyboard\\2\\Command=1004\nKeyboard\\2\\Keys=F10"
        << standard << noBars << none << "F9" << int(CMD_NEW) << false;
    QTest::newRow("keys as an unquoted list")
        << "Keyboard\\size=1\nKeyboard\\1\\Command=1004\nKeyboard\\1\\Keys=Ctrl+K, Ctrl+J" << standard << noBars << none
        << "" << int(CMD_NEW) << false;
}

void TestCustomization::brokenStore()
{
    QFETCH(QString, ini);
    QFETCH(QList<int>, standard);
    QFETCH(QList<int>, bars);
    QFETCH(QStringList, names);
    QFETCH(QString, calcKeys);
    QFETCH(int, ctrlN);
    QFETCH(bool, labels);
    {
        QFile file(Store());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Customization]\n" + ini.toUtf8() + "\n"));
    }
    QSettings settings(Store(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Customization"));
    CCustomization custom = Make();
    // What was there before the load does not survive it.
    custom.AddUserToolBar(QStringLiteral("before"));
    custom.SetTextLabels(true);
    custom.Load(settings);
    QCOMPARE(custom.Buttons(CCustomization::STANDARD_TOOLBAR), standard);
    QCOMPARE(custom.ToolBars(), bars);
    QStringList loadedNames;
    for (int nBar : custom.ToolBars().mid(1))
        loadedNames.append(custom.ToolBarName(nBar));
    QCOMPARE(loadedNames, names);
    QCOMPARE(KeyText(custom.Keys(CMD_CALC)), calcKeys);
    QCOMPARE(custom.CommandForKey(Key(QStringLiteral("Ctrl+N"))), ctrlN);
    QCOMPARE(custom.TextLabels(), labels);
}

QTEST_GUILESS_MAIN(TestCustomization)
#include "tst_customization.moc"
