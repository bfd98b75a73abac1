#include "tools/gallery/GallerySkin.h"

#include "skin/data/SkinDefinition.h"
#include "skin/data/SkinRead.h"
#include "skin/data/win/SkinData.h"
#include "ui/classes/Properties.h"
#include "ui/menus/Menus.h"
#include "ui/services/OpenDialog.h"

#include <windows.h>

#include <fstream>
#include <optional>

namespace {

void ShowMessageBox(const std::string& text) {
    MessageBoxA(GetActiveWindow(), text.c_str(), kGalleryTitle, MB_OK | MB_ICONWARNING);
}

GalleryMessageDisplay& MessageDisplay() {
    static GalleryMessageDisplay display = ShowMessageBox;
    return display;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file's bytes, or nothing when it cannot be read or is larger than any packed skin.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || uint64_t(size) > kv::kSkinMaxFileBytes) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!bytes.empty() && !file.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

// A trial parse; the reader's own words about the file are dropped, the caller says one thing.
bool ParsesAsSkin(const std::vector<uint8_t>& bytes) {
    kv::ScopedSkinMessageHook quiet([](const std::string&) {});
    return kv::LoadPackedSkin(bytes) != nullptr;
}

} // namespace

bool UseSkinFile(kv::TSkinData& data, const std::string& path) {
    if (!FileExists(path)) {
        ShowGalleryMessage("The skin file " + path + " does not exist. The skin in use stays.");
        return false;
    }
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes || !ParsesAsSkin(*bytes)) {
        ShowGalleryMessage("The file " + path +
                           " is not a packed skin that can be used. The skin in use stays.");
        return false;
    }
    data.SetSkinFile(path);
    return !data.SkinEmpty();
}

bool OpenSkinWithDialog(kv::TSkinData& data, TOpenDialog& dialog) {
    if (!dialog.Execute()) return false;
    return UseSkinFile(data, dialog.FileName());
}

void ToggleSkinning(kv::TSkinData& data, TMenuItem& item) {
    data.SetActive(!data.Active());
    item.SetChecked(data.Active());
}

void RegisterGalleryComponents() {
    RegisterComponentClass<TOpenDialog>();
    kv::RegisterSkinClasses();
}

void ShowGalleryMessage(const std::string& text) {
    MessageDisplay()(text);
}

void SetGalleryMessageDisplay(GalleryMessageDisplay display) {
    MessageDisplay() = display ? std::move(display) : GalleryMessageDisplay(ShowMessageBox);
}
