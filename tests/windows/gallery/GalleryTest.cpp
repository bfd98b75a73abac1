// The skin preview's choices: a skin file that cannot be used leaves the skin in force serving
// windows, a good one takes over, Skinning switches the skin off and on, and the MDI window
// holds its two children.
#include "tests/windows/skin_form/SkinFixture.h"
#include "tools/gallery/GalleryMdi.h"
#include "tools/gallery/GalleryOptions.h"
#include "tools/gallery/GallerySkin.h"

#include "ui/menus/Menus.h"

#include <fstream>

namespace kv::test {
namespace {

std::string WriteTempFile(const std::vector<uint8_t>& bytes, const char* name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

class GallerySkinChoice : public SkinnedForm {
protected:
    void SetUp() override {
        SkinnedForm::SetUp();
        SetGalleryMessageDisplay([this](const std::string& text) { told.push_back(text); });
    }
    void TearDown() override {
        SetGalleryMessageDisplay(nullptr);
        SkinnedForm::TearDown();
    }
    std::vector<std::string> told;
};

TEST(GalleryArguments, SkinFileAndOptionsInAnyOrder) {
    GalleryOptions none = ParseGalleryOptions({});
    EXPECT_EQ(none.skinFile, "");
    EXPECT_EQ(none.page, 0);
    EXPECT_EQ(none.exitAfterMs, 0);
    EXPECT_FALSE(none.mdi);
    GalleryOptions all = ParseGalleryOptions(
        {"--page=2", "C:\\skins\\a b.skin", "--mdi", "second.skin", "--exit-after=500"});
    EXPECT_EQ(all.skinFile, "C:\\skins\\a b.skin"); // the first one; the second is ignored
    EXPECT_EQ(all.page, 2);
    EXPECT_EQ(all.exitAfterMs, 500);
    EXPECT_TRUE(all.mdi);
}

TEST(GalleryArguments, BadNumbersAndUnknownOptionsLeaveTheDefaults) {
    for (const char* bad : {"--page=", "--page=-3", "--page=2x", "--page=99999999999"}) {
        EXPECT_EQ(ParseGalleryOptions({bad}).page, 0) << bad;
    }
    GalleryOptions unknown = ParseGalleryOptions({"--pages=3", "--mdi-window"});
    EXPECT_EQ(unknown.page, 0);
    EXPECT_FALSE(unknown.mdi);
    EXPECT_EQ(unknown.skinFile, ""); // an unknown option is not a skin file
}

// The component alone would stop serving new windows after a failed load; the gallery refuses
// the file first, so the window opened afterwards still wears the default skin.
TEST_F(GallerySkinChoice, UnusableFilesAreRefusedAndTheSkinInUseStays) {
    const TSkinDefinition* before = data->Skin();
    std::vector<uint8_t> packed = StoredPackedSkin();
    const std::string truncated =
        WriteTempFile({packed.begin(), packed.begin() + 300}, "kv_gallery_bad.skin");
    const std::string missing = "C:\\no\\such\\folder\\gone.skin";
    for (const std::string& path : {truncated, missing}) {
        told.clear();
        EXPECT_FALSE(UseSkinFile(*data, path));
        ASSERT_EQ(told.size(), 1u) << path;
        EXPECT_NE(told[0].find(path), std::string::npos);
        EXPECT_NE(told[0].find("The skin in use stays."), std::string::npos);
        EXPECT_FALSE(data->SkinEmpty());
        EXPECT_EQ(data->Skin(), before);
        EXPECT_EQ(data->SkinFile(), "");
    }
    EXPECT_NE(told[0].find("does not exist"), std::string::npos);
    EXPECT_NE(ShowSkinned(), nullptr);
}

TEST_F(GallerySkinChoice, AGoodFileBecomesTheSkinFile) {
    const std::string path = WriteTempFile(StoredPackedSkin(), "kv_gallery_good.skin");
    const TSkinDefinition* before = data->Skin();
    EXPECT_TRUE(UseSkinFile(*data, path));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(data->SkinFile(), path);
    EXPECT_NE(data->Skin(), before); // a fresh set parsed from the file
    EXPECT_NE(ShowSkinned(), nullptr);
}

TEST_F(GallerySkinChoice, SkinningSwitchesTheSkinOffAndOn) {
    ASSERT_NE(ShowSkinned(), nullptr);
    TMenuItem item(nullptr);
    item.SetChecked(true);
    ToggleSkinning(*data, item);
    EXPECT_FALSE(item.Checked());
    EXPECT_TRUE(WaitFor([&] { return SkinManager->FindForm(form->Handle()) == nullptr; }));
    ToggleSkinning(*data, item);
    EXPECT_TRUE(item.Checked());
    EXPECT_TRUE(WaitFor([&] { return SkinManager->FindForm(form->Handle()) != nullptr; }));
}

// The gallery's window has a menu bar: taking the skin off and putting it on again must give
// the window back the size it had, not one menu bar taller each time.
TEST_F(GallerySkinChoice, SkinningOffAndOnKeepsTheSizeOfAWindowWithAMenu) {
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(menu);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    form->SetMenu(menu);
    ASSERT_NE(ShowSkinned(), nullptr);
    RECT skinned{}, again{}, skinnedClient{}, plainClient{};
    GetWindowRect(form->Handle(), &skinned);
    GetClientRect(form->Handle(), &skinnedClient);
    TMenuItem item(nullptr);
    ToggleSkinning(*data, item);
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(form->Handle()) == nullptr; }));
    GetClientRect(form->Handle(), &plainClient);
    ToggleSkinning(*data, item);
    ASSERT_NE(ShowSkinned(), nullptr);
    GetWindowRect(form->Handle(), &again);
    EXPECT_EQ(again.bottom - again.top, skinned.bottom - skinned.top);
    EXPECT_EQ(again.right - again.left, skinned.right - skinned.left);
    // Unskinned, the client keeps the size it had under the skin.
    EXPECT_EQ(plainClient.bottom, skinnedClient.bottom);
    EXPECT_EQ(plainClient.right, skinnedClient.right);
}

TEST(GalleryMdiWindow, TheFrameHoldsTwoChildrenAndItsOwnSkin) {
    auto* app = new TApplication(nullptr);
    app->Initialize();
    auto* frame = app->CreateForm<TGalleryMdiForm>();
    frame->AddChildren(); // both children come from one layout
    EXPECT_EQ(frame->MDIChildCount(), 2);
    auto* data = frame->Find<TSkinData>("SkinData1");
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->SkinEmpty());
    EXPECT_TRUE(data->Active());
    ShutDownSkinManager();
    delete app;
}

} // namespace
} // namespace kv::test
