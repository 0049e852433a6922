#include "app/AppSettings.h"

#include <QSettings>
#include <algorithm>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kStyle = QStringLiteral("Style");
const QString kPickList = QStringLiteral("PickList");
const QString kWorkspace = QStringLiteral("Workspace");

// Sizes outside these ranges would make rows of no height or overflow the
// geometry sums of the views, so a stored value beyond them is held at the edge.
constexpr int kGapMax = 1000;
constexpr int kFontHeightMin = 10;
constexpr int kFontHeightMax = 7200;

QPoint ReadPosition(QSettings& settings, const QString& strSection, const QString& strX,
                    const QString& strY)
{
    return QPoint(CAppSettings::GetProfileInt(settings, strSection, strX, NO_POSITION),
                  CAppSettings::GetProfileInt(settings, strSection, strY, NO_POSITION));
}

void WritePosition(QSettings& settings, const QString& strSection, const QString& strX,
                   const QString& strY, const QPoint& pt)
{
    CAppSettings::WriteProfileInt(settings, strSection, strX, pt.x());
    CAppSettings::WriteProfileInt(settings, strSection, strY, pt.y());
}
} // namespace

CAppSettings::CAppSettings()
    : m_nAppStatus(DEFAULT_APP_STATUS)
    , m_nCellGap(DEFAULT_CELL_GAP)
    , m_nBarGap(DEFAULT_BAR_GAP)
    , m_nViewFontHeight(DEFAULT_VIEW_FONT_HEIGHT)
    , m_ptRecEditDlg(NO_POSITION, NO_POSITION)
    , m_ptInputDlg(NO_POSITION, NO_POSITION)
    , m_ptPickListDlg(NO_POSITION, NO_POSITION)
    , m_nPreviewPages(0)
{
    m_colors.fill(COLOR_DEFAULT);
}

int CAppSettings::GetProfileInt(QSettings& settings, const QString& strSection,
                                const QString& strValue, int nDefault)
{
    const QVariant value = settings.value(strSection + QLatin1Char('/') + strValue);
    if (!value.isValid())
        return nDefault;
    bool bOk = false;
    qlonglong n = 0;
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray)
        n = value.toString().trimmed().toLongLong(&bOk, 10);
    else
        n = value.toLongLong(&bOk);
    if (!bOk || n < qlonglong(INT32_MIN) || n > qlonglong(UINT32_MAX))
        return nDefault;
    return int(std::int32_t(std::uint32_t(n)));
}

QString CAppSettings::GetProfileString(QSettings& settings, const QString& strSection,
                                       const QString& strValue, const QString& strDefault)
{
    const QVariant value = settings.value(strSection + QLatin1Char('/') + strValue);
    if (!value.isValid() || !value.canConvert<QString>())
        return strDefault;
    return value.toString();
}

void CAppSettings::WriteProfileInt(QSettings& settings, const QString& strSection,
                                   const QString& strValue, int nValue)
{
    settings.setValue(strSection + QLatin1Char('/') + strValue, nValue);
}

void CAppSettings::WriteProfileString(QSettings& settings, const QString& strSection,
                                      const QString& strValue, const QString& strText)
{
    settings.setValue(strSection + QLatin1Char('/') + strValue, strText);
}

bool CAppSettings::CheckLayoutVersion(QSettings& settings)
{
    if (GetProfileString(settings, kSettings, QStringLiteral("AppVersion"), QString())
        == LayoutVersion())
        return false;
    settings.remove(kWorkspace);
    WriteProfileString(settings, kSettings, QStringLiteral("AppVersion"), LayoutVersion());
    return true;
}

