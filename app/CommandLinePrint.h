#pragma once

#include <QStringList>

class CCommandLine;

// The print switches of the command line: the ledger is opened without showing a
// window, its register printed or written to PDF, and the program ends. Every failure
// is a message on stderr and exit status 1.
class CCommandLinePrint
{
public:
    // Returns the program's exit status.
    static int Run(const CCommandLine& line, const QStringList& arguments);
};
