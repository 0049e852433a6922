#include "persist/FileCipher.h"

#include "persist/Rc4.h"

#include <QCryptographicHash>
#include <QtEndian>

QByteArrayView CFileCipher::Trailer()
{
    return QByteArrayView("B3A660488A564C69BC1D895F3876C627", TrailerSize);
}

QByteArray CFileCipher::DeriveKey(const QString& strPassword)
{
    QByteArray bytes(strPassword.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < strPassword.size(); ++i)
        qToLittleEndian(std::uint16_t(strPassword.at(i).unicode()), bytes.data() + 2 * i);
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

void CFileCipher::Encipher(const QByteArray& key, QByteArray& buffer)
{
    CRc4 rc4(key);
    rc4.Process(buffer.data(), buffer.size());
}

void CFileCipher::SealPayload(const QString& strPassword, QByteArray& payload)
{
    payload.append(Trailer().data(), TrailerSize);
    Encipher(DeriveKey(strPassword), payload);
}

bool CFileCipher::OpenPayload(const QString& strPassword, QByteArray& payload)
{
    Decipher(DeriveKey(strPassword), payload);
    return payload.size() >= TrailerSize && QByteArrayView(payload).last(TrailerSize) == Trailer();
}
