#pragma once
// A skinned form with a main menu (File, View with a Language submenu of radio items, Run
// without a submenu, a disabled Off, Help), real keyboard and mouse input, and a script of
// steps that a timer runs inside the menu loop.
#include "skin/menu/MenuBar.h"
#include "tests/windows/skin_form/NcInput.h"
#include "tests/windows/skin_form/SkinFixture.h"
#include "ui/actions/ShortCut.h"
#include "ui/menus/Menus.h"

#include <functional>
#include <string>
#include <vector>

namespace kv::test {

inline void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
    std::vector<INPUT> inputs;
    for (auto [vk, down] : strokes) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void Key(WORD vk) {
    Keys({{vk, true}, {vk, false}});
}

inline void AltKey(WORD vk) {
    Keys({{VK_MENU, true}, {vk, true}, {vk, false}, {VK_MENU, false}});
}

// Input sent from inside the menu loop (a timer proc): queued, not pumped.
inline void MoveNow(int x, int y) {
    INPUT in[2] = {MoveInput(x - 1, y), MoveInput(x, y)};
    SendInput(2, in, sizeof(INPUT));
}

inline void ClickNow() {
    INPUT in[2] = {ButtonInput(true), ButtonInput(false)};
    SendInput(2, in, sizeof(INPUT));
}

inline bool IsOpenPopup(HWND h) {
    wchar_t name[16] = {};
    GetClassNameW(h, name, 16);
    return wcscmp(name, L"#32768") == 0 && IsWindowVisible(h);
}

inline BOOL CALLBACK CollectOpenPopup(HWND h, LPARAM p) {
    if (IsOpenPopup(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
}

// The visible popup menu windows of this thread, and their menus.
inline std::vector<HWND> OpenPopupWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectOpenPopup, LPARAM(&found));
    return found;
}

inline std::vector<HMENU> OpenPopupMenus() {
    std::vector<HMENU> menus;
    for (HWND h : OpenPopupWindows())
        menus.push_back(reinterpret_cast<HMENU>(SendMessageW(h, MN_GETHMENU, 0, 0)));
    return menus;
}

inline HWND OpenPopupWindow() {
    const auto found = OpenPopupWindows();
    return found.empty() ? nullptr : found[0];
}

// Steps run one per timer tick, also inside a menu loop (the timer belongs to the thread).
struct MenuScript {
    static inline std::vector<std::function<void()>> steps;
    static inline size_t next = 0;
    static inline UINT_PTR timer = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (next >= steps.size()) {
            Stop();
            return;
        }
        auto step = steps[next++];
        step();
    }
    static void Run(std::vector<std::function<void()>> s, UINT intervalMs = 200) {
        Stop();
        steps = std::move(s);
        next = 0;
        timer = SetTimer(nullptr, 0, intervalMs, Tick);
    }
    static void Stop() {
        if (timer) KillTimer(nullptr, timer);
        timer = 0;
    }
    static bool Done() { return next >= steps.size(); }
};

class MenuBarTest : public SkinnedForm {
protected:
    void SetUp() override {
        SkinnedForm::SetUp();
        menu = new TMainMenu(form);
        file = AddItem(menu->Items(), "&File");
        open = AddItem(file, "&Open", [this] { ++opens; });
        open->SetShortCut(TextToShortCut("Ctrl+O"));
        AddItem(file, "-");
        AddItem(file, "&Quit");
        view = AddItem(menu->Items(), "&View");
        AddItem(view, "&Show");
        language = AddItem(view, "&Language");
        for (const char* name : {"English", "Chinese Simple", "Big5"}) {
            TMenuItem* item = AddItem(language, name);
            item->SetRadioItem(true);
            item->SetGroupIndex(1);
        }
        language->Items(0)->SetChecked(true);
        run = AddItem(menu->Items(), "&Run", [this] { ++runs; });
        off = AddItem(menu->Items(), "&Off", [this] { ++offs; });
        AddItem(off, "&Inner", [this] { ++offs; });
        off->SetEnabled(false);
        help = AddItem(menu->Items(), "&Help");
        AddItem(help, "&About");
        form->SetMenu(menu);
    }
    void TearDown() override {
        MenuScript::Stop();
        SkinnedForm::TearDown();
    }

    TMenuItem* AddItem(TMenuItem* parent, const char* caption, std::function<void()> click = {}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        if (click) item->SetOnClick([click](TObject*) { click(); });
        parent->Add(item);
        return item;
    }

    // Shows the skinned form with its bar laid out.
    TWinSkinMenu* ShowBar() {
        skin = ShowSkinned();
        if (!skin || !skin->MenuBar()) return nullptr;
        SendMessageW(form->Handle(), WM_SKINREPAINTFRAME, 0, 0);
        MouseAt(20, 20); // away from the window
        return skin->MenuBar();
    }

    TMenuBtn* Button(int index) { return skin->MenuBar()->BarButtons[size_t(index)].get(); }
    POINT ButtonCentre(int index) { return CentreOnScreen(form->Handle(), Button(index)->BoundsRect); }

    void ClickButton(int index) {
        const POINT p = ButtonCentre(index);
        MouseAt(p.x, p.y);
        Send({ButtonInput(true)});
        Send({ButtonInput(false)});
    }

    // Waits for the script and for the menu loop to be over.
    bool WaitScript(DWORD ms = 5000) {
        return WaitFor([] { return MenuScript::Done() && OpenMenuIndex() < 0 && OpenPopupMenus().empty(); }, ms);
    }

    TWinSkinForm* skin = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *open = nullptr, *view = nullptr, *language = nullptr;
    TMenuItem *run = nullptr, *off = nullptr, *help = nullptr;
    int opens = 0, runs = 0, offs = 0;
};

} // namespace kv::test
