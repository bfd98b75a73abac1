// A system message box over a skinned form: its push buttons get skins by window class and
// style, and a real click on the skinned OK button ends the box with IDOK.
#include "ControlFixture.h"

#include "base/Bmp.h"
#include "skin/controls/SkinButton.h"

#include <cstdio>

namespace kv::test {
namespace {

struct BoxWatch {
    HWND box = nullptr;
    int buttonSkins = 0;
    int clicks = 0;
    DWORD start = 0;
    DWORD lastClick = 0;
};
BoxWatch g_watch;

BOOL CALLBACK FindBox(HWND h, LPARAM) {
    char name[16] = {};
    GetClassNameA(h, name, sizeof name);
    if (strcmp(name, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
    g_watch.box = h;
    return FALSE;
}

// For a look at the skinned box: KV_SHOT_DIR names a folder to save it in.
void SaveShot(HWND h) {
    const char* dir = getenv("KV_SHOT_DIR");
    if (!dir) return;
    const PixelBuffer shot = ScreenShotOf(h);
    const std::vector<uint8_t> bmp = EncodeBmp24(shot.View());
    const std::string path = std::string(dir) + "\\messagebox.bmp";
    if (FILE* f = fopen(path.c_str(), "wb")) {
        fwrite(bmp.data(), 1, bmp.size(), f);
        fclose(f);
    }
}

void ClickAt(POINT p) {
    INPUT in[3] = {MoveInput(p.x, p.y), ButtonInput(true), ButtonInput(false)};
    SendInput(3, in, sizeof(INPUT));
}

// Runs inside the box's modal loop. A click can be lost on a busy machine (the box still
// settling under the pointer), so it is tried again each second; after eight seconds the box is
// cancelled, which fails the test without hanging the run.
void CALLBACK WatchBox(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_watch.box) EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
    if (GetTickCount() - g_watch.start > 8000) {
        if (g_watch.box) PostMessageW(g_watch.box, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    TWinSkinForm* skin = g_watch.box && SkinManager ? SkinManager->FindForm(g_watch.box) : nullptr;
    if (!skin || skin->SkinState != 1) return;
    if (g_watch.clicks > 0 && GetTickCount() - g_watch.lastClick < 1000) return;
    if (g_watch.clicks == 0) {
        for (TSkinControl* s : skin->ControlSkins)
            if (dynamic_cast<TSkinButton*>(s)) ++g_watch.buttonSkins;
        SaveShot(g_watch.box);
    }
    ++g_watch.clicks;
    g_watch.lastClick = GetTickCount();
    ClickAt(CentreOf(GetDlgItem(g_watch.box, IDOK)));
}

TEST_F(SkinnedControls, AMessageBoxGetsSkinnedButtonsThatClick) {
    ASSERT_NE(ShowSkinned(), nullptr);
    g_watch = {};
    g_watch.start = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, WatchBox);
    const int answer = MessageBoxW(form->Handle(), L"Skinned buttons?", L"Box", MB_OKCANCEL);
    KillTimer(nullptr, timer);
    if (g_watch.clicks > 1) std::printf("(the OK button took %d clicks)\n", g_watch.clicks);
    EXPECT_EQ(g_watch.buttonSkins, 2);
    EXPECT_EQ(answer, IDOK);
}

} // namespace
} // namespace kv::test
