// Every common-control kind is a real Windows control under its T-name.
#include "tests/windows/support/Pump.h"
#include "ui/controls/ComctlClasses.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <richedit.h>

#include <string>

namespace {

HWND MakeParent() {
    return CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND MakeKind(const char* kind, HWND parent) {
    const char* cls = RegisterComctlClass(kind);
    if (!cls) return nullptr;
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 60, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

using kv::test::ClassNameOf;

TEST(ComctlClasses, EveryKindIsCreatedWithItsTName) {
    HWND parent = MakeParent();
    for (int i = 0; i < kComctlKindCount; ++i) {
        const char* kind = kComctlKinds[i];
        HWND window = MakeKind(kind, parent);
        ASSERT_NE(window, nullptr) << kind;
        EXPECT_EQ(ClassNameOf(window), kind);
        EXPECT_NE(BaseWindowProc(kind), nullptr) << kind;
        EXPECT_EQ(RegisterComctlClass(kind), std::string(kind)) << "registering twice";
    }
    EXPECT_EQ(RegisterComctlClass("TNoSuchControl"), nullptr);
    EXPECT_STREQ(ComctlBaseClass("TListView"), "SysListView32");
    DestroyWindow(parent);
}

// The windows answer their controls' own messages.
TEST(ComctlClasses, TheWindowsBehaveAsTheirControls) {
    HWND parent = MakeParent();

    HWND toolbar = MakeKind("TToolBar", parent);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 1;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].fsStyle = BTNS_BUTTON;
    buttons[1].fsStyle = BTNS_SEP;
    EXPECT_TRUE(SendMessageA(toolbar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons)));
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 2);

    HWND status = MakeKind("TStatusBar", parent);
    int parts[] = {50, 120, -1};
    EXPECT_TRUE(SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts)));
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 3);

    HWND progress = MakeKind("TProgressBar", parent);
    SendMessageA(progress, PBM_SETRANGE32, 0, 200);
    SendMessageA(progress, PBM_SETPOS, 150, 0);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 150);

    HWND track = MakeKind("TTrackBar", parent);
    SendMessageA(track, TBM_SETRANGEMAX, TRUE, 50);
    SendMessageA(track, TBM_SETPOS, TRUE, 20);
    EXPECT_EQ(SendMessageA(track, TBM_GETPOS, 0, 0), 20);

    HWND updown = MakeKind("TUpDown", parent);
    SendMessageA(updown, UDM_SETRANGE32, 0, 9);
    SendMessageA(updown, UDM_SETPOS32, 0, 4);
    EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 4);

    HWND tabs = MakeKind("TPageControl", parent);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("One");
    SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    SendMessageA(tabs, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&tab));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);

    HWND header = MakeKind("THeaderControl", parent);
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = 60;
    item.pszText = const_cast<char*>("Name");
    SendMessageA(header, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);

    HWND list = MakeKind("TListView", parent);
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.pszText = const_cast<char*>("row");
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);

    HWND rich = MakeKind("TRichEdit", parent);
    SetWindowTextA(rich, "rich text");
    EXPECT_EQ(GetWindowTextLengthA(rich), 9);
    EXPECT_GT(SendMessageA(rich, EM_GETLIMITTEXT, 0, 0), 0);

    DestroyWindow(parent);
}

} // namespace
