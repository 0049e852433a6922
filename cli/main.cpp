// pennyfold-cli: the ledger from the shell, with the readers, writers and
// computations of the desktop program.
#include "cli/CliTool.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("KaedeYa"));
    QCoreApplication::setApplicationName(QStringLiteral("Pennyfold"));
    CCliTool tool;
    return tool.Run(QCoreApplication::arguments().mid(1));
}
