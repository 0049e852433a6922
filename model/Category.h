#pragma once

#include "model/CategoryAttr.h"

#include <QString>
#include <cstdint>

// One category (費目) of a ledger.
class CCategory
{
public:
    CCategory() = default;
    // Named after its attribute (attributes outside 0..9 take the name of 0).
    explicit CCategory(int nAttr);
    CCategory(int nAttr, const QString& strName);

    bool operator==(const CCategory&) const = default;

    std::int32_t m_nAttr = ATTR_REMARK;
    QString m_strName;
};
