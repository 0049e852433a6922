#pragma once

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
    // Prints the questions the last step asked (answered OK) as warnings and
    // forgets them, so that a failure after them still prints its own message.
    void PrintWarnings();
    // Prints the first message the last step showed, or nID's text when none.
    int Failure(int nID = 0);
    void Print(const QString& str);

    CCliMessageSink* m_pSink = nullptr;
};
