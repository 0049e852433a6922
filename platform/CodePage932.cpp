#include "platform/CodePage932.h"

#include <QStringDecoder>
#include <QStringEncoder>

bool CCodePage932::Available()
{
    QStringDecoder d("CP932");
    return d.isValid();
}

QString CCodePage932::Decode(QByteArrayView bytes)
{
    QStringDecoder d("CP932");
    if (!d.isValid())
        return QString::fromLatin1(bytes);
    return d.decode(bytes);
}

QByteArray CCodePage932::Encode(const QString& str)
{
    QStringEncoder e("CP932");
    if (!e.isValid())
        return str.toLatin1();
    return e.encode(str);
}
