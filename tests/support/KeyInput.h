#pragma once

#include <QChar>
#include <QString>
#include <QTest>
#include <QWidget>

namespace support {

// QTest::keyClicks gives up on text beyond Latin-1, so each character goes as a key event
// carrying its text.
inline void TypeText(QWidget* pWidget, const QString& strText)
{
    for (QChar c : strText)
        QTest::sendKeyEvent(QTest::Click, pWidget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace support
