#include "persist/ArchiveException.h"

const char* CArchiveException::what() const noexcept
{
    switch (m_cause) {
    case badFormat: return "unexpected file format";
    case endOfFile: return "unexpected end of file";
    case badClass: return "unexpected class in the archive";
    case badSchema: return "unexpected schema number";
    case badIndex: return "position outside its list";
    case badVersion: return "file version too new";
    }
    return "archive error";
}
