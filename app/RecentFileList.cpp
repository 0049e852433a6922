#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kSection = QStringLiteral("Recent File List");

Qt::CaseSensitivity PathCase()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}
} // namespace

void CRecentFileList::Load(QSettings& settings)
{
    m_files.clear();
    settings.beginGroup(kSection);
    for (int i = 1; i <= MAX_FILES; ++i) {
        const QString strPath = settings.value(QStringLiteral("File%1").arg(i)).toString();
        // A gap or a duplicate in the stored list is not kept.
        if (!strPath.isEmpty() && !m_files.contains(strPath, PathCase()))
            m_files.append(strPath);
    }
    settings.endGroup();
}

void CRecentFileList::Save(QSettings& settings) const
{
    settings.beginGroup(kSection);
    for (int i = 1; i <= MAX_FILES; ++i) {
        const QString strKey = QStringLiteral("File%1").arg(i);
        if (i <= m_files.size())
            settings.setValue(strKey, m_files.at(i - 1));
        else
            settings.remove(strKey);
    }
    settings.endGroup();
}

void CRecentFileList::Add(const QString& strPath)
{
    if (strPath.isEmpty())
        return;
    for (qsizetype i = m_files.size() - 1; i >= 0; --i) {
        if (m_files.at(i).compare(strPath, PathCase()) == 0)
            m_files.removeAt(i);
    }
    m_files.prepend(strPath);
    while (m_files.size() > MAX_FILES)
        m_files.removeLast();
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_files.size())
        m_files.removeAt(nIndex);
}

QString CRecentFileList::At(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_files.size() ? m_files.at(nIndex) : QString();
}

QString CRecentFileList::ShortenName(const QString& strName, int nMax)
{
    if (strName.size() <= nMax || nMax < 5)
        return strName.left(qMax(nMax, 0));
    const QString strDots = QStringLiteral("...");
    const qsizetype nKeep = nMax - strDots.size();
    const qsizetype nHead = nKeep / 2;
    return strName.left(nHead) + strDots + strName.right(nKeep - nHead);
}

QString CRecentFileList::MenuName(int nIndex) const
{
    const QString strPath = At(nIndex);
    if (strPath.isEmpty())
        return QString();
    return AbbreviatePath(QDir::fromNativeSeparators(strPath), QDir::homePath());
}

QString CRecentFileList::AbbreviatePath(const QString& strPath, const QString& strHome, int nMax)
{
    // The folders tell two ledgers of one name apart; as many of the innermost as fit
    // are kept, the rest become "...".
    QString strShown = strPath;
    if (!strHome.isEmpty() && strHome != QLatin1String("/")
        && strShown.startsWith(strHome + QLatin1Char('/')))
        strShown = QStringLiteral("~") + strShown.mid(strHome.size());
    if (strShown.size() <= nMax)
        return strShown;
    const QStringList parts = strShown.split(QLatin1Char('/'));
    const QString strName = parts.last();
    if (strName.size() + 4 > nMax)
        return ShortenName(strName, nMax);
    QString strTail = strName;
    for (qsizetype i = parts.size() - 2; i >= 1; --i) {
        const QString strLonger = parts.at(i) + QLatin1Char('/') + strTail;
        if (strLonger.size() + 4 > nMax)
            break;
        strTail = strLonger;
    }
    return QStringLiteral(".../") + strTail;
}

QString CRecentFileList::ReopenCandidate() const
{
    if (m_files.isEmpty())
        return QString();
    for (const QString& strPath : m_files) {
        const QString strTail = strPath.right(4);
        if (strTail.compare(QLatin1String(".LDR"), Qt::CaseInsensitive) == 0
            || strTail.compare(QLatin1String(".CCR"), Qt::CaseInsensitive) == 0)
            return strPath;
    }
    return m_files.first();
}
