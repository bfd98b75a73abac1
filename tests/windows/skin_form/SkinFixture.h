#pragma once
// A framework form skinned with the program's stored skin, and the helpers the frame tests
// share: waiting on the message loop, the stored skin's bytes, screen pixels.
#include "skin/data/SkinRead.h"
#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "skin/form/FormSkin.h"
#include "ui/classes/Streams.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv::test {

// Runs the message loop until the condition holds or `ms` have passed.
template <class F> bool WaitFor(F condition, DWORD ms = 3000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (Application) Application->ProcessMessages();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) { // the application's to see, not this loop's
                PostQuitMessage(int(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    WaitFor([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

// The stored stream of the main window's skin (length word and packed bytes).
inline std::vector<uint8_t> StoredSkinStream() {
    HRSRC found = FindResourceA(nullptr, "SKINSTREAM", MAKEINTRESOURCEA(10));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    return {bytes, bytes + SizeofResource(nullptr, found)};
}

inline std::vector<uint8_t> StoredPackedSkin() {
    std::vector<uint8_t> stream = StoredSkinStream();
    if (stream.size() < 4) return {};
    return {stream.begin() + 4, stream.end()};
}

inline COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

class SkinnedForm : public ::testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        RegisterSkinClasses();
        SetSkinMessageDisplay([this](const std::string& text) { messages.push_back(text); });
        form = app->CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 300);
        form->SetCaption("Skinned");
        data = new TSkinData(form);
        TMemoryStream stream(StoredSkinStream());
        data->ReadSkinStream(stream);
        data->SetActive(true);
        data->Loaded();
    }
    void TearDown() override {
        ShutDownSkinManager();
        delete app;
        SetSkinMessageDisplay(nullptr);
    }

    // Shows the form and waits until its skin has finished activating and the form is active.
    TWinSkinForm* ShowSkinned(TCustomForm* f = nullptr) {
        if (!f) f = form;
        f->Show();
        SetForegroundWindow(f->Handle());
        TWinSkinForm* skin = nullptr;
        WaitFor([&] {
            skin = SkinManager ? SkinManager->FindForm(f->Handle()) : nullptr;
            return skin && skin->SkinState == 1 && skin->FramePaints > 0 && skin->Active;
        });
        return skin;
    }

    // The main form closes by ending the application (it stays visible until then).
    bool Closed() const { return app->Terminated() || !IsWindowVisible(form->Handle()); }

    TApplication* app = nullptr;
    TForm* form = nullptr;
    TSkinData* data = nullptr;
    std::vector<std::string> messages;
};

} // namespace kv::test
