#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <cstdint>

class CCofferDoc;
class QPaintDevice;
class QPainter;
class QRect;

// Draws the contents of register cells onto any painter: the view's viewport, and the
// printer and its preview, each with its own font metrics, insets and colours. The
// background and grid lines are the caller's; a cell's rectangle includes the grid line
// on its right and bottom edge, which the renderer leaves alone.
class CRegCellRenderer
{
public:
    struct SColors {
        QColor text = QColor(0, 0, 0);
        QColor selectedText = QColor(255, 255, 255);
        // Amounts of a line whose stated balance differs from the computed one.
        QColor mismatchText = QColor(0xFF, 0x00, 0x00);
        QColor errorMark = QColor(0xFF, 0x00, 0x00);
    };
    struct SStyle {
        QFont font;
        // Space between the text and the cell's side; also the size of the error mark.
        int nTextInset = 0;
        // Space above the text.
        int nVMargin = 0;
        SColors colors;
    };

    // pDevice: the device the font is measured for (a printer); nullptr for the screen.
    explicit CRegCellRenderer(const SStyle& style, const QPaintDevice* pDevice = nullptr);

    const SStyle& Style() const { return m_style; }
    const QFontMetrics& Metrics() const { return m_fm; }

    // Sets up the painter for a run of DrawCell calls.
    void Begin(QPainter& painter) const;
    // One cell of a ledger line in a column of that kind, as the document gives its text.
    void DrawCell(QPainter& painter, const QRect& rcCell, const CCofferDoc& doc, int nLine, int nKind, bool bYen,
                  bool bSelected) const;
    // One cell from its document text (a backslash is shown as the yen sign) and the line's flags.
    void DrawText(QPainter& painter, const QRect& rcCell, int nKind, const QString& strDocText, std::int32_t nFlags,
                  bool bSelected) const;

private:
    SStyle m_style;
    QFontMetrics m_fm;
    int m_nDigit = 0;
    int m_nSlash = 0;
};
