#include "app/Customization.h"

#include "command/CommandIds.h"

#include <QRegularExpression>
#include <QSettings>

#include <algorithm>

namespace {
const QString kTextLabels = QStringLiteral("TextLabels");
const QString kMenuShadows = QStringLiteral("MenuShadows");
const QString kMenuAnimation = QStringLiteral("MenuAnimation");
const QString kStandardButtons = QStringLiteral("StandardToolBar/Buttons");
const QString kStandardVisible = QStringLiteral("StandardToolBar/Visible");
const QString kUserToolBars = QStringLiteral("UserToolBars");
const QString kKeyboard = QStringLiteral("Keyboard");
const QString kId = QStringLiteral("Id");
const QString kName = QStringLiteral("Name");
const QString kButtons = QStringLiteral("Buttons");
const QString kVisible = QStringLiteral("Visible");
const QString kCommand = QStringLiteral("Command");
const QString kKeys = QStringLiteral("Keys");
// Portable key texts never hold a tab, so it can part them.
const QChar kKeySeparator = QLatin1Char('\t');

// Entries read from an array, valid or not: a huge stored count costs no more than this.
constexpr int kMaxArrayEntries = 256;

// An INI file gives every value as text: only clear yes/no texts count.
bool ReadBool(const QSettings& settings, const QString& strKey, bool bDefault)
{
    const QVariant value = settings.value(strKey);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() != QMetaType::QString)
        return bDefault;
    const QString strText = value.toString().trimmed().toLower();
    if (strText == QLatin1String("true") || strText == QLatin1String("1"))
        return true;
    if (strText == QLatin1String("false") || strText == QLatin1String("0"))
        return false;
    return bDefault;
}

// Unquoted commas make an INI value a list; taken back as one text.
QString ReadText(const QSettings& settings, const QString& strKey)
{
    const QVariant value = settings.value(strKey);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(' '));
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

int ReadInt(const QSettings& settings, const QString& strKey)
{
    bool bOk = false;
    const int n = settings.value(strKey).toString().trimmed().toInt(&bOk);
    return bOk ? n : 0;
}

QString JoinButtons(const QList<int>& buttons)
{
    QStringList parts;
    parts.reserve(buttons.size());
    for (int nID : buttons)
        parts.append(QString::number(nID));
    return parts.join(QLatin1Char(' '));
}

QString JoinKeys(const QList<QKeySequence>& keys)
{
    QStringList parts;
    for (const QKeySequence& key : keys)
        parts.append(key.toString(QKeySequence::PortableText));
    return parts.join(kKeySeparator);
}
} // namespace

CCustomization::CCustomization()
{
    m_standard.nID = STANDARD_TOOLBAR;
    m_standard.strName = StandardToolBarName();
}

CCustomization::CCustomization(const QList<int>& standardButtons, const QList<int>& commands,
                               const QHash<int, QList<QKeySequence>>& defaultKeys)
    : CCustomization()
{
    for (int nID : commands) {
        if (nID != 0 && !m_commands.contains(nID)) {
            m_commands.insert(nID);
            m_commandOrder.append(nID);
        }
    }
    for (auto it = defaultKeys.constBegin(); it != defaultKeys.constEnd(); ++it) {
        QList<QKeySequence> keys;
        for (const QKeySequence& key : it.value()) {
            if (IsUsableKey(key) && !keys.contains(key))
                keys.append(key);
        }
        if (m_commands.contains(it.key()) && !keys.isEmpty())
            m_defaultKeys.insert(it.key(), keys);
    }
    m_standardDefault = CleanButtons(standardButtons);
    m_standard.buttons = m_standardDefault;
}

bool CCustomization::CanPlace(int nID) const
{
    return nID == 0 || (m_commands.contains(nID) && nID != ID_VIEW_CUSTOMIZE);
}

QList<int> CCustomization::ToolBars() const
{
    QList<int> bars{m_standard.nID};
    for (const SBar& bar : m_userBars)
        bars.append(bar.nID);
    return bars;
}

CCustomization::SBar* CCustomization::Bar(int nBar)
{
    return const_cast<SBar*>(std::as_const(*this).Bar(nBar));
}

