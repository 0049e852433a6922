#include "model/CategoryAttr.h"

namespace {
const char16_t* const g_attrNames[ATTR_COUNT] = {
    u"備考", u"収入", u"支出", u"貸借", u"両替", u"特別収入", u"特別支出", u"特別貸借", u"繰越", u"予算",
};
} // namespace

QString AttrName(int nAttr)
{
    if (nAttr < 0 || nAttr >= ATTR_COUNT)
        nAttr = ATTR_REMARK;
    return QString::fromUtf16(g_attrNames[nAttr]);
}

int AttrFromName(const QString& strName)
{
    for (int n = 0; n < ATTR_COUNT; ++n) {
        if (strName == QStringView(g_attrNames[n]))
            return n;
    }
    return ATTR_COUNT;
}
