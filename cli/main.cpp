// pennyfold-cli: the ledger from the shell, with the readers, writers and
// computations of the desktop program.
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char* const kUsage =
    "usage: pennyfold-cli COMMAND ...\n"
    "  new OUT [--today YYYY-MM-DD]\n"
    "  convert IN OUT [--password P] [--new-password P] [--today YYYY-MM-DD]\n"
    "  show IN [--password P] [--symbols] [--yen]\n"
    "  check IN [--password P]\n"
    "  summary IN --mode day|month|year|quarter [--period YYYY[-MM]] [--currency N] [--password P]\n"
    "  memo-export IN OUT\n"
    "  memo-import IN MEMOTEXT OUT\n";

const char* const kCommands[] = {"new", "convert", "show", "check", "summary", "memo-export", "memo-import"};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h")) {
        std::fputs(kUsage, args.size() < 2 ? stderr : stdout);
        return args.size() < 2 ? 2 : 0;
    }
    const QString cmd = args[1];
    for (const char* known : kCommands) {
        if (cmd == QLatin1String(known)) {
            std::fprintf(stderr, "pennyfold-cli: '%s' is not yet available\n", known);
            return 2;
        }
    }
    std::fprintf(stderr, "pennyfold-cli: unknown command '%s'\n%s", cmd.toUtf8().constData(), kUsage);
    return 2;
}
