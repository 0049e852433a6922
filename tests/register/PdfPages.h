#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

// The number of page objects in a PDF file as the printer wrote it (-1: unreadable).
inline int PdfPageCount(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(data).count(page));
}
