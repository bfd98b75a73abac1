// The control gallery: every control kind of the framework in one form, for looking at skins
// and for testing them. Options: --page=N shows page N first; --exit-after=MS closes after MS
// milliseconds.
#include "tools/gallery/GalleryForm.h"

#include "ui/services/Timer.h"

#include <cstdlib>
#include <cstring>

namespace {
int OptionValue(const char* commandLine, const char* name, int fallback) {
    const char* found = std::strstr(commandLine, name);
    return found ? std::atoi(found + std::strlen(name)) : fallback;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    TApplication app(nullptr);
    app.Initialize();
    app.SetTitle("Kelvorine control gallery");
    auto* form = app.CreateForm<TGalleryForm>();
    form->ShowPage(OptionValue(commandLine, "--page=", 0));
    int exitAfter = OptionValue(commandLine, "--exit-after=", 0);
    TTimer closer(nullptr);
    closer.SetEnabled(exitAfter > 0);
    closer.SetInterval(static_cast<unsigned>(exitAfter > 0 ? exitAfter : 1000));
    closer.SetOnTimer([form](TObject*) { form->Close(); });
    app.Run();
    return 0;
}
