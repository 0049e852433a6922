#pragma once

#include "model/PackedDate.h"

#include <QString>

class CCofferDoc;

// What the graph draws, as the command-line tool prints it.
class CGraphReport
{
public:
    // The column whose title (as the legend names it: a category's name, or an attribute's
    // name followed by "計") is strTitle; an empty title picks the column a new graph view
    // shows. False when no column has that title.
    static bool FindColumn(const CCofferDoc& doc, const QString& strTitle, int& nColumn);

    // "scale", the automatic axis's maximum, minimum (whole units) and step count, then one
    // line per period: its label, the bar's value, the running average and the budget
    // (empty without one), separated by TAB, each line ended by "\n". A period of 0 means
    // today, as a new view starts.
    static QString Text(const CCofferDoc& doc, int nMode, PackedDate period, int nColumn, int nCur);
};
