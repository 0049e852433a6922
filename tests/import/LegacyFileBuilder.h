#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// Writes ledger files of the older format versions from their layouts, so that
// tests can open every version family, cipher and damage. It keeps its own
// ciphers rather than borrowing the importer's, so that a fault in one is not
// hidden by the same fault in the other.
class CLegacyFileBuilder
{
public:
    struct Line
    {
        std::uint16_t nDate = 0;
        std::uint8_t nFlags = 0;
        std::uint8_t nCur = 0;
        std::uint8_t nCat = 0;
        std::uint8_t nCat2 = 0;
        std::int64_t nAmount = 0;  // as stored: whole units in the 16-bit forms
        std::int64_t nAmount2 = 0;
        QByteArray desc;           // code page 932
    };
    struct Currency
    {
        std::int32_t nDecimals = 0;
        std::int32_t nSymbolPos = 0;
        QByteArray symbol;         // the 12 bytes at the block's offset 32 (padded with zeros)
        QByteArray name;
    };
    struct Category
    {
        std::int32_t nAttr = 0;
        QByteArray name;
    };

    // Version text as it stands at offsets 24..27, e.g. "2.04".
    explicit CLegacyFileBuilder(const QByteArray& version);

    // The password (code page 932 bytes); empty means none. How it is kept
    // follows the version.
    void SetPassword(const QByteArray& password) { m_password = password; }
    // Size of the scrambled block of 2.02 / 2.03 (0: the smallest that fits).
    void SetScrambledSize(int n) { m_nScrambledSize = n; }
    // Marker byte at offset 23 (default: space, or "*" when a 2.04+ password is set).
    void SetMarker(char c) { m_cMarker = c; m_bMarkerSet = true; }
    // Class name and schema written in the first class tag of each list.
    void SetClassNames(const QByteArray& line, const QByteArray& cur, const QByteArray& cat)
    {
        m_lineClass = line;
        m_curClass = cur;
        m_catClass = cat;
    }
    void SetSchema(std::uint16_t n) { m_nSchema = n; }

    void AddLine(const Line& line) { m_lines.append(line); }
    void AddCurrency(const Currency& cur) { m_curs.append(cur); }
    void AddCategory(const Category& cat) { m_cats.append(cat); }

    // A typical small ledger: yen and a second currency, three categories, lines
    // in the common forms.
    void AddSample();

    QByteArray Build() const;

    // The inverse of the format's mixing step (the importer only needs the step itself).
    static QByteArray Unmix(const QByteArray& out);
    static QByteArray Mix(const QByteArray& in);
    static std::uint16_t Crc16(const QByteArray& bytes);
    static std::uint16_t PackDate(int nYear, int nMonth, int nDay);

private:
    class CStream;
    void WriteString(QByteArray& out, CStream& stream, const QByteArray& text) const;

    QByteArray m_version;
    QByteArray m_password;
    int m_nScrambledSize = 0;
    char m_cMarker = ' ';
    bool m_bMarkerSet = false;
    QByteArray m_lineClass = "CReceipt";
    QByteArray m_curClass = "CCurFmt";
    QByteArray m_catClass = "CCategory";
    std::uint16_t m_nSchema = 1;
    QList<Line> m_lines;
    QList<Currency> m_curs;
    QList<Category> m_cats;
};
