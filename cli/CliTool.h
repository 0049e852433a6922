#pragma once

#include "model/PackedDate.h"

#include <QStringList>

class CCofferDoc;
class CCliArgs;
class CCliMessageSink;

// The subcommands of pennyfold-cli. Each returns the exit status: 0 done,
// 1 an input error (its message printed to stderr), 2 a usage error.
class CCliTool
{
public:
    int Run(const QStringList& args);

private:
    int New(const QStringList& args);
    int Convert(const QStringList& args);
    int Show(const QStringList& args);
    int Check(const QStringList& args);
    int Summary(const QStringList& args);
    int Graph(const QStringList& args);
    int MemoExport(const QStringList& args);
    int MemoImport(const QStringList& args);

    // Parses, and prints the usage error when the words do not fit.
    bool ParseArgs(CCliArgs& cli, const QStringList& args, const QStringList& valueOptions,
                   const QStringList& switches, int nPositional);
    bool ApplyToday(const CCliArgs& cli);
    // Opens a ledger of any recognised form; --password answers its prompt.
    bool OpenLedger(CCofferDoc& doc, const QString& strPath, const CCliArgs& cli);
    bool SaveLedger(CCofferDoc& doc, const QString& strPath);
    // What summary and graph share: the options, --mode, --period, the ledger and --currency.
    // Returns -1 when all are read, else the exit status.
    int OpenReport(const QStringList& args, const QStringList& extraOptions, CCliArgs& cli, CCofferDoc& doc,
                   int& nMode, PackedDate& period, int& nCur);
    // Prints the questions the last step asked (answered OK) as warnings and
    // forgets them, so that a failure after them still prints its own message.
    void PrintWarnings();
    // Prints the first message the last step showed, or nID's text when none.
    int Failure(int nID = 0);
    void Print(const QString& str);

    CCliMessageSink* m_pSink = nullptr;
};
