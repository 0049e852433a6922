#pragma once

#include "grid/GridSettings.h"

// Grid settings for widget tests: a fixed font and colours, no animation
// (so a scroll lands at once), and a wheel setting the test can change.
class CTestGridSettings : public CGridSettings
{
public:
    QFont ViewFont() const override
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        return font;
    }
    QColor GridColor(int nRole) const override
    {
        switch (nRole) {
        case 5:
            return QColor(255, 255, 255);
        case 8:
            return QColor(0, 0, 0);
        case 10:
            return QColor(192, 192, 192);
        case 13:
            return QColor(0, 0, 160);
        default:
            break;
        }
        return QColor(128, 128, 128);
    }
    QColor ButtonFace() const override { return QColor(224, 224, 224); }
    int WheelScrollLines() const override { return m_nWheelLines; }
    bool SmoothScrolling() const override { return m_bSmooth; }

    int m_nWheelLines = 3;
    bool m_bSmooth = false;
};
