// The program: the application's title, the main window, the message loop.
#include "app/Unit1.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"
#include "app/win/WinUtil.h"

#include "agent/player/Player.h"
#include "ui/forms/Forms.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The arguments after the program name, in the ANSI code page.
std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(kv::app::ToAnsi(list[i]));
    LocalFree(list);
    return arguments;
}

int RunMessageLoop(kv::app::TForm1& form) {
    MSG msg;
    while (!form.Terminated()) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) return got == 0 ? int(msg.wParam) : 1;
        if (form.TranslateShortcut(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Without the system's Agent control the built-in player stands in.
    kv::agent::player::InstallBuiltInPlayer();
    TApplication app(nullptr);
    app.Initialize();
    app.SetTitle(std::string(kv::app::kApplicationTitle));
    int rc = 0;
    try {
        auto form = std::make_unique<kv::app::TForm1>(CommandLineArguments());
        form->Show(show);
        rc = RunMessageLoop(*form);
    } catch (...) {
        kv::app::ShowCurrentException();
        rc = 1;
    }
    return rc;
}
