#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The arguments of one subcommand: positional words, options with a value
// ("--password P" or "--password=P") and switches ("--yen").
class CCliArgs
{
public:
    // Parses args (the words after the subcommand). Unknown options, a missing
    // value or a wrong number of positional words are usage errors.
    bool Parse(const QStringList& args, const QStringList& valueOptions, const QStringList& switches,
               int nPositional);

    const QString& Error() const { return m_strError; }
    QString Positional(int n) const { return m_positional.value(n); }
    bool Has(const QString& name) const { return m_values.contains(name) || m_switches.contains(name); }
    QString Value(const QString& name) const { return m_values.value(name); }

private:
    QStringList m_positional;
    QHash<QString, QString> m_values;
    QSet<QString> m_switches;
    QString m_strError;
};
