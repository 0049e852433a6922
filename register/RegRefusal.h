#pragma once

#include <QString>

#include <vector>

class CCategory;
class CReceipt;

// Why a text typed into a register cell was not taken, in words for the status bar.
// The cell is left as it was; the user needs to know what to type instead.
class CRegRefusal
{
public:
    // The reason the line's column of kind nKind refused strText; empty when the text
    // would be accepted.
    static QString Reason(const CReceipt& line, int nKind, const QString& strText, const std::vector<CCategory>& cats);
};
