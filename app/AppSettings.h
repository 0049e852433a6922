#pragma once

#include "command/AppStatus.h"
#include "app/RecentFileList.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class QSettings;

// Every value the application keeps in the settings store, read once at
// start and written back where the store's layout says. Plain data and the
// store access only: no window or font is needed to load or save it.
class CAppSettings
{
public:
    static constexpr int COLOR_SLOTS = 15;
    static constexpr std::uint32_t COLOR_DEFAULT = 0xFFFFFFFFu;
    static constexpr int PICK_LIST_MAX = 10;
    static constexpr int DEFAULT_APP_STATUS = AS_OPEN_LAST_FILE;
    static constexpr int DEFAULT_CELL_GAP = 30;
    static constexpr int DEFAULT_BAR_GAP = 50;
    static constexpr int DEFAULT_VIEW_FONT_HEIGHT = 120;

    // The layout stamp that guards the stored window layout.
    static QString LayoutVersion() { return QStringLiteral("3.00.471"); }

    CAppSettings();

    // Settings\AppVersion check: a stored layout of any other stamp is
    // deleted (the whole Workspace section) and the stamp written. Returns
    // true when the layout was discarded.
    static bool CheckLayoutVersion(QSettings& settings);

    // Reads everything read at start. The defaults of the face and the
    // program paths depend on the machine, so the caller supplies them.
    void Load(QSettings& settings, const QString& strDefaultFace,
              const QString& strDefaultCalcPath, const QString& strDefaultCalendarPath);

    // The writes at exit: dialog positions, the extraction history, the
    // recent-file list and the preview page count.
    void SaveAtExit(QSettings& settings) const;
    // Written by the options sheet.
    void SaveStatus(QSettings& settings) const;
    void SaveProgramPaths(QSettings& settings) const;
    void SaveViewFont(QSettings& settings) const;

    // The stored value of a colour slot (COLOR_DEFAULT: use the built-in one).
    std::uint32_t ColorSlot(int nSlot) const;
    // The small view font's height for a view font height, tenths of a point.
    static int SmallFontHeight(int nViewFontHeight);

    // Store access with the store's rules: a missing or unreadable value
    // yields the default; integers are 32-bit, and a stored text that names
    // an unsigned 32-bit value ("4294967295") reads as its signed twin (-1).
    static int GetProfileInt(QSettings& settings, const QString& strSection,
                             const QString& strValue, int nDefault);
    static QString GetProfileString(QSettings& settings, const QString& strSection,
                                    const QString& strValue, const QString& strDefault);
    static void WriteProfileInt(QSettings& settings, const QString& strSection,
                                const QString& strValue, int nValue);
    static void WriteProfileString(QSettings& settings, const QString& strSection,
                                   const QString& strValue, const QString& strText);

    std::uint32_t m_nAppStatus;
    std::array<std::uint32_t, COLOR_SLOTS> m_colors;
    int m_nCellGap;
    int m_nBarGap;
    int m_nViewFontHeight;
    QString m_strViewFontFaceName;
    QString m_strCalcAppPath;
    QString m_strCalenderAppPath;
    QPoint m_ptRecEditDlg;
    QPoint m_ptInputDlg;
    QPoint m_ptPickListDlg;
    int m_nPreviewPages;
    QStringList m_pickList;
    CRecentFileList m_recentFiles;
};
