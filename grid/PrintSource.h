#pragma once

class QPainter;
class QPrinter;

// A view that prints: it sets up for a printer and returns the page count, draws
// any page of the job on the printer's painter, and releases what it set up.
class IPrintSource
{
public:
    virtual ~IPrintSource() = default;
    virtual int BeginPrint(QPrinter& printer) = 0;
    // nPage from 1 to nPages.
    virtual void PrintPage(QPainter& painter, int nPage, int nPages) = 0;
    virtual void EndPrint() = 0;
};
