#include "app/AppIcon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>
#include <QStringList>

namespace {
QPixmap DrawAppIcon(int nSize)
{
    QPixmap pixmap(nSize, nSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(nSize / 64.0, nSize / 64.0);
    // A folded book in green with a yen coin: the cash book.
    painter.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 2));
    painter.setBrush(QColor(0x43, 0xA0, 0x47));
    painter.drawRoundedRect(QRectF(6, 8, 44, 50), 4, 4);
    painter.setBrush(QColor(0xF1, 0xF8, 0xE9));
    painter.drawRect(QRectF(12, 14, 32, 38));
    painter.setPen(QPen(QColor(0x81, 0xC7, 0x84), 2));
    for (int y = 22; y <= 46; y += 8)
        painter.drawLine(QPointF(16, y), QPointF(40, y));
    painter.setPen(QPen(QColor(0xBF, 0x8F, 0x00), 2));
    painter.setBrush(QColor(0xFF, 0xC1, 0x07));
    painter.drawEllipse(QRectF(34, 34, 26, 26));
    QFont font;
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x6D, 0x4C, 0x00));
    painter.drawText(QRectF(34, 34, 26, 26), Qt::AlignCenter, QStringLiteral("¥"));
    return pixmap;
}
} // namespace

QIcon CAppIcon::Create()
{
    QIcon icon;
    for (int n : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawAppIcon(n));
    return icon;
}

QIcon CAppIcon::Glyph(const QString& strGlyph)
{
    QIcon icon;
    for (int n : {16, 24, 32}) {
        QPixmap pixmap(n, n);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(0x90, 0xA4, 0xAE));
        painter.setBrush(QColor(0xEC, 0xEF, 0xF1));
        painter.drawRoundedRect(QRectF(0.5, 0.5, n - 1, n - 1), n / 6.0, n / 6.0);
        QFont font;
        font.setPixelSize(n * 3 / 4);
        painter.setFont(font);
        painter.setPen(QColor(0x26, 0x32, 0x38));
        painter.drawText(QRect(0, 0, n, n), Qt::AlignCenter, strGlyph);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void CAppIcon::UseDesktopTheme()
{
    QStringList paths = QIcon::themeSearchPaths();
    const QStringList dataIcons =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                  QStandardPaths::LocateDirectory);
    bool bChanged = false;
    for (const QString& strDir : dataIcons) {
        if (!paths.contains(strDir)) {
            paths.append(strDir);
            bChanged = true;
        }
    }
    if (bChanged)
        QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}
