#pragma once

#include <cstdint>

// One item or separator of a description. Start and length are full character indexes
// (tokens are never stored, so they need not be packed).
struct CDescToken
{
    // Low 16 bits of m_nCode.
    enum : std::uint32_t {
        TF_CATEGORY_MASK = 0x00FF, // the category the item belongs to
        TF_PAREN = 0x0100,         // item inside parentheses
        TF_HEADING = 0x0200,       // item directly followed by "("
        TF_QUANTITY = 0x0800,      // item directly after "*"
        TF_MAIN = 0x1000,          // item of the main-category part
        TF_COUNTER = 0x2000,       // item of the counter-category part
        TF_SEPARATOR = 0x8000,     // a separator: the low bits hold its half-width character
    };

    bool IsSeparator() const { return (m_nCode & TF_SEPARATOR) != 0; }
    // The half-width separator character, 0 for an item.
    char16_t Separator() const { return IsSeparator() ? char16_t(m_nCode & 0x7FFF) : char16_t(0); }
    // Item flags, 0 for a separator.
    std::uint32_t Flags() const { return IsSeparator() ? 0 : m_nCode; }
    int Category() const { return int(Flags() & TF_CATEGORY_MASK); }
    int End() const { return m_nStart + m_nLength; }

    bool operator==(const CDescToken&) const = default;

    int m_nStart = 0;
    int m_nLength = 0;
    std::uint32_t m_nCode = 0;
};
