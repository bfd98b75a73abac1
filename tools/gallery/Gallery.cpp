// The control gallery and skin preview: every control kind of the framework in one form,
// skinned, for skin authors to look at their skins and for testing them.
//   gallery.exe [SKINFILE] [--page=N] [--exit-after=MS] [--mdi]
// SKINFILE is a packed skin to start with (the default skin when absent or unusable);
// --page=N shows page N first; --exit-after=MS closes after MS milliseconds; --mdi shows the
// MDI window (a frame with two children) instead of the gallery form.
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryMdi.h"
#include "tools/gallery/GalleryOptions.h"
#include "tools/gallery/GallerySkin.h"

#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "ui/services/Timer.h"

namespace {
TForm* CreateMainForm(TApplication& app, const GalleryOptions& options) {
    if (options.mdi) {
        auto* frame = app.CreateForm<TGalleryMdiForm>();
        frame->AddChildren(); // children need the frame to be the main form first
        return frame;
    }
    auto* form = app.CreateForm<TGalleryForm>();
    form->ShowPage(options.page);
    return form;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const GalleryOptions options = ParseGalleryOptions(ProgramArguments());
    TApplication app(nullptr);
    app.Initialize();
    app.SetTitle(kGalleryTitle);
    TForm* form = nullptr;
    try {
        form = CreateMainForm(app, options);
    } catch (const std::exception& e) {
        app.HandleException(e); // a damaged layout: nothing to run
        return 1;
    }
    // Before the window shows, so that it wears the chosen skin from the start.
    if (auto* data = form->Find<kv::TSkinData>("SkinData1"); data && !options.skinFile.empty())
        UseSkinFile(*data, options.skinFile);
    TTimer closer(nullptr);
    closer.SetEnabled(options.exitAfterMs > 0);
    closer.SetInterval(static_cast<unsigned>(options.exitAfterMs > 0 ? options.exitAfterMs : 1000));
    closer.SetOnTimer([form](TObject*) { form->Close(); });
    app.Run();
    kv::ShutDownSkinManager(); // unhooks every window without giving frames back
    return 0;
}
