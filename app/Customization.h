#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QSet>
#include <QString>

class QSettings;

// What the user made of the frame's bars and keys: the buttons of the
// standard toolbar and of up to ten toolbars of their own, which bars show,
// the text labels and menu options, and the keys of every command where they
// differ from the command table. The frame builds its widgets from it and the
// customise dialog edits a copy of it.
class CCustomization
{
public:
    enum : int {
        STANDARD_TOOLBAR = 59392,
        FIRST_USER_TOOLBAR = 59432,
        MAX_USER_TOOLBARS = 10,
        LAST_USER_TOOLBAR = FIRST_USER_TOOLBAR + MAX_USER_TOOLBARS - 1,
        // Bounds that keep a damaged store from building absurd bars.
        MAX_BUTTONS = 100,
        MAX_NAME_LENGTH = 64,
        MAX_KEYS_PER_COMMAND = 4,
    };

    enum ENameCheck { NAME_OK, NAME_EMPTY, NAME_TOO_LONG, NAME_INVALID, NAME_TAKEN };

    // An empty customisation: no commands are known, so nothing can be placed.
    CCustomization();
    // standardButtons is the built-in order of the standard toolbar (0 a
    // separator); commands are the ones that may go on bars and get keys;
    // defaultKeys are the command table's keys.
    CCustomization(const QList<int>& standardButtons, const QList<int>& commands,
                   const QHash<int, QList<QKeySequence>>& defaultKeys);

    static QString StandardToolBarName() { return QStringLiteral("標準"); }
    static bool IsUserToolBarId(int nBar) { return nBar >= FIRST_USER_TOOLBAR && nBar <= LAST_USER_TOOLBAR; }

    bool IsKnownCommand(int nID) const { return m_commands.contains(nID); }
    // False for the customise command: every bar ends with it already.
    bool CanPlace(int nID) const;

    // The standard toolbar first, then the user's in the order they were made.
    QList<int> ToolBars() const;
    bool HasToolBar(int nBar) const;
    QString ToolBarName(int nBar) const;
    QList<int> Buttons(int nBar) const;
    bool IsVisible(int nBar) const;
    void SetVisible(int nBar, bool bVisible);

    bool CanAddUserToolBar() const { return m_userBars.size() < MAX_USER_TOOLBARS; }
    // The name as it would be kept (trimmed), and whether it may name nBar
    // (0 for a new bar).
    static QString CleanName(const QString& strName) { return strName.trimmed(); }
    ENameCheck CheckName(const QString& strName, int nBar = 0) const;
    // The new bar's number (the lowest free one), or 0 when the name is not
    // usable or all ten exist.
    int AddUserToolBar(const QString& strName);
    bool RenameUserToolBar(int nBar, const QString& strName);
    bool DeleteUserToolBar(int nBar);

    // nID 0 inserts a separator; nIndex -1 or past the end appends. A command
    // is on a bar at most once.
    bool InsertButton(int nBar, int nIndex, int nID);
    bool RemoveButton(int nBar, int nIndex);
    // Moves the button at nIndex to nTo.
    bool MoveButton(int nBar, int nIndex, int nTo);
    void ResetStandardToolBar();
    bool IsStandardToolBarDefault() const { return m_standard.buttons == m_standardDefault; }

    // The keys a command answers to now, and its built-in ones.
    QList<QKeySequence> Keys(int nID) const;
    QList<QKeySequence> DefaultKeys(int nID) const { return m_defaultKeys.value(nID); }
    // The command a key runs, 0 when none.
    int CommandForKey(const QKeySequence& key) const;
    // A key belongs to one command: assigning it takes it from whoever had it.
    bool AssignKey(int nID, const QKeySequence& key);
    bool RemoveKey(int nID, const QKeySequence& key);
    void ResetKeyboard();
    bool IsKeyboardDefault() const { return m_keyOverrides.isEmpty(); }
    static bool IsUsableKey(const QKeySequence& key);

    bool TextLabels() const { return m_bTextLabels; }
    void SetTextLabels(bool b) { m_bTextLabels = b; }
    bool MenuShadows() const { return m_bMenuShadows; }
    void SetMenuShadows(bool b) { m_bMenuShadows = b; }
    bool MenuAnimation() const { return m_bMenuAnimation; }
    void SetMenuAnimation(bool b) { m_bMenuAnimation = b; }

    // Written to and read from the settings' current group. Loading starts
    // from the defaults and takes over only what is sound: a damaged value
    // leaves its default in place.
    void Save(QSettings& settings) const;
    void Load(QSettings& settings);

    bool operator==(const CCustomization& other) const;
    bool operator!=(const CCustomization& other) const { return !(*this == other); }

private:
    struct SBar
    {
        int nID = 0;
        QString strName;
        QList<int> buttons;
        bool bVisible = true;
        bool operator==(const SBar& other) const = default;
    };

    SBar* Bar(int nBar);
    const SBar* Bar(int nBar) const;
    QList<int> CleanButtons(const QList<int>& buttons) const;
    QList<int> ParseButtons(const QString& strButtons) const;
    // Makes every key belong to one command; keys the user set win over built-in ones.
    void ResolveKeyClashes();
    void SetKeys(int nID, const QList<QKeySequence>& keys);

    QList<int> m_standardDefault;
    QList<int> m_commandOrder;
    QSet<int> m_commands;
    QHash<int, QList<QKeySequence>> m_defaultKeys;

    SBar m_standard;
    QList<SBar> m_userBars;
    // Only the commands whose keys differ from their built-in ones.
    QHash<int, QList<QKeySequence>> m_keyOverrides;
    bool m_bTextLabels = false;
    bool m_bMenuShadows = true;
    bool m_bMenuAnimation = false;
};
