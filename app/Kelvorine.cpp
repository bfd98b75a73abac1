// The program: the application object, its title, the main window and the message loop.
#include "app/QuietTasks.h"
#include "app/Unit1.h"
#include "app/logic/Texts.h"

#include "agent/player/Player.h"
#include "skin/data/win/SkinManager.h"
#include "ui/forms/Forms.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The installer's tasks: no window, the exit code says how it went.
    kv::app::QuietTask task = kv::app::QuietTaskOf(kv::app::CommandLineArguments());
    if (task != kv::app::QuietTask::None) return kv::app::RunQuietTask(task);
    // Without the system's Agent control the built-in player stands in.
    kv::agent::player::InstallBuiltInPlayer();
    TApplication app(nullptr);
    app.Initialize();
    app.SetTitle(std::string(kv::app::kApplicationTitle));
    try {
        app.CreateForm<kv::app::TForm1>();
    } catch (const std::exception& e) {
        app.HandleException(e); // a damaged layout: nothing to run
        return 1;
    }
    app.Run();
    kv::ShutDownSkinManager(); // unhooks every window without giving frames back
    return 0;
}
