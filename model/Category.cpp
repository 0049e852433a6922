#include "model/Category.h"

CCategory::CCategory(int nAttr)
    : m_nAttr(nAttr)
    , m_strName(AttrName(nAttr))
{
}

CCategory::CCategory(int nAttr, const QString& strName)
    : m_nAttr(nAttr)
    , m_strName(strName)
{
}
