// The control gallery and skin preview: every control kind of the framework in one form,
// skinned, for skin authors to look at their skins and for testing them.
//   gallery.exe [SKINFILE] [--page=N] [--exit-after=MS] [--mdi]
// SKINFILE is a packed skin to start with (the default skin when absent or unusable);
// --page=N shows page N first; --exit-after=MS closes after MS milliseconds; --mdi shows the
// MDI window (a frame with two children) instead of the gallery form.
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryMdi.h"
#include "tools/gallery/GallerySkin.h"

#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "ui/services/Timer.h"

#include <cstdlib>
#include <cstring>

namespace {
int OptionValue(const char* commandLine, const char* name, int fallback) {
    const char* found = std::strstr(commandLine, name);
    return found ? std::atoi(found + std::strlen(name)) : fallback;
}

TForm* CreateMainForm(TApplication& app, bool mdi, int page) {
    if (mdi) {
        auto* frame = app.CreateForm<TGalleryMdiForm>();
        frame->AddChildren(); // children need the frame to be the main form first
        return frame;
    }
    auto* form = app.CreateForm<TGalleryForm>();
    form->ShowPage(page);
    return form;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    TApplication app(nullptr);
    app.Initialize();
    app.SetTitle(kGalleryTitle);
    TForm* form = nullptr;
    try {
        form = CreateMainForm(app, std::strstr(commandLine, "--mdi") != nullptr,
                              OptionValue(commandLine, "--page=", 0));
    } catch (const std::exception& e) {
        app.HandleException(e); // a damaged layout: nothing to run
        return 1;
    }
    // Before the window shows, so that it wears the chosen skin from the start.
    const std::string skinFile = SkinFileArgument(ProgramArguments());
    if (auto* data = form->Find<kv::TSkinData>("SkinData1"); data && !skinFile.empty())
        UseSkinFile(*data, skinFile);
    int exitAfter = OptionValue(commandLine, "--exit-after=", 0);
    TTimer closer(nullptr);
    closer.SetEnabled(exitAfter > 0);
    closer.SetInterval(static_cast<unsigned>(exitAfter > 0 ? exitAfter : 1000));
    closer.SetOnTimer([form](TObject*) { form->Close(); });
    app.Run();
    kv::ShutDownSkinManager(); // unhooks every window without giving frames back
    return 0;
}
