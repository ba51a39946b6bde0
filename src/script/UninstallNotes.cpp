#include "script/UninstallNotes.h"

#include "framework/App.h"
#include "framework/Window.h"

CUninstallNotes* FindUninstallNotes() {
    fw::App* app = fw::App::Current();
    if (!app) return nullptr;
    return dynamic_cast<CUninstallNotes*>(fw::Window::FromHandle(app->GetMainWnd()));
}
