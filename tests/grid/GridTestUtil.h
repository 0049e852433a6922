#pragma once

#include "grid/Range.h"

#include <QMetaType>
#include <QtTest/qtestcase.h>
#include <cstdio>

Q_DECLARE_METATYPE(CRange)

inline char* toString(const CRange& range)
{
    char szText[96];
    std::snprintf(szText, sizeof(szText), "CRange(%d, %d, %d, %d)", range.left, range.top, range.right, range.bottom);
    return qstrdup(szText);
}