const CCustomization::SBar* CCustomization::Bar(int nBar) const
{
    if (nBar == STANDARD_TOOLBAR)
        return &m_standard;
    for (const SBar& bar : m_userBars) {
        if (bar.nID == nBar)
            return &bar;
    }
    return nullptr;
}

bool CCustomization::HasToolBar(int nBar) const
{
    return Bar(nBar) != nullptr;
}

QString CCustomization::ToolBarName(int nBar) const
{
    const SBar* pBar = Bar(nBar);
    return pBar ? pBar->strName : QString();
}

QList<int> CCustomization::Buttons(int nBar) const
{
    const SBar* pBar = Bar(nBar);
    return pBar ? pBar->buttons : QList<int>();
}

bool CCustomization::IsVisible(int nBar) const
{
    const SBar* pBar = Bar(nBar);
    return pBar && pBar->bVisible;
}

void CCustomization::SetVisible(int nBar, bool bVisible)
{
    if (SBar* pBar = Bar(nBar))
        pBar->bVisible = bVisible;
}

CCustomization::ENameCheck CCustomization::CheckName(const QString& strName, int nBar) const
{
    const QString strClean = CleanName(strName);
    if (strClean.isEmpty())
        return NAME_EMPTY;
    if (strClean.size() > MAX_NAME_LENGTH)
        return NAME_TOO_LONG;
    // The name is a window title and a menu item: one line of printable text.
    for (QChar c : strClean) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return NAME_INVALID;
    }
    auto same = [&strClean](const QString& strOther) {
        return QString::compare(strClean, strOther, Qt::CaseInsensitive) == 0;
    };
    if (same(m_standard.strName))
        return NAME_TAKEN;
    for (const SBar& bar : m_userBars) {
        if (bar.nID != nBar && same(bar.strName))
            return NAME_TAKEN;
    }
    return NAME_OK;
}

int CCustomization::AddUserToolBar(const QString& strName)
{
    if (!CanAddUserToolBar() || CheckName(strName) != NAME_OK)
        return 0;
    int nID = FIRST_USER_TOOLBAR;
    while (HasToolBar(nID))
        ++nID;
    SBar bar;
    bar.nID = nID;
    bar.strName = CleanName(strName);
    m_userBars.append(bar);
    return nID;
}

bool CCustomization::RenameUserToolBar(int nBar, const QString& strName)
{
    if (!IsUserToolBarId(nBar) || !HasToolBar(nBar) || CheckName(strName, nBar) != NAME_OK)
        return false;
    Bar(nBar)->strName = CleanName(strName);
    return true;
}

bool CCustomization::DeleteUserToolBar(int nBar)
{
    for (qsizetype i = 0; i < m_userBars.size(); ++i) {
        if (m_userBars[i].nID == nBar) {
            m_userBars.removeAt(i);
            return true;
        }
    }
    return false;
}

bool CCustomization::InsertButton(int nBar, int nIndex, int nID)
{
    SBar* pBar = Bar(nBar);
    if (!pBar || !CanPlace(nID) || pBar->buttons.size() >= MAX_BUTTONS)
        return false;
    // One action shows once on a bar: a second copy would only move the first.
    if (nID != 0 && pBar->buttons.contains(nID))
        return false;
    if (nIndex < 0 || nIndex > pBar->buttons.size())
        nIndex = int(pBar->buttons.size());
    pBar->buttons.insert(nIndex, nID);
    return true;
}

bool CCustomization::RemoveButton(int nBar, int nIndex)
{
    SBar* pBar = Bar(nBar);
    if (!pBar || nIndex < 0 || nIndex >= pBar->buttons.size())
        return false;
    pBar->buttons.removeAt(nIndex);
    return true;
}

bool CCustomization::MoveButton(int nBar, int nIndex, int nTo)
{
    SBar* pBar = Bar(nBar);
    if (!pBar || nIndex < 0 || nIndex >= pBar->buttons.size() || nTo < 0 || nTo >= pBar->buttons.size())
        return false;
    pBar->buttons.move(nIndex, nTo);
    return true;
}

void CCustomization::ResetStandardToolBar()
{
    m_standard.buttons = m_standardDefault;
}

