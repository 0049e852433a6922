#pragma once

#include <QHash>
#include <QString>

// Transaction types and the category each one books to. The common types are
// known from the start; any other type is added when first seen. Every type
// books to the bank category unless the statement is a card statement.
class COfxTypeTable
{
public:
    explicit COfxTypeTable(int nBankCat);

    // The category of a type, adding the type when it is new.
    int Lookup(const QString& strType);
    qsizetype Count() const { return m_types.size(); }
    bool Contains(const QString& strType) const { return m_types.contains(strType); }

private:
    int m_nBankCat;
    QHash<QString, int> m_types;
};
