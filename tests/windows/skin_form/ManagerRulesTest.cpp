// The skin component's defaults and the manager's rules for which window is skinned, by which
// component, and how far.
#include "SkinFixture.h"

#include <commctrl.h>

namespace kv::test {
namespace {

TEST(SkinDataDefaults, AFreshComponentHasTheStoredDefaults) {
    TSkinData data(nullptr);
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_EQ(data.Version(), "2.60.4.29");
    EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfMainform);
    EXPECT_FALSE(data.Has(xcFastReport));
    EXPECT_TRUE(data.Has(xcMainMenu));
    EXPECT_EQ(data.Skin3rd().Count(), 95);
    EXPECT_FALSE(data.Active());
    EXPECT_TRUE(data.SkinEmpty());
    EXPECT_EQ(data.SkinStore(), "(none)");
}

TEST(SkinDataDefaults, ActiveWithoutASkinStaysInactiveAndRequestsNothing) {
    TSkinData data(nullptr);
    data.SetActive(true);
    data.Loaded();
    EXPECT_FALSE(data.Active());
    data.SetActive(true); // stored, but there is nothing to skin with
    EXPECT_TRUE(!SkinManager || SkinManager->PendingAction == saNone);
    ShutDownSkinManager();
}

TEST_F(SkinnedForm, ClassFilterOfTheMainComponent) {
    ASSERT_NE(ShowSkinned(), nullptr);
    EXPECT_FALSE(SkinManager->MayFormSkin("SysMonthCal32"));
    EXPECT_TRUE(SkinManager->MayFormSkin("TfrPreviewForm")); // xcFastReport is off
    data->SetSkinControls(data->SkinControls() | SkinControlBit(xcFastReport));
    EXPECT_FALSE(SkinManager->MayFormSkin("TfrPreviewForm"));
    data->OnFormSkin = [](TObject*, const std::string&, bool& doSkin) { doSkin = true; };
    EXPECT_TRUE(SkinManager->MayFormSkin("SysMonthCal32")); // the handler decides
    EXPECT_TRUE(SkinManager->MayFormSkin("TfrPreviewForm"));
}

TEST_F(SkinnedForm, SystemDialogsTakeTheDialogComponentWhenThereIsOne) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND dialog = CreateWindowExW(0, L"#32770", L"Dialog", WS_POPUP | WS_CAPTION, 50, 50, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SkinManager->ChooseSkinData(dialog), data);
    auto* forDialogs = new TSkinData(form);
    forDialogs->SetSkinFormtype(TSkinFormType::sfDialog);
    SkinManager->AddSkinData(forDialogs);
    EXPECT_EQ(SkinManager->ChooseSkinData(dialog), forDialogs);
    EXPECT_EQ(SkinManager->ChooseSkinData(form->Handle()), data);
    DestroyWindow(dialog);
}

TEST_F(SkinnedForm, SizeGripIsRefusedOnASkinnedFormOnly) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND grip = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16,
                                form->Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(grip, nullptr);
    HWND plain = CreateWindowExW(0, L"STATIC", L"plain", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    HWND onPlain = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_SIZEGRIP, 0, 0, 16,
                                   16, plain, nullptr, nullptr, nullptr);
    EXPECT_NE(onPlain, nullptr);
    DestroyWindow(plain);
}

TEST_F(SkinnedForm, WithoutMainMenuSkinningTheWindowKeepsItsFrame) {
    data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcMainMenu));
    form->Show();
    SetForegroundWindow(form->Handle());
    HWND h = form->Handle();
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h) != nullptr; }));
    Pump(200); // past the activation message, which such a skin leaves to the window
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, region), ERROR);
    DeleteObject(region);
    EXPECT_EQ(SkinManager->FindForm(h)->FramePaints, 0);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
}

TEST_F(SkinnedForm, AChildWindowGetsNoFrameAndIsNotResizedWhenUnskinned) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE | WS_CAPTION, 10,
                                 10, 120, 80, form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(SkinManager->SkinWindow(child));
    Pump(100);
    TWinSkinForm* skin = SkinManager->FindForm(child);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->FramePaints, 0);
    RECT before{};
    GetWindowRect(child, &before);
    data->SetActive(false);
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(child) == nullptr; }));
    RECT after{};
    GetWindowRect(child, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(SkinnedForm, AMessageDialogIsWidenedForItsCaptionOnce) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND dialog = CreateWindowExW(0, L"#32770",
                                  L"A caption much longer than this small dialog is wide",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 50, 50, 120, 90,
                                  form->Handle(), nullptr, nullptr, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 20, 20, 60, 24,
                                  dialog, nullptr, nullptr, nullptr);
    RECT b0{};
    GetWindowRect(button, &b0);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    TWinSkinForm* skin = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        skin = SkinManager->FindForm(dialog);
        return skin && skin->SkinState == 1;
    }));
    RECT w{};
    GetWindowRect(dialog, &w);
    EXPECT_GT(w.right - w.left, 120);
    RECT b1{};
    GetWindowRect(button, &b1);
    EXPECT_GT(b1.left - w.left, b0.left - 50); // moved right with the widening
    // A recolour keeps the width: the widening happens once.
    skin->Recolor();
    Pump(100);
    RECT again{};
    GetWindowRect(dialog, &again);
    EXPECT_EQ(again.right - again.left, w.right - w.left);
    DestroyWindow(dialog);
}

} // namespace
} // namespace kv::test