QList<int> CCustomization::CleanButtons(const QList<int>& buttons) const
{
    QList<int> clean;
    for (int nID : buttons) {
        if (clean.size() >= MAX_BUTTONS)
            break;
        if (CanPlace(nID) && (nID == 0 || !clean.contains(nID)))
            clean.append(nID);
    }
    return clean;
}

QList<int> CCustomization::ParseButtons(const QString& strButtons) const
{
    QList<int> buttons;
    static const QRegularExpression space(QStringLiteral("\\s+"));
    // A generous slice: entries past it could never make it onto the bar.
    const QStringList parts = strButtons.split(space, Qt::SkipEmptyParts).mid(0, kMaxArrayEntries);
    for (const QString& strPart : parts) {
        bool bOk = false;
        const int nID = strPart.toInt(&bOk);
        if (bOk)
            buttons.append(nID);
    }
    return CleanButtons(buttons);
}

QList<QKeySequence> CCustomization::Keys(int nID) const
{
    const auto it = m_keyOverrides.constFind(nID);
    return it != m_keyOverrides.constEnd() ? *it : m_defaultKeys.value(nID);
}

int CCustomization::CommandForKey(const QKeySequence& key) const
{
    if (key.isEmpty())
        return 0;
    for (int nID : m_commandOrder) {
        if (Keys(nID).contains(key))
            return nID;
    }
    return 0;
}

void CCustomization::SetKeys(int nID, const QList<QKeySequence>& keys)
{
    if (keys == m_defaultKeys.value(nID))
        m_keyOverrides.remove(nID);
    else
        m_keyOverrides.insert(nID, keys);
}

bool CCustomization::AssignKey(int nID, const QKeySequence& key)
{
    if (!m_commands.contains(nID) || !IsUsableKey(key))
        return false;
    QList<QKeySequence> keys = Keys(nID);
    if (keys.contains(key))
        return true;
    if (keys.size() >= MAX_KEYS_PER_COMMAND)
        return false;
    if (const int nOwner = CommandForKey(key)) {
        QList<QKeySequence> ownerKeys = Keys(nOwner);
        ownerKeys.removeAll(key);
        SetKeys(nOwner, ownerKeys);
    }
    keys.append(key);
    SetKeys(nID, keys);
    return true;
}

bool CCustomization::RemoveKey(int nID, const QKeySequence& key)
{
    QList<QKeySequence> keys = Keys(nID);
    if (!keys.removeAll(key))
        return false;
    SetKeys(nID, keys);
    return true;
}

void CCustomization::ResetKeyboard()
{
    m_keyOverrides.clear();
}

bool CCustomization::IsUsableKey(const QKeySequence& key)
{
    if (key.isEmpty())
        return false;
    for (int i = 0; i < key.count(); ++i) {
        switch (int(key[i].key())) {
        case 0:
        case Qt::Key_unknown:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
        case Qt::Key_AltGr:
            return false;
        default:
            break;
        }
    }
    return true;
}

void CCustomization::ResolveKeyClashes()
{
    QList<QKeySequence> taken;
    for (int nID : std::as_const(m_commandOrder)) {
        const auto it = m_keyOverrides.constFind(nID);
        if (it == m_keyOverrides.constEnd())
            continue;
        QList<QKeySequence> keys;
        for (const QKeySequence& key : *it) {
            if (!taken.contains(key) && keys.size() < MAX_KEYS_PER_COMMAND) {
                keys.append(key);
                taken.append(key);
            }
        }
        SetKeys(nID, keys);
    }
    for (int nID : std::as_const(m_commandOrder)) {
        if (m_keyOverrides.contains(nID))
            continue;
        QList<QKeySequence> keys = m_defaultKeys.value(nID);
        const qsizetype nBefore = keys.size();
        keys.erase(std::remove_if(keys.begin(), keys.end(),
                                  [&taken](const QKeySequence& key) { return taken.contains(key); }),
                   keys.end());
        taken += keys;
        if (keys.size() != nBefore)
            m_keyOverrides.insert(nID, keys);
    }
}

