// The system's open dialog over a skinned form: a foreign window, skinned by the manager, whose
// controls get their skins by window class and style: the push buttons, the combo boxes (the
// inner combo of an extended one too) and the size grip. Its file list has no row of its own and
// keeps the system's look.
#include "Controls2Fixture.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinSizer.h"

#include <commdlg.h>

namespace kv::test {
namespace {

struct DialogWatch {
    HWND dialog = nullptr;
    int buttons = 0, combos = 0, sizers = 0, grips = 0;
    bool seen = false;
    DWORD start = 0;
};
DialogWatch g_dialog;

BOOL CALLBACK FindDialog(HWND h, LPARAM) {
    char name[16] = {};
    GetClassNameA(h, name, sizeof name);
    if (strcmp(name, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
    g_dialog.dialog = h;
    return FALSE;
}

BOOL CALLBACK CountGrip(HWND h, LPARAM) {
    char name[16] = {};
    GetClassNameA(h, name, sizeof name);
    if (_stricmp(name, "scrollbar") == 0 && (GetWindowLongW(h, GWL_STYLE) & SBS_SIZEGRIP))
        ++g_dialog.grips;
    return TRUE;
}

// Runs inside the dialog's modal loop: counts the control skins once the dialog is skinned and
// has had a moment to paint, then cancels it.
void CALLBACK WatchDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (g_dialog.seen) return;
    const DWORD waited = GetTickCount() - g_dialog.start;
    if (!g_dialog.dialog) EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    TWinSkinForm* skin =
        g_dialog.dialog && SkinManager ? SkinManager->FindForm(g_dialog.dialog) : nullptr;
    if (waited < 8000 && (!skin || skin->SkinState != 1 || waited < 600)) return;
    g_dialog.seen = true;
    if (skin) {
        for (TSkinControl* s : skin->ControlSkins) {
            g_dialog.buttons += dynamic_cast<TSkinButton*>(s) != nullptr;
            g_dialog.combos += dynamic_cast<TSkinComBox*>(s) != nullptr;
            g_dialog.sizers += dynamic_cast<TSkinSizer*>(s) != nullptr;
        }
        EnumChildWindows(g_dialog.dialog, CountGrip, 0);
    }
    if (g_dialog.dialog) PostMessageW(g_dialog.dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(Controls2, TheOpenDialogsButtonsComboBoxesAndSizeGripAreSkinned) {
    ASSERT_NE(ShowSkinned(), nullptr);
    g_dialog = {};
    g_dialog.start = GetTickCount();
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = form->Handle();
    ofn.lpstrFilter = L"Characters (*.acs)\0*.acs\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, WatchDialog);
    const BOOL chosen = GetOpenFileNameW(&ofn);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(chosen);
    ASSERT_TRUE(g_dialog.seen);
    EXPECT_GE(g_dialog.buttons, 2) << "Open and Cancel";
    EXPECT_GE(g_dialog.combos, 2) << "the folder, the file name or type boxes";
    EXPECT_EQ(g_dialog.sizers, g_dialog.grips) << "each size grip, and nothing else, a sizer";
}

} // namespace
} // namespace kv::test
