#include "app/AppIcon.h"
#include "app/CofferApp.h"
#include "app/CommandLine.h"
#include "app/CommandLinePrint.h"
#include "app/InstanceServer.h"
#include "app/MainFrame.h"
#include "app/QtTranslation.h"
#include "app/DialogPasswordPrompt.h"
#include "app/WidgetMessageSink.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pennyfold"));
    QApplication::setOrganizationName(QStringLiteral("KaedeYa"));
    QApplication::setApplicationDisplayName(QStringLiteral("ペニーフォールド"));
    // The task-bar identity: windows are grouped under the desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("pennyfold"));
    CAppIcon::UseDesktopTheme();
    if (!CQtTranslation::Install(app))
        std::fprintf(stderr, "pennyfold: Qt's Japanese texts are not installed (qt6-translations-l10n)\n");

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const CCommandLine line = CCommandLine::Parse(arguments);

    // A start from the desktop entry hands its file to the running instance.
    if (line.m_bForward) {
        const QString strPath = line.m_strFile.isEmpty() ? QString() : QFileInfo(line.m_strFile).absoluteFilePath();
        switch (CInstanceServer::Forward(strPath)) {
        case CInstanceServer::FORWARD_DELIVERED:
            return 0;
        case CInstanceServer::FORWARD_REFUSED:
            std::fprintf(stderr, "pennyfold: the running instance refused the path\n");
            return 1;
        case CInstanceServer::FORWARD_NO_SERVER:
            break;
        }
    }

    // A print from the command line shows no window; its messages go to stderr. A
    // password is asked for only where a dialog can be shown.
    if (line.m_nPrint != CCommandLine::PRINT_NONE) {
        CDialogPasswordPrompt printPrompt;
        const bool bAsk = QGuiApplication::platformName() != QLatin1String("offscreen");
        CScopedPasswordPrompt scopedPrintPrompt(bAsk ? &printPrompt : nullptr);
        return CCommandLinePrint::Run(line, arguments);
    }

    CWidgetMessageSink sink;
    CMessageBox::SetSink(&sink);
    CDialogPasswordPrompt prompt;
    CScopedPasswordPrompt scopedPrompt(&prompt);

    int nResult = 0;
    {
        CCofferApp coffer;
        if (!coffer.InitInstance(arguments)) {
            CMessageBox::SetSink(nullptr);
            return 1;
        }
        sink.SetParent(coffer.MainFrame());
        prompt.SetParent(coffer.MainFrame());
        // Developer aid: PENNYFOLD_GRAB=file.png saves a picture of the
        // window shortly after the start and ends the program.
        const QString strGrab = qEnvironmentVariable("PENNYFOLD_GRAB");
        if (!strGrab.isEmpty()) {
            QTimer::singleShot(1500, coffer.MainFrame(), [&coffer, strGrab] {
                coffer.MainFrame()->grab().save(strGrab);
                coffer.MainFrame()->close();
            });
        }
        nResult = QApplication::exec();
        coffer.ExitInstance();
        sink.SetParent(nullptr);
    }
    CMessageBox::SetSink(nullptr);
    return nResult;
}