void CCustomization::Save(QSettings& settings) const
{
    // The group is this object's alone: nothing of an earlier save may linger.
    settings.remove(QString());
    settings.setValue(kTextLabels, m_bTextLabels);
    settings.setValue(kMenuShadows, m_bMenuShadows);
    settings.setValue(kMenuAnimation, m_bMenuAnimation);
    settings.setValue(kStandardButtons, JoinButtons(m_standard.buttons));
    settings.setValue(kStandardVisible, m_standard.bVisible);

    settings.beginWriteArray(kUserToolBars, int(m_userBars.size()));
    for (int i = 0; i < m_userBars.size(); ++i) {
        const SBar& bar = m_userBars[i];
        settings.setArrayIndex(i);
        settings.setValue(kId, bar.nID);
        settings.setValue(kName, bar.strName);
        settings.setValue(kButtons, JoinButtons(bar.buttons));
        settings.setValue(kVisible, bar.bVisible);
    }
    settings.endArray();

    // In command order, so that the same keys always give the same file.
    QList<int> changed;
    for (int nID : m_commandOrder) {
        if (m_keyOverrides.contains(nID))
            changed.append(nID);
    }
    settings.beginWriteArray(kKeyboard, int(changed.size()));
    for (int i = 0; i < changed.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(kCommand, changed[i]);
        settings.setValue(kKeys, JoinKeys(m_keyOverrides.value(changed[i])));
    }
    settings.endArray();
}

void CCustomization::Load(QSettings& settings)
{
    m_standard.buttons = m_standardDefault;
    m_standard.bVisible = true;
    m_userBars.clear();
    m_keyOverrides.clear();
    m_bTextLabels = ReadBool(settings, kTextLabels, false);
    m_bMenuShadows = ReadBool(settings, kMenuShadows, true);
    m_bMenuAnimation = ReadBool(settings, kMenuAnimation, false);

    // An empty text is a bar the user emptied; no text at all is the built-in bar.
    if (settings.contains(kStandardButtons))
        m_standard.buttons = ParseButtons(ReadText(settings, kStandardButtons));
    m_standard.bVisible = ReadBool(settings, kStandardVisible, true);

    int nCount = std::clamp(settings.beginReadArray(kUserToolBars), 0, kMaxArrayEntries);
    for (int i = 0; i < nCount && CanAddUserToolBar(); ++i) {
        settings.setArrayIndex(i);
        SBar bar;
        bar.nID = ReadInt(settings, kId);
        const QVariant name = settings.value(kName);
        if (!IsUserToolBarId(bar.nID) || HasToolBar(bar.nID) || name.typeId() != QMetaType::QString
            || CheckName(name.toString()) != NAME_OK)
            continue;
        bar.strName = CleanName(name.toString());
        bar.buttons = ParseButtons(ReadText(settings, kButtons));
        bar.bVisible = ReadBool(settings, kVisible, true);
        m_userBars.append(bar);
    }
    settings.endArray();

    nCount = std::clamp(settings.beginReadArray(kKeyboard), 0, kMaxArrayEntries);
    for (int i = 0; i < nCount; ++i) {
        settings.setArrayIndex(i);
        const int nID = ReadInt(settings, kCommand);
        const QVariant keysValue = settings.value(kKeys);
        if (!m_commands.contains(nID) || m_keyOverrides.contains(nID) || keysValue.typeId() != QMetaType::QString)
            continue;
        QList<QKeySequence> keys;
        const QStringList parts = keysValue.toString().split(kKeySeparator, Qt::SkipEmptyParts);
        for (const QString& strKey : parts.mid(0, kMaxArrayEntries)) {
            const QKeySequence key = QKeySequence::fromString(strKey, QKeySequence::PortableText);
            if (IsUsableKey(key) && !keys.contains(key) && keys.size() < MAX_KEYS_PER_COMMAND)
                keys.append(key);
        }
        SetKeys(nID, keys);
    }
    settings.endArray();
    ResolveKeyClashes();
}

bool CCustomization::operator==(const CCustomization& other) const
{
    return m_standard == other.m_standard && m_userBars == other.m_userBars
           && m_keyOverrides == other.m_keyOverrides && m_bTextLabels == other.m_bTextLabels
           && m_bMenuShadows == other.m_bMenuShadows && m_bMenuAnimation == other.m_bMenuAnimation;
}
