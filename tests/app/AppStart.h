#pragma once

#include "app/CofferApp.h"
#include "app/MainFrame.h"

#include <QStringList>

#include <memory>

namespace support {

// The program as a user starts it with these arguments: the main frame shown at 1000×700 and
// idle once. Null when it does not start.
inline std::unique_ptr<CCofferApp> StartApp(const QStringList& arguments = {})
{
    auto pApp = std::make_unique<CCofferApp>();
    if (!pApp->InitInstance(arguments, false))
        return nullptr;
    pApp->MainFrame()->resize(1000, 700);
    pApp->MainFrame()->show();
    pApp->MainFrame()->OnIdle();
    return pApp;
}

} // namespace support
