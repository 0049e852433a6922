#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line: a file path opens
// that file; "--forward" hands the path to a running instance instead of
// starting a second one. Options this program does not know are ignored.
class CCommandLine
{
public:
    // Longest path accepted from another process, in characters.
    static constexpr int MAX_FORWARD_PATH = 4096;

    // Parses the arguments after the program name.
    static CCommandLine Parse(const QStringList& arguments);

    // True for a path a running instance may open for another process:
    // absolute, at most MAX_FORWARD_PATH characters, no control characters.
    static bool IsForwardablePath(const QString& strPath);

    // "--print FILE", "--print-to PRINTER FILE", "--pdf OUT FILE": the register of FILE
    // printed, then the program ends.
    enum EPrint { PRINT_NONE, PRINT_DEFAULT, PRINT_TO, PRINT_PDF };

    bool m_bForward = false;
    EPrint m_nPrint = PRINT_NONE;
    // The printer's name (PRINT_TO) or the PDF file (PRINT_PDF).
    QString m_strPrintTarget;
    // Why the print switches cannot be followed; empty when they can.
    QString m_strUsageError;
    QString m_strFile;
    QStringList m_ignored;
};
