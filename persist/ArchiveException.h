#pragma once

#include <exception>

// Raised by the archive reader and the record decoders for any input that is
// not a well-formed file: truncated data, an impossible count or length, an
// unknown class, a wrong schema, a position outside its list. Callers report
// it as the framework's format error; it never means a crash.
class CArchiveException : public std::exception
{
public:
    enum Cause {
        badFormat,     // something in the bytes contradicts the format
        endOfFile,     // a read needs more bytes than remain
        badClass,      // unknown class name, unknown class index, null or foreign element
        badSchema,     // a known class with another schema number
        badIndex,      // a currency or category position outside its list
        badVersion,    // a native file of a newer format version
    };

    explicit CArchiveException(Cause cause) : m_cause(cause) {}

    const char* what() const noexcept override;

    Cause m_cause;
};
