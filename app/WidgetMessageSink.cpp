#include "app/WidgetMessageSink.h"

#include <QApplication>
#include <QMessageBox>

int CWidgetMessageSink::Show(const QString& strText, unsigned nType)
{
    QMessageBox box(m_pParent ? m_pParent : QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Pennyfold"));
    box.setText(strText);

    QMessageBox::StandardButtons buttons;
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MB_YESNOCANCEL: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case MB_YESNO: buttons = QMessageBox::Yes | QMessageBox::No; break;
    default: buttons = QMessageBox::Ok; break;
    }
    box.setStandardButtons(buttons);

    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default:
        // A plain OK box without an icon of its own is a warning.
        box.setIcon((nType & MB_TYPEMASK) == MB_OK ? QMessageBox::Warning : QMessageBox::NoIcon);
        break;
    }

    switch (box.exec()) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
    }
}
