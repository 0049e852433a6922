#include "app/CofferApp.h"

#include "app/AboutDlg.h"
#include "app/AutoSave.h"
#include "app/ChildFrame.h"
#include "command/CommandIds.h"
#include "app/CommandLine.h"
#include "app/InstanceServer.h"
#include "app/ListPropSheet.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "command/NaviTarget.h"
#include "app/PasswordCommand.h"
#include "dialogs/BalEntDlg.h"
#include "model/BalanceEntry.h"
#include "register/CofferView.h"
#include "register/RecEditDlg.h"
#include "summary/GraphView.h"
#include "summary/SumView.h"
#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "grid/PrintJob.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPageSetupDialog>
#include <QPalette>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <clocale>

CCofferApp* CCofferApp::s_pInstance = nullptr;

namespace {
constexpr int kMaxProgramPath = 4096;

QString FindProgram(const QStringList& names)
{
    const QStringList dirs = {QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin")};
    for (const QString& strDir : dirs) {
        for (const QString& strName : names) {
            const QString strPath = strDir + QLatin1Char('/') + strName;
            if (strPath.size() <= kMaxProgramPath && CCofferApp::IsExistingFile(strPath))
                return strPath;
        }
    }
    return QString();
}
} // namespace

CCofferApp::CCofferApp()
{
    s_pInstance = this;
    m_templates[VIEW_REGISTER] = std::make_unique<CDocTemplate>(
        VIEW_REGISTER, [](CLedgerSession& session, QWidget* pParent) -> QWidget* {
            return new CCofferView(session.Document(), pParent);
        });
    m_templates[VIEW_SUMMARY] = std::make_unique<CDocTemplate>(
        VIEW_SUMMARY, [this](CLedgerSession& session, QWidget* pParent) -> QWidget* {
            // A second summary window of the ledger (the new-window command) starts as the one in front.
            CSumView* pSource = nullptr;
            if (const CChildFrame* pActive = m_pMainFrame ? m_pMainFrame->ActiveChildFrame() : nullptr;
                pActive != nullptr && pActive->Session() == &session)
                pSource = dynamic_cast<CSumView*>(pActive->View());
            return new CSumView(session.Document(), pParent, pSource);
        });
    m_templates[VIEW_GRAPH] = std::make_unique<CDocTemplate>(
        VIEW_GRAPH, [this](CLedgerSession& session, QWidget* pParent) -> QWidget* {
            // A second graph window of the ledger (the new-window command) starts as the one in front.
            CGraphView* pSource = nullptr;
            if (const CChildFrame* pActive = m_pMainFrame ? m_pMainFrame->ActiveChildFrame() : nullptr;
                pActive != nullptr && pActive->Session() == &session)
                pSource = dynamic_cast<CGraphView*>(pActive->View());
            return new CGraphView(session.Document(), pParent, pSource);
        });
    m_templates[VIEW_MEMO] = std::make_unique<CDocTemplate>(
        VIEW_MEMO, CDocTemplate::ViewFactory(),
        QStringLiteral("メモのビューはまだ作られていないため、使えません"));
    m_fontView = m_fontSmallView = m_fontInterface = m_fontSymbol = QApplication::font();
    CCofferView::SetColorProvider([this](int nSlot) { return GetAppColor(nSlot); });
    CCofferView::SetAppStatusProvider([this] { return AppStatus(); });
    CGraphView::SetBarGapProvider([this] { return BarGap(); });
    AddAppCommands();
}

CCofferApp::~CCofferApp()
{
    // Gone first, so the windows closing below do not drop copies that an end
    // without ExitInstance must leave for the next start.
    m_pAutoSave.reset();
    CCofferView::SetColorProvider(nullptr);
    CCofferView::SetAppStatusProvider(nullptr);
    CGraphView::SetBarGapProvider(nullptr);
    delete m_pMainFrame.data();
    qDeleteAll(m_sessions);
    m_sessions.clear();
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

CLedgerSession* CCofferApp::ActiveSession() const
{
    const CChildFrame* pFrame = m_pMainFrame ? m_pMainFrame->ActiveChildFrame() : nullptr;
    return pFrame != nullptr ? pFrame->Session() : nullptr;
}

CMainFrame* CCofferApp::MainFrame() const
{
    return m_pMainFrame.data();
}

std::unique_ptr<QSettings> CCofferApp::OpenStore() const
{
    return CSettingsStore::Open();
}

void CCofferApp::LoadSettings(QSettings& settings)
{
    m_settings.Load(settings, DefaultViewFace(), DefaultCalculatorPath(), DefaultCalendarPath());
    // The views print on the printer the page set-up changes, while the application lives.
    CPrintJob::SetPrinterProvider([]() -> QPrinter* { return s_pInstance ? &s_pInstance->Printer() : nullptr; });
    CPrintJob::SetPreviewPages(m_settings.m_nPreviewPages);
    // A place on a screen that is gone is forgotten: the dialog centres on its owner.
    CRecEditDlg::SetLastPosition(UsablePosition(m_settings.m_ptRecEditDlg));

    // Nothing is written here: no view font exists yet.
    m_bViewFonts = false;
    RecreateViewFonts();

    const QFont desktop = QApplication::font();
    m_bInterfaceFont = !desktop.family().isEmpty();
    m_fontInterface = desktop;
    m_fontSymbol = desktop;
    m_fontSymbol.setPointSizeF(10.5);
}

bool CCofferApp::InitInstance(const QStringList& arguments, bool bShow)
{
    // Japanese collation and character classes for the C library; where the
    // locale is not installed the inherited one stays.
    std::setlocale(LC_ALL, "ja_JP.UTF-8");

    {
        const std::unique_ptr<QSettings> pStore = OpenStore();
        CAppSettings::CheckLayoutVersion(*pStore);
        LoadSettings(*pStore);
    }

    m_pMainFrame = new CMainFrame(*this);
    {
        const std::unique_ptr<QSettings> pStore = OpenStore();
        m_pMainFrame->LoadLayout(*pStore);
    }

    if (bShow) {
        m_pInstanceServer = new CInstanceServer(this);
        connect(m_pInstanceServer, &CInstanceServer::OpenRequested, this, [this](const QString& strPath) {
            OpenDocument(strPath);
            m_pMainFrame->BringToFront();
        });
        connect(m_pInstanceServer, &CInstanceServer::ActivateRequested, this,
                [this] { m_pMainFrame->BringToFront(); });
        m_pInstanceServer->Listen();
    }

    if (m_strRecoveryFolder.isEmpty() && bShow) {
        const QString strData = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        if (!strData.isEmpty())
            m_strRecoveryFolder = strData + QStringLiteral("/recovery");
    }
    int nRestored = 0;
    if (!m_strRecoveryFolder.isEmpty()) {
        m_pAutoSave = std::make_unique<CAutoSave>(*this, m_strRecoveryFolder);
        nRestored = m_pAutoSave->RestoreLeftovers();
    }

    const CCommandLine line = CCommandLine::Parse(arguments);
    const QString strCandidate = m_settings.m_recentFiles.ReopenCandidate();
    // Restored ledgers make a new empty one as pointless as a last file does.
    const bool bSuppressNew = line.m_strFile.isEmpty() && (!strCandidate.isEmpty() || nRestored > 0);
    if (!line.m_strFile.isEmpty()) {
        if (!OpenDocument(line.m_strFile))
            return false;
    } else if (!bSuppressNew) {
        if (!NewDocument())
            return false;
    }

    if (bShow)
        m_pMainFrame->show();

    if (bSuppressNew && !strCandidate.isEmpty() && (m_settings.m_nAppStatus & AS_OPEN_LAST_FILE))
        OpenDocument(strCandidate);
    m_pMainFrame->OnIdle();
    return true;
}

void CCofferApp::ExitInstance()
{
    if (m_pAutoSave)
        m_pAutoSave->Finish();
    const QPoint ptRecEdit = CRecEditDlg::LastPosition();
    if (ptRecEdit.x() != NO_POSITION && ptRecEdit.y() != NO_POSITION)
        m_settings.m_ptRecEditDlg = ptRecEdit;
    const std::unique_ptr<QSettings> pStore = OpenStore();
    m_settings.SaveAtExit(*pStore);
    pStore->sync();
}

QColor CCofferApp::ColorFromRef(std::uint32_t nRef)
{
    return QColor(int(nRef & 0xFF), int((nRef >> 8) & 0xFF), int((nRef >> 16) & 0xFF));
}

QColor CCofferApp::DefaultAppColor(int nSlot)
{
    const QPalette palette = QApplication::palette();
    switch (nSlot) {
    case 0: return palette.color(QPalette::Active, QPalette::Base);
    case 1: return palette.color(QPalette::Active, QPalette::Text);
    case 2: return palette.color(QPalette::Active, QPalette::Highlight);
    case 3: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 4: return palette.color(QPalette::Disabled, QPalette::Text);
    case 5:
    case 6: return ColorFromRef(0x0000FF);
    case 7: return ColorFromRef(0xC0C0FF);
    case 8: return ColorFromRef(0x7F7F7F);
    case 9: return ColorFromRef(0xFFFF80);
    case 10: return ColorFromRef(0xFF00FF);
    case 11: return ColorFromRef(0x7F0000);
    case 12: return ColorFromRef(0x7F007F);
    case 13: return ColorFromRef(0x007F00);
    case 14: return ColorFromRef(0xC0C0C0);
    default: return palette.color(QPalette::Active, QPalette::Text);
    }
}

QColor CCofferApp::GetAppColor(int nSlot) const
{
    const std::uint32_t nValue = m_settings.ColorSlot(nSlot);
    if (nValue == CAppSettings::COLOR_DEFAULT)
        return DefaultAppColor(nSlot);
    return ColorFromRef(nValue);
}

void CCofferApp::RecreateViewFonts()
{
    if (m_bViewFonts) {
        const std::unique_ptr<QSettings> pStore = OpenStore();
        m_settings.SaveViewFont(*pStore);
    }
    m_fontView = QFont(m_settings.m_strViewFontFaceName);
    m_fontView.setPointSizeF(m_settings.m_nViewFontHeight / 10.0);
    m_fontSmallView = QFont(m_settings.m_strViewFontFaceName);
    m_fontSmallView.setPointSizeF(CAppSettings::SmallFontHeight(m_settings.m_nViewFontHeight) / 10.0);
    m_bViewFonts = true;
}

QString CCofferApp::DefaultViewFace()
{
    QStringList faces = QFontDatabase::families(QFontDatabase::Japanese);
    faces.removeIf([](const QString& s) { return s.startsWith(QLatin1Char('@')); });
    for (const QString& strFace : faces) {
        if (strFace.contains(QLatin1String("Gothic"), Qt::CaseInsensitive)
            || strFace.contains(QStringLiteral("ゴシック")) || strFace.contains(QLatin1String("Sans")))
            return strFace;
    }
    return faces.isEmpty() ? QApplication::font().family() : faces.first();
}

QString CCofferApp::DefaultCalculatorPath()
{
    return FindProgram({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
                        QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")});
}

QString CCofferApp::DefaultCalendarPath()
{
    return FindProgram({QStringLiteral("gnome-calendar"), QStringLiteral("korganizer")});
}

bool CCofferApp::IsExistingFile(const QString& strPath)
{
    if (strPath.isEmpty())
        return false;
    const QFileInfo info(strPath);
    return info.exists() && !info.isDir();
}

QPoint CCofferApp::UsablePosition(const QPoint& pt)
{
    if (pt.x() == NO_POSITION || pt.y() == NO_POSITION)
        return QPoint(NO_POSITION, NO_POSITION);
    for (const QScreen* pScreen : QGuiApplication::screens()) {
        if (pScreen->availableGeometry().contains(pt))
            return pt;
    }
    return QPoint(NO_POSITION, NO_POSITION);
}

QString CCofferApp::HelpFile()
{
    // Installed beside the program's data; a build tree keeps the same layout.
    const QString strRelative = QStringLiteral("pennyfold/help/index.html");
    const QString strBeside = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/") + strRelative;
    if (IsExistingFile(strBeside))
        return QFileInfo(strBeside).absoluteFilePath();
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, strRelative);
}

QString CCofferApp::OpenFilter()
{
    // Everything the readers recognise: ledgers, bank and card statements, register text.
    return QStringLiteral("読み込めるファイル (*.ldr *.ccr *.ofx *.qfx *.csv *.csd *.txt *.LDR *.CCR *.OFX *.QFX "
                          "*.CSV *.CSD *.TXT);;"
                          "ペニーフォールド ファイル (*.ldr *.ccr *.LDR *.CCR);;"
                          "明細ファイル OFX (*.ofx *.qfx *.OFX *.QFX);;"
                          "テキスト ファイル (*.csv *.csd *.txt *.CSV *.CSD *.TXT);;"
                          "すべてのファイル (*)");
}

std::function<bool(const QUrl&)>& CCofferApp::UrlOpener()
{
    static std::function<bool(const QUrl&)> fn = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return fn;
}

QString CCofferApp::NoBrowserMessage()
{
    return QStringLiteral("ヘルプを表示するブラウザーを起動できませんでした。\n"
                          "ブラウザーと xdg-utils がインストールされているか確認してください。");
}

bool CCofferApp::ShowHelp(const QString& strPage)
{
    if (strPage.isEmpty() || !IsExistingFile(strPage)) {
        QApplication::beep();
        AppMessageBox(IDS_FILE_NOT_FOUND, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (UrlOpener()(QUrl::fromLocalFile(QFileInfo(strPage).absoluteFilePath())))
        return true;
    QApplication::beep();
    CMessageBox::ShowText(NoBrowserMessage(), MB_OK | MB_ICONSTOP);
    return false;
}

bool CCofferApp::LaunchProgram(const QString& strPath)
{
    bool bStarted = false;
    const QFileInfo info(strPath);
    if (!strPath.isEmpty() && info.exists() && !info.isDir()) {
        if (info.isExecutable())
            bStarted = QProcess::startDetached(info.absoluteFilePath(), QStringList());
        else
            bStarted = QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    }
    if (!bStarted) {
        QApplication::beep();
        AppMessageBox(IDS_FILE_NOT_FOUND, MB_OK | MB_ICONSTOP);
    }
    return bStarted;
}

const CDocTemplate& CCofferApp::Template(int nKind) const
{
    return *m_templates[std::size_t(qBound(0, nKind, 3))];
}

CDocTemplate& CCofferApp::Template(int nKind)
{
    return *m_templates[std::size_t(qBound(0, nKind, 3))];
}

QString CCofferApp::NextUntitledTitle()
{
    return QStringLiteral("Pennyfold") + QString::number(++m_nUntitled);
}

void CCofferApp::AddToRecentFiles(const QString& strPath)
{
    m_settings.m_recentFiles.Add(QDir::toNativeSeparators(strPath));
}

CChildFrame* CCofferApp::CreateFrame(CLedgerSession& session, int nKind)
{
    const CDocTemplate& tmpl = Template(nKind);
    if (!tmpl.IsAvailable() || !m_pMainFrame)
        return nullptr;
    QWidget* pView = tmpl.CreateView(session, nullptr);
    if (!pView)
        return nullptr;
    auto* pFrame = new CChildFrame(session, nKind, pView);
    m_pMainFrame->AddChildFrame(pFrame);
    return pFrame;
}

CLedgerSession* CCofferApp::CreateSession()
{
    auto* pSession = new CLedgerSession(this);
    connect(pSession, &CLedgerSession::Closed, this, &CCofferApp::OnSessionClosed);
    m_sessions.append(pSession);
    AddSessionCommands(*pSession);
    return pSession;
}

void CCofferApp::AddSessionCommands(CLedgerSession& session)
{
    session.SetCloseGuard([this, &session] { return SaveModified(session); });
    session.AddCommand(ID_FILE_SAVE, [this, &session](int) { SaveDocument(session, false); });
    session.AddCommand(ID_FILE_SAVE_AS, [this, &session](int) { SaveDocument(session, true); });
    // The ERR pane shows while some line carries an error mark; the yen-conversion bit that
    // every single-currency ledger has does not light it.
    session.AddCommand(ID_INDICATOR_ERROR, {}, [&session](CCmdUI& ui) { ui.Enable(session.Document().HasLineErrors()); });
    // Undo and redo of the ledger's history, for every view that has no history of its own
    // (the memo view answers these itself).
    session.AddCommand(
        ID_EDIT_UNDO,
        [&session](int) {
            session.Document().Undo();
            session.NotifyTitleChanged();
        },
        [&session](CCmdUI& ui) { ui.Enable(session.Document().CanUndo()); });
    session.AddCommand(
        ID_EDIT_REDO,
        [&session](int) {
            session.Document().Redo();
            session.NotifyTitleChanged();
        },
        [&session](CCmdUI& ui) { ui.Enable(session.Document().CanRedo()); });
    session.AddCommand(ID_FILE_PASSWORD, [this, &session](int) {
        CPasswordCommand::Run(session.Document(), CPasswordCommand::DialogAsk(MainFrame()));
    });
    // The balance entry, also posted after opening a ledger that asks for it.
    session.AddCommand(ID_EDIT_BALANCE, [this, &session](int) {
        const auto assistManual = [this] { return (AppStatus() & AS_ASSIST_MANUAL) != 0; };
        CBalanceEntry::Run(session.Document(), CBalEntDlg::DialogAsk(MainFrame(), assistManual));
        session.NotifyTitleChanged();
    });
    session.AddCommand(ID_TOOL_CURRENCY, ID_TOOL_CATEGORY, [this, &session](int nID) {
        CListPropSheet::Run(session.Document(),
                            nID == ID_TOOL_CATEGORY ? CListPropSheet::PAGE_CATEGORY : CListPropSheet::PAGE_CURRENCY,
                            MainFrame());
        session.NotifyTitleChanged();
    });
    // View switching: the ledger's window of that kind, or a new one.
    session.AddCommand(
        ID_VIEW_REGISTER, ID_VIEW_MEMO,
        [this, &session](int nID) {
            const int nKind = nID - ID_VIEW_REGISTER;
            if (CChildFrame* pFrame = session.FindFrame(nKind)) {
                if (m_pMainFrame)
                    m_pMainFrame->ActivateChildFrame(pFrame);
            } else {
                CreateFrame(session, nKind);
            }
        },
        [this, &session](CCmdUI& ui) {
            const int nKind = ui.m_nID - ID_VIEW_REGISTER;
            ui.Enable(Template(nKind).IsAvailable());
            // Checked for the kind of the window in front.
            const CChildFrame* pActive = m_pMainFrame ? m_pMainFrame->ActiveChildFrame() : nullptr;
            ui.SetCheck(pActive != nullptr && pActive->Session() == &session && pActive->Kind() == nKind);
        });
}

CLedgerSession* CCofferApp::NewDocument()
{
    CLedgerSession* pSession = CreateSession();
    pSession->Document().OnNewDocument();
    pSession->SetTitle(NextUntitledTitle());
    if (!CreateFrame(*pSession, VIEW_REGISTER)) {
        m_sessions.removeOne(pSession);
        delete pSession;
        return nullptr;
    }
    return pSession;
}

CLedgerSession* CCofferApp::OpenDocument(const QString& strPath)
{
    const QString strAbsolute = QFileInfo(strPath).absoluteFilePath();
    // A ledger that is already open gets its window brought forward.
    for (CLedgerSession* pSession : m_sessions) {
        if (!pSession->Path().isEmpty() && QFileInfo(pSession->Path()) == QFileInfo(strAbsolute)) {
            const QList<CChildFrame*> frames = pSession->Frames();
            if (!frames.isEmpty() && m_pMainFrame)
                m_pMainFrame->ActivateChildFrame(frames.first());
            return pSession;
        }
    }
    if (QFileInfo(strAbsolute).isDir()) {
        AppMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }

    CLedgerSession* pSession = CreateSession();
    bool bBalanceEntry = false;
    // The reader reports its own failures.
    if (!CDocumentFile::Open(pSession->Document(), strAbsolute, &bBalanceEntry)) {
        m_sessions.removeOne(pSession);
        delete pSession;
        return nullptr;
    }
    pSession->NotifyTitleChanged();
    if (!CreateFrame(*pSession, VIEW_REGISTER)) {
        m_sessions.removeOne(pSession);
        delete pSession;
        return nullptr;
    }
    AddToRecentFiles(strAbsolute);
    if (bBalanceEntry && m_pMainFrame)
        m_pMainFrame->PostCommand(ID_EDIT_BALANCE);
    return pSession;
}

CLedgerSession* CCofferApp::RestoreDocument(const QString& strFile, const QString& strPath, const QString& strTitle)
{
    QFile file(strFile);
    if (!file.open(QIODevice::ReadOnly)) {
        AppMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    CLedgerSession* pSession = CreateSession();
    // A password prompt names the ledger as the user knows it, not its copy.
    if (!CDocumentFile::Load(pSession->Document(), bytes, strPath.isEmpty() ? strTitle : strPath)) {
        m_sessions.removeOne(pSession);
        delete pSession;
        return nullptr;
    }
    if (strPath.isEmpty()) {
        pSession->SetPath(QString());
        pSession->SetTitle(strTitle);
        // The next new ledger must not repeat a restored untitled name.
        const QString strBase = QStringLiteral("Pennyfold");
        bool bNumbered = false;
        const int nNumber = strTitle.startsWith(strBase) ? strTitle.mid(strBase.size()).toInt(&bNumbered) : 0;
        if (bNumbered && nNumber > m_nUntitled)
            m_nUntitled = nNumber;
    }
    // Not saved where it belongs until the user says so.
    pSession->SetModified(true);
    pSession->NotifyTitleChanged();
    if (!CreateFrame(*pSession, VIEW_REGISTER)) {
        m_sessions.removeOne(pSession);
        delete pSession;
        return nullptr;
    }
    return pSession;
}

bool CCofferApp::IsNativePath(const QString& strPath)
{
    const QString strTail = strPath.right(4);
    return strTail.compare(QLatin1String(".ldr"), Qt::CaseInsensitive) == 0
           || strTail.compare(QLatin1String(".ccr"), Qt::CaseInsensitive) == 0;
}

QString CCofferApp::WithDefaultSuffix(const QString& strPath, const QString& strFilter)
{
    // A name typed without an extension takes the chosen type's, so that the file is
    // written in the format its name promises and comes back as a ledger.
    if (!QFileInfo(strPath).suffix().isEmpty())
        return strPath;
    if (strFilter.contains(QLatin1String("*.csv")))
        return strPath + QStringLiteral(".csv");
    if (strFilter.contains(QLatin1String("*.csd")))
        return strPath + QStringLiteral(".csd");
    return strPath + QStringLiteral(".ldr");
}

bool CCofferApp::SaveDocument(CLedgerSession& session, bool bAskName)
{
    QString strPath = session.Path();
    if (bAskName || strPath.isEmpty() || !IsNativePath(strPath)) {
        QString strProposed = strPath.isEmpty() ? session.Title() + QStringLiteral(".ldr") : strPath;
        if (!IsNativePath(strProposed))
            strProposed = QFileInfo(strProposed).completeBaseName() + QStringLiteral(".ldr");
        QString strFilter;
        strPath = m_fnAskSavePath ? m_fnAskSavePath(strProposed)
                                  : QFileDialog::getSaveFileName(
                                        m_pMainFrame, QString(), strProposed,
                                        QStringLiteral("ペニーフォールド ファイル (*.ldr *.ccr);;"
                                                       "CSV ファイル (*.csv);;CSD ファイル (*.csd)"),
                                        &strFilter);
        if (strPath.isEmpty())
            return false;
        strPath = WithDefaultSuffix(strPath, strFilter);
    }
    if (!CDocumentFile::Save(session.Document(), strPath))
        return false;
    if (IsNativePath(strPath))
        AddToRecentFiles(strPath);
    session.NotifyTitleChanged();
    return true;
}

bool CCofferApp::SaveModified(CLedgerSession& session)
{
    if (!session.IsModified())
        return true;
    const QString strText = QStringLiteral("%1 への変更を保存しますか?").arg(session.Title());
    switch (CMessageBox::ShowText(strText, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES: return SaveDocument(session, false);
    case IDNO: return true;
    default: return false;
    }
}

void CCofferApp::OnSessionClosed(CLedgerSession* pSession)
{
    m_sessions.removeOne(pSession);
    pSession->deleteLater();
}

void CCofferApp::ShowAbout()
{
    CAboutDlg dlg(m_pMainFrame);
    dlg.exec();
}

QPrinter& CCofferApp::Printer()
{
    // Made on first use: a printer asks the print system for its devices.
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>();
    return *m_pPrinter;
}

void CCofferApp::AddAppCommands()
{
    AddCommand(ID_APP_ABOUT, [this](int) { ShowAbout(); });
    AddCommand(
        ID_TOOL_CALCULATOR, [this](int) { LaunchProgram(m_settings.m_strCalcAppPath); },
        [this](CCmdUI& ui) { ui.Enable(IsExistingFile(m_settings.m_strCalcAppPath)); });
    // The calendar program; with a ledger in front and no program the ledger's memo view
    // stands in, on its one-month display.
    AddCommand(
        ID_TOOL_CALENDAR,
        [this](int) {
            const QString& strPath = m_settings.m_strCalenderAppPath;
            CLedgerSession* pSession = ActiveSession();
            if (!strPath.isEmpty()) {
                LaunchProgram(strPath);
                return;
            }
            if (pSession == nullptr)
                return;
            if (CChildFrame* pFrame = pSession->FindFrame(VIEW_MEMO)) {
                if (m_pMainFrame)
                    m_pMainFrame->ActivateChildFrame(pFrame);
            } else {
                CreateFrame(*pSession, VIEW_MEMO);
            }
            if (m_pMainFrame)
                m_pMainFrame->PostCommand(ID_PERIOD_MONTH);
        },
        [this](CCmdUI& ui) {
            const QString& strPath = m_settings.m_strCalenderAppPath;
            if (ActiveSession() == nullptr)
                ui.Enable(IsExistingFile(strPath));
            else
                ui.Enable(strPath.isEmpty() ? Template(VIEW_MEMO).IsAvailable() : IsExistingFile(strPath));
        });
    AddCommand(ID_FILE_NEW, [this](int) { NewDocument(); });
    AddCommand(ID_FILE_OPEN, [this](int) {
        const QString strPath = QFileDialog::getOpenFileName(m_pMainFrame, QString(), QString(), OpenFilter());
        if (!strPath.isEmpty())
            OpenDocument(strPath);
    });
    AddCommand(ID_FILE_PRINT_SETUP, [this](int) {
        if (m_fnPageSetup) {
            m_fnPageSetup(Printer(), m_pMainFrame);
            return;
        }
        QPageSetupDialog dlg(&Printer(), m_pMainFrame);
        dlg.exec();
    });
    AddCommand(
        ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4,
        [this](int nID) {
            const QString strPath = m_settings.m_recentFiles.At(nID - ID_FILE_MRU_FILE1);
            // A ledger that failed for a wrong password or a passing fault stays listed;
            // only a file that is gone leaves the list.
            if (!strPath.isEmpty() && !OpenDocument(strPath) && !QFileInfo::exists(strPath))
                m_settings.m_recentFiles.Remove(nID - ID_FILE_MRU_FILE1);
        },
        [this](CCmdUI& ui) { ui.Enable(ui.m_nID - ID_FILE_MRU_FILE1 < m_settings.m_recentFiles.Size()); });
    // The help page is a document of its own, shown by the desktop's browser.
    // The help commands around 57669, which the frame answers (the pointer that asks what a thing is).
    for (const int nID : { ID_HELP_FINDER, ID_HELP, ID_DEFAULT_HELP })
        AddCommand(nID, [](int) { ShowHelp(HelpFile()); }, [](CCmdUI& ui) { ui.Enable(!HelpFile().isEmpty()); });
    AddCommand(ID_APP_EXIT, [this](int) {
        if (m_pMainFrame)
            m_pMainFrame->close();
    });
}
