#include "cli/CliArgs.h"

bool CCliArgs::Parse(const QStringList& args, const QStringList& valueOptions, const QStringList& switches,
                     int nPositional)
{
    m_positional.clear();
    m_values.clear();
    m_switches.clear();
    m_strError.clear();

    bool bOptionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (bOptionsEnded || !arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            if (arg == QLatin1String("--") && !bOptionsEnded) {
                bOptionsEnded = true;
                continue;
            }
            m_positional.append(arg);
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        bool bInline = false;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            bInline = true;
        }
        if (valueOptions.contains(name)) {
            if (!bInline) {
                if (i + 1 >= args.size()) {
                    m_strError = QStringLiteral("option --%1 needs a value").arg(name);
                    return false;
                }
                value = args[++i];
            }
            m_values.insert(name, value);
        } else if (switches.contains(name) && !bInline) {
            m_switches.insert(name);
        } else {
            m_strError = QStringLiteral("unknown option --%1").arg(name);
            return false;
        }
    }
    if (m_positional.size() != nPositional) {
        m_strError = QStringLiteral("expected %1 file argument(s), got %2").arg(nPositional).arg(m_positional.size());
        return false;
    }
    return true;
}
