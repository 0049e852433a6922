#pragma once

#include "platform/MessageBox.h"

class QWidget;

// Shows message boxes as modal Qt boxes captioned with the application title.
class CWidgetMessageSink : public IMessageSink
{
public:
    explicit CWidgetMessageSink(QWidget* pParent = nullptr) : m_pParent(pParent) {}
    int Show(const QString& strText, unsigned nType) override;
    void SetParent(QWidget* pParent) { m_pParent = pParent; }

private:
    QWidget* m_pParent;
};
