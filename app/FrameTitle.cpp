#include "app/FrameTitle.h"

QString CFrameTitle::MainTitle(bool bHasActive, bool bMaximised, const QString& strDocTitle,
                               bool bModified)
{
    if (!bHasActive || bMaximised)
        return ProgramTitle();
    QString strTitle = strDocTitle;
    if (bModified)
        strTitle += QStringLiteral(" *");
    return strTitle + QStringLiteral(" - ") + ProgramTitle();
}

QString CFrameTitle::GetFrameTitle(const QString& strDocTitle, bool bModified, int nWindow,
                                   int nWindowCount)
{
    QString strTitle = strDocTitle;
    if (bModified)
        strTitle += QStringLiteral(" *");
    if (nWindowCount > 1)
        strTitle += QLatin1Char(':') + QString::number(nWindow);
    return strTitle;
}