void CAppSettings::Load(QSettings& settings, const QString& strDefaultFace,
                        const QString& strDefaultCalcPath, const QString& strDefaultCalendarPath)
{
    m_recentFiles.Load(settings);
    m_nPreviewPages = std::max(0, GetProfileInt(settings, kSettings, QStringLiteral("PreviewPages"), 0));

    m_nAppStatus = std::uint32_t(GetProfileInt(settings, kSettings, QStringLiteral("AppStatus"),
                                               DEFAULT_APP_STATUS));
    for (int i = 0; i < COLOR_SLOTS; ++i)
        m_colors[i] = std::uint32_t(GetProfileInt(settings, kStyle, QStringLiteral("AppColor%1").arg(i),
                                                  int(COLOR_DEFAULT)));
    m_nCellGap = std::clamp(GetProfileInt(settings, kStyle, QStringLiteral("CellGap"), DEFAULT_CELL_GAP),
                            0, kGapMax);
    m_nBarGap = std::clamp(GetProfileInt(settings, kStyle, QStringLiteral("BarGap"), DEFAULT_BAR_GAP),
                           0, kGapMax);
    m_nViewFontHeight = std::clamp(GetProfileInt(settings, kStyle, QStringLiteral("ViewFontHeight"),
                                                 DEFAULT_VIEW_FONT_HEIGHT),
                                   kFontHeightMin, kFontHeightMax);
    m_strViewFontFaceName = GetProfileString(settings, kStyle, QStringLiteral("ViewFontFaceName"),
                                             strDefaultFace);

    m_strCalcAppPath = GetProfileString(settings, kSettings, QStringLiteral("CalcAppPath"),
                                        strDefaultCalcPath);
    m_strCalenderAppPath = GetProfileString(settings, kSettings, QStringLiteral("CalenderAppPath"),
                                            strDefaultCalendarPath);

    m_ptRecEditDlg = ReadPosition(settings, kSettings, QStringLiteral("dlgPosX"), QStringLiteral("dlgPosY"));
    m_ptPickListDlg = ReadPosition(settings, kPickList, QStringLiteral("dlgPosX"), QStringLiteral("dlgPosY"));
    const int nCount = std::clamp(GetProfileInt(settings, kPickList, QStringLiteral("Count"), 0), 0,
                                  PICK_LIST_MAX);
    m_pickList.clear();
    for (int i = 0; i < nCount; ++i)
        m_pickList.append(GetProfileString(settings, kPickList, QStringLiteral("Fmt%1").arg(i), QString()));
    m_ptInputDlg = ReadPosition(settings, kSettings, QStringLiteral("dlgInputPosX"),
                                QStringLiteral("dlgInputPosY"));
}

void CAppSettings::SaveAtExit(QSettings& settings) const
{
    WritePosition(settings, kSettings, QStringLiteral("dlgPosX"), QStringLiteral("dlgPosY"), m_ptRecEditDlg);
    WritePosition(settings, kPickList, QStringLiteral("dlgPosX"), QStringLiteral("dlgPosY"), m_ptPickListDlg);
    const int nCount = int(std::min<qsizetype>(m_pickList.size(), PICK_LIST_MAX));
    WriteProfileInt(settings, kPickList, QStringLiteral("Count"), nCount);
    for (int i = 0; i < nCount; ++i)
        WriteProfileString(settings, kPickList, QStringLiteral("Fmt%1").arg(i), m_pickList.at(i));
    WritePosition(settings, kSettings, QStringLiteral("dlgInputPosX"), QStringLiteral("dlgInputPosY"),
                  m_ptInputDlg);
    m_recentFiles.Save(settings);
    WriteProfileInt(settings, kSettings, QStringLiteral("PreviewPages"), m_nPreviewPages);
}

void CAppSettings::SaveStatus(QSettings& settings) const
{
    WriteProfileInt(settings, kSettings, QStringLiteral("AppStatus"), int(m_nAppStatus));
}

void CAppSettings::SaveProgramPaths(QSettings& settings) const
{
    WriteProfileString(settings, kSettings, QStringLiteral("CalcAppPath"), m_strCalcAppPath);
    WriteProfileString(settings, kSettings, QStringLiteral("CalenderAppPath"), m_strCalenderAppPath);
}

void CAppSettings::SaveViewFont(QSettings& settings) const
{
    WriteProfileInt(settings, kStyle, QStringLiteral("ViewFontHeight"), m_nViewFontHeight);
    WriteProfileString(settings, kStyle, QStringLiteral("ViewFontFaceName"), m_strViewFontFaceName);
}

std::uint32_t CAppSettings::ColorSlot(int nSlot) const
{
    return nSlot >= 0 && nSlot < COLOR_SLOTS ? m_colors[std::size_t(nSlot)] : COLOR_DEFAULT;
}

int CAppSettings::SmallFontHeight(int nViewFontHeight)
{
    return std::max(90, nViewFontHeight * 3 / 4);
}
