#pragma once

#include "app/AppSettings.h"
#include "command/CommandTarget.h"
#include "app/DocTemplate.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class CAutoSave;
class CChildFrame;
class CInstanceServer;
class CLedgerSession;
class CMainFrame;
class QPrinter;
class QSettings;
class QUrl;
class QWidget;

// The one application object: settings, fonts, templates, the main frame,
// the open ledgers, the external programs and the application's commands.
class CCofferApp : public QObject, public CCommandTarget
{
    Q_OBJECT

public:
    CCofferApp();
    ~CCofferApp() override;

    static CCofferApp* Instance() { return s_pInstance; }

    // The start: settings and fonts, templates, main frame, then the file
    // named on the command line, the last ledger, or a new one. Returns false
    // when the program should end. bShow is false for tests.
    bool InitInstance(const QStringList& arguments, bool bShow = true);
    // The writes at exit (after the frame has closed its ledgers).
    void ExitInstance();

    // Reads the settings from a store (the start calls this; tests may).
    void LoadSettings(QSettings& settings);
    CAppSettings& Settings() { return m_settings; }
    const CAppSettings& Settings() const { return m_settings; }

    // The colour of a slot: the stored one, or the built-in default, whose
    // system colours are looked up at the time of the call.
    QColor GetAppColor(int nSlot) const;
    static QColor DefaultAppColor(int nSlot);
    // A stored 0x00BBGGRR value as a colour.
    static QColor ColorFromRef(std::uint32_t nRef);

    std::uint32_t AppStatus() const { return m_settings.m_nAppStatus; }
    int CellGap() const { return m_settings.m_nCellGap; }
    int BarGap() const { return m_settings.m_nBarGap; }
    const QFont& ViewFont() const { return m_fontView; }
    const QFont& SmallViewFont() const { return m_fontSmallView; }
    // The desktop's font for the navigation pane; HasInterfaceFont() is
    // false when the desktop reports none.
    const QFont& InterfaceFont() const { return m_fontInterface; }
    bool HasInterfaceFont() const { return m_bInterfaceFont; }
    // The pad-opening buttons' font and the glyph they show.
    const QFont& SymbolFont() const { return m_fontSymbol; }
    static QString SymbolGlyph() { return QStringLiteral("▶"); }
    // After the style options change face or height: stores them, then
    // makes both view fonts anew.
    void RecreateViewFonts();

    // The first installed Japanese face, a sans face when there is one.
    static QString DefaultViewFace();
    static QString DefaultCalculatorPath();
    static QString DefaultCalendarPath();
    static bool IsExistingFile(const QString& strPath);
    // A stored dialog position, or NO_POSITION when it lies on no screen.
    static QPoint UsablePosition(const QPoint& pt);

    // Starts a program; on failure beeps and shows 4131.
    static bool LaunchProgram(const QString& strPath);
    // The program's help page; empty when it is not installed.
    static QString HelpFile();
    // Shows the page in the desktop's browser; says so when the page is missing or no
    // browser could be started.
    static bool ShowHelp(const QString& strPage);
    static QString NoBrowserMessage();
    // How a page is handed to the desktop; tests put their own in its place.
    static std::function<bool(const QUrl&)>& UrlOpener();
    // The types the open dialog offers.
    static QString OpenFilter();

    const CDocTemplate& Template(int nKind) const;
    CDocTemplate& Template(int nKind);

    CMainFrame* MainFrame() const;
    // The ledger of the window in front; nullptr without one.
    CLedgerSession* ActiveSession() const;
    QList<CLedgerSession*> Sessions() const { return m_sessions; }

    // Document commands.
    CLedgerSession* NewDocument();
    CLedgerSession* OpenDocument(const QString& strPath);
    // A copy kept by the autosave of a program that ended unexpectedly: read
    // from strFile, but it belongs at strPath (empty: untitled, named strTitle)
    // and is not saved there yet.
    CLedgerSession* RestoreDocument(const QString& strFile, const QString& strPath, const QString& strTitle);
    // A window of a kind on a ledger, made from that kind's template.
    CChildFrame* CreateFrame(CLedgerSession& session, int nKind);
    QString NextUntitledTitle();
    // Saves under its own native path, or asks for one (bAskName, a new
    // ledger, or one read from another form). False when not saved.
    bool SaveDocument(CLedgerSession& session, bool bAskName);
    // Before the last window of a modified ledger closes: save, discard or stay.
    bool SaveModified(CLedgerSession& session);
    static bool IsNativePath(const QString& strPath);
    // The path with the extension of the save dialog's chosen type when it has none.
    static QString WithDefaultSuffix(const QString& strPath, const QString& strFilter);
    // Where the autosave keeps its copies. The program uses the per-user data
    // folder; a start without window (tests) has no autosave unless given one.
    void SetRecoveryFolder(const QString& strFolder) { m_strRecoveryFolder = strFolder; }
    CAutoSave* AutoSave() const { return m_pAutoSave.get(); }
    // Where "save as" asks for the file name; tests answer it themselves.
    void SetSavePathPrompt(std::function<QString(const QString& strProposed)> fn) { m_fnAskSavePath = std::move(fn); }
    void AddToRecentFiles(const QString& strPath);
    // The printer the page setup and printing share for the run; it ends with the
    // application, before QApplication does.
    QPrinter& Printer();
    // Where the page setup shows its dialog; tests answer it themselves.
    using PageSetupFn = std::function<void(QPrinter& printer, QWidget* pParent)>;
    void SetPageSetupPrompt(PageSetupFn fn) { m_fnPageSetup = std::move(fn); }

    void ShowAbout();

    // The about box's product line.
    static QString AboutProductLine() { return QStringLiteral("ペニーフォールド  Version 3.00.488"); }

private:
    void AddAppCommands();
    void AddSessionCommands(CLedgerSession& session);
    CLedgerSession* CreateSession();
    void OnSessionClosed(CLedgerSession* pSession);
    std::unique_ptr<QSettings> OpenStore() const;

    static CCofferApp* s_pInstance;

    CAppSettings m_settings;
    QFont m_fontView;
    QFont m_fontSmallView;
    QFont m_fontInterface;
    bool m_bInterfaceFont = false;
    bool m_bViewFonts = false;
    QFont m_fontSymbol;
    std::array<std::unique_ptr<CDocTemplate>, 4> m_templates;
    QPointer<CMainFrame> m_pMainFrame;
    QList<CLedgerSession*> m_sessions;
    int m_nUntitled = 0;
    std::function<QString(const QString&)> m_fnAskSavePath;
    PageSetupFn m_fnPageSetup;
    std::unique_ptr<QPrinter> m_pPrinter;
    CInstanceServer* m_pInstanceServer = nullptr;
    QString m_strRecoveryFolder;
    std::unique_ptr<CAutoSave> m_pAutoSave;
};
