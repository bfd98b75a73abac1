#include "tools/gallery/GalleryMdi.h"

#include "tools/gallery/GallerySkin.h"

#include "skin/data/win/SkinData.h"
#include "ui/classes/Properties.h"
#include "ui/menus/Menus.h"
#include "ui/services/OpenDialog.h"

KV_DEFINE_PLAIN_CLASS(TGalleryMdiForm, TForm)
KV_DEFINE_PLAIN_CLASS(TGalleryMdiChild, TForm)

TGalleryMdiForm::TGalleryMdiForm(TComponent* owner) : TForm(owner) {
    RegisterGalleryComponents();
    PublishMethod("OpenSkinClick", TNotifyEvent([this](TObject*) { OpenSkinClick(); }));
    PublishMethod("SkinningClick", TNotifyEvent([this](TObject* s) { SkinningClick(s); }));
    PublishMethod("CascadeClick", TNotifyEvent([this](TObject*) { ArrangeClick(WM_MDICASCADE); }));
    PublishMethod("TileClick", TNotifyEvent([this](TObject*) { ArrangeClick(WM_MDITILE); }));
    PublishMethod("CloseClick", TNotifyEvent([this](TObject*) { Close(); }));
}

void TGalleryMdiForm::AddChildren() {
    for (int i = 0; i < 2; ++i) {
        auto* child = Application->CreateForm<TGalleryMdiChild>();
        // Both come from one layout; the first gives up the layout's name for the second.
        child->SetName("ChildWindow" + std::to_string(i + 1));
        child->SetCaption("Child window " + std::to_string(i + 1));
        child->SetBounds(12 + 40 * i, 12 + 40 * i, child->Width(), child->Height());
        child->Show();
    }
}

void TGalleryMdiForm::OpenSkinClick() {
    auto* data = Find<kv::TSkinData>("SkinData1");
    auto* dialog = Find<TOpenDialog>("SkinDialog");
    if (data && dialog) OpenSkinWithDialog(*data, *dialog);
}

void TGalleryMdiForm::SkinningClick(TObject* sender) {
    auto* data = Find<kv::TSkinData>("SkinData1");
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (data && item) ToggleSkinning(*data, *item);
}

void TGalleryMdiForm::ArrangeClick(UINT message) {
    if (ClientHandle()) SendMessageW(ClientHandle(), message, 0, 0);
}

bool StartMdiGallery(const std::string& skinFile) {
    std::wstring exe(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()));
    if (length == 0 || length >= exe.size()) {
        ShowGalleryMessage("The MDI window could not be started.");
        return false;
    }
    exe.resize(length);
    std::wstring command = L"\"" + exe + L"\" --mdi";
    if (!skinFile.empty()) command += L" \"" + AnsiToWide(skinFile) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ShowGalleryMessage("The MDI window could not be started.");
        return false;
    }
    // Nothing waits for the second gallery: it lives on its own.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
