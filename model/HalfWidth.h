#pragma once

#include <QString>

// Full-width forms U+FF01..U+FF5E become their ASCII counterparts U+0021..U+007E;
// every other character is kept.
QString ToHalfWidth(const QString& strText);
