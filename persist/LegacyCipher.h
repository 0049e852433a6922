#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>

// The key streams of older ledger files. Files of versions 2.02 and 2.03 that
// carry a password use a 13-byte repeating stream taken from the scrambled
// password block; protected files of 2.04 and later use a 29-byte stream whose
// state is fed back through a CRC table as it runs. Deciphering is the same
// operation as enciphering.
class CLegacyCipher
{
public:
    enum Mode {
        ModeNone,
        ModeStream13,
        ModeFeedback29,
    };

    static constexpr int STREAM13_SIZE = 13;
    static constexpr int FEEDBACK_SIZE = 29;
    static constexpr int KEY_BLOCK_SIZE = 32;

    CLegacyCipher() = default;

    Mode GetMode() const { return m_mode; }
    // Applies the stream to the bytes in place; the stream position runs on.
    void Apply(std::uint8_t* p, qsizetype n);
    void Apply(QByteArray& bytes)
    {
        Apply(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    }

    // The mixing step over a block of n bytes: out[i] takes disjoint bit groups
    // of in[i], in[i+1], in[i+2] and in[i+3] (indexes modulo n). out and in must
    // not overlap.
    static void Mix(const std::uint8_t* in, std::uint8_t* out, qsizetype n);

    // CRC-16/MCRF4XX (reflected polynomial 0x8408, initial value 0xFFFF, no final
    // exclusive-or).
    static std::uint16_t Crc16(const std::uint8_t* p, qsizetype n);
    // The high byte of the reflected CRC table entry of a byte.
    static std::uint8_t CrcTableHigh(std::uint8_t b);

    // The scrambled password block of versions 2.02 and 2.03: false when its size
    // is not a multiple of 4 of at least 8. Otherwise gives the stored password
    // (code page 932 bytes) and the 13-byte stream.
    static bool FromScrambledBlock(QByteArrayView block, QByteArray& password, CLegacyCipher& cipher);

    // The 32-byte key block of versions 2.04 and later, unlocked with the typed
    // password's code page 932 bytes: false when the password is empty or the
    // block's check does not hold; otherwise the feedback stream.
    static bool FromKeyBlock(QByteArrayView block, QByteArrayView password, CLegacyCipher& cipher);

private:
    Mode m_mode = ModeNone;
    int m_nPos = 0;
    std::array<std::uint8_t, FEEDBACK_SIZE> m_state{};
};
