#pragma once

#include "model/Amount.h"

#include <QString>
#include <cstdint>
#include <vector>

// One entry of the description index: an item of the descriptions with where it was used.
class CRecItem
{
public:
    // A use entry: bits 0-8 are the key (category position plus the in-parentheses bit),
    // bits 9-15 the other item flags of its first use, bits 16-31 the number of uses.
    enum : std::uint32_t {
        USE_KEY_MASK = 0x1FF,
        USE_FLAGS_MASK = 0xFFFF,
        USE_COUNT_ONE = 0x10000,
        USE_COUNT_MAX = 0xFFFF,
    };

    static std::uint32_t UseKey(std::uint32_t nUse) { return nUse & USE_KEY_MASK; }
    static std::uint32_t UseCount(std::uint32_t nUse) { return nUse >> 16; }
    // Number of uses of a key, 0 when the item was never used so.
    std::uint32_t CountOf(std::uint32_t nKey) const;

    // Counts one more use of the item with the given token flags: the entry of the same key
    // is counted up (saturating), or a new entry is inserted in key order.
    void AddUse(std::uint32_t nFlags);
    // Puts the use entries back in key order, merging entries of equal key (after their
    // category bytes were remapped).
    void SortUses();

    QString m_strText;
    std::vector<std::uint32_t> m_uses; // ascending by key
    // Flags of the last use outside parentheses, or of the first use when that was inside.
    std::int32_t m_nLastFlags = 0;
    Amount m_nLastAmount = 0;
};
