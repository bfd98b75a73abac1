// Services: ini files that never fail silently, the registry with every key closed, timers
// through the message loop, the open dialog's wide paths, the shell.
#include "tests/windows/support/Pump.h"
#include "ui/services/IniFile.h"
#include "ui/services/OpenDialog.h"
#include "ui/services/Registry.h"
#include "ui/services/Shell.h"
#include "ui/core/DispatchBarrier.h"
#include "ui/services/Timer.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <memory>

namespace {

std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

DWORD HandleCount() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

using kv::test::PumpUntil;

TEST(IniFile, RoundTripAndIntegerRules) {
    std::string path = TempPath("kv_ui_graphics_test.ini");
    DeleteFileA(path.c_str());
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("InterFace", "LanguageID", 7), 7) << "missing file: default";
    ini.WriteInteger("InterFace", "LanguageID", 2);
    ini.WriteString("Other", "Name", "value with blanks");
    ini.WriteString("Other", "Negative", "-3");
    ini.WriteString("Other", "Hex", "$1F");
    ini.WriteString("Other", "Junk", "12abc");
    ini.WriteString("Other", "Long", std::string(3000, 'x'));
    ini.UpdateFile();

    TIniFile again(path);
    EXPECT_EQ(again.ReadInteger("InterFace", "LanguageID", 0), 2);
    EXPECT_EQ(again.ReadString("Other", "Name", ""), "value with blanks");
    EXPECT_EQ(again.ReadInteger("Other", "Negative", 0), -3);
    EXPECT_EQ(again.ReadInteger("Other", "Hex", 0), 31);
    EXPECT_EQ(again.ReadInteger("Other", "Junk", 5), 5);
    EXPECT_EQ(again.ReadString("Other", "Long", "").size(), 3000u) << "long values read whole";
    EXPECT_TRUE(again.ValueExists("other", "name"));
    EXPECT_FALSE(again.ValueExists("Other", "Nothing"));
    EXPECT_TRUE(again.SectionExists("InterFace"));
    again.DeleteKey("Other", "Name");
    EXPECT_EQ(again.ReadString("Other", "Name", "gone"), "gone");
    DeleteFileA(path.c_str());

    int v = 0;
    EXPECT_FALSE(ParseIniInteger("99999999999", v));
    EXPECT_FALSE(ParseIniInteger("", v));
    EXPECT_FALSE(ParseIniInteger("-", v));
    EXPECT_TRUE(ParseIniInteger(" 4 ", v));
    EXPECT_EQ(v, 4);
    EXPECT_TRUE(ParseIniInteger("-2147483648", v));
    EXPECT_EQ(v, INT_MIN);
}

TEST(IniFile, AFailedWriteRaises) {
    TIniFile ini("C:\\kv-no-such-folder\\deeper\\Kelvorine.ini");
    EXPECT_THROW(ini.WriteString("InterFace", "LanguageID", "1"), EIniFileException);
    try {
        ini.WriteInteger("InterFace", "LanguageID", 1);
    } catch (const EIniFileException& e) {
        EXPECT_NE(e.Message().find("Kelvorine.ini"), std::string::npos);
    }
    EXPECT_EQ(ini.ReadInteger("InterFace", "LanguageID", 9), 9);
}

TEST(Registry, WritesAndReadsUnderUserClassesWithEveryKeyClosed) {
    const std::string ext = ".kvgraphicstest";
    const std::string prog = "Kv.GraphicsTest.1";
    DWORD handlesBefore = HandleCount();
    for (int round = 0; round < 2; ++round) { // writing twice gives the same values again
        TRegistry reg;
        reg.UseUserClasses();
        ASSERT_TRUE(reg.OpenKey(ext, true));
        reg.WriteString("", prog);
        reg.CloseKey();
        ASSERT_TRUE(reg.OpenKey(prog, true));
        reg.WriteString("", "Description");
        ASSERT_TRUE(reg.OpenKey("shell\\open\\command", true)); // below the current key
        EXPECT_EQ(reg.CurrentPath(), prog + "\\shell\\open\\command");
        reg.WriteString("", "\"C:\\Program Files\\x.exe\" \"%1\"");
    }
    {
        TRegistry reg(HKEY_CURRENT_USER, KEY_READ);
        ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Classes\\" + prog + "\\shell\\open\\command"));
        EXPECT_EQ(reg.ReadString(""), "\"C:\\Program Files\\x.exe\" \"%1\"");
        EXPECT_TRUE(reg.ValueExists(""));
        EXPECT_EQ(reg.ReadString("missing"), "");
        EXPECT_FALSE(reg.OpenKeyReadOnly("\\kv-no-such-key-anywhere"));
        EXPECT_EQ(reg.CurrentPath(), "Software\\Classes\\" + prog + "\\shell\\open\\command")
            << "a failed open keeps the current key";
        // Windows shows the per-user classes under HKEY_CLASSES_ROOT; Wine keeps them apart.
        if (!RunningUnderWine()) {
            TRegistry root(HKEY_CLASSES_ROOT, KEY_READ);
            ASSERT_TRUE(root.OpenKeyReadOnly(ext));
            EXPECT_EQ(root.ReadString(""), prog);
        }
    }
    if (handlesBefore) {
        EXPECT_LE(HandleCount(), handlesBefore) << "registry keys left open";
    }

    TRegistry cleanup;
    cleanup.UseUserClasses();
    EXPECT_TRUE(cleanup.DeleteKey(prog + "\\shell\\open\\command"));
    EXPECT_TRUE(cleanup.DeleteKey(prog + "\\shell\\open"));
    EXPECT_TRUE(cleanup.DeleteKey(prog + "\\shell"));
    EXPECT_TRUE(cleanup.DeleteKey(prog));
    EXPECT_TRUE(cleanup.DeleteKey(ext));
    EXPECT_FALSE(cleanup.KeyExists(ext));
}

TEST(Registry, AFailedWriteRaises) {
    TRegistry reg;
    EXPECT_THROW(reg.WriteString("x", "no key open"), ERegistryException);
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software"));
    EXPECT_THROW(reg.WriteString("kv-should-not-exist", "read-only key"), ERegistryException);
    EXPECT_THROW(reg.WriteInteger("kv-should-not-exist", 1), ERegistryException);
    EXPECT_FALSE(reg.ValueExists("kv-should-not-exist"));
}

TEST(Timer, FiresThroughTheMessageLoopAndStops) {
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Running()) << "no handler, no system timer";
    int ticks = 0;
    timer.SetInterval(20);
    timer.SetOnTimer([&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 3) timer.SetEnabled(false);
    });
    EXPECT_TRUE(timer.Running());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_FALSE(timer.Running());
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, 3) << "a disabled timer does not tick";
}

TEST(Timer, AHandlerMayDeleteItsTimerAndErrorsGoToTheReport) {
    auto* owner = new TComponent(nullptr);
    auto* timer = new TTimer(owner);
    bool deleted = false;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
        delete timer;
        deleted = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return deleted; }));
    EXPECT_EQ(owner->ComponentCount(), 0);
    delete owner;

    std::string reported;
    SetDispatchExceptionHandler([&](const std::exception& e) { reported = e.what(); });
    TTimer failing(nullptr);
    failing.SetInterval(10);
    failing.SetOnTimer([&](TObject*) {
        failing.SetEnabled(false);
        throw EInvalidOperation("tick failed");
    });
    EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }));
    EXPECT_EQ(reported, "tick failed");
    SetDispatchExceptionHandler(nullptr);
}

TEST(Timer, NotStartedWhileLoading) {
    TTimer timer(nullptr);
    timer.BeginLoading();
    timer.SetInterval(10);
    timer.SetOnTimer([](TObject*) {});
    EXPECT_FALSE(timer.Running());
    timer.Loaded();
    EXPECT_TRUE(timer.Running());
}

// Presses OK in the first dialog box that activates.
HHOOK g_okHook = nullptr;
LRESULT CALLBACK PressOk(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char cls[32] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (std::string(cls) == "#32770")
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(g_okHook, code, wParam, lParam);
}

// PressOk for the owner's lifetime, put back also when an exception leaves the scope.
struct ScopedOkHook {
    ScopedOkHook() { g_okHook = SetWindowsHookExA(WH_CBT, PressOk, nullptr, GetCurrentThreadId()); }
    ~ScopedOkHook() {
        if (g_okHook) UnhookWindowsHookEx(g_okHook);
        g_okHook = nullptr;
    }
    ScopedOkHook(const ScopedOkHook&) = delete;
    ScopedOkHook& operator=(const ScopedOkHook&) = delete;
};

TEST(OpenDialog, ReturnsAPathTheAnsiCodePageCannotSpell) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"kv-\u6e2c\u8a66-\u0416.acs";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Open File");
    dialog.SetFilter("MS Agent Character(*.acs)|*.acs");
    dialog.SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofNoNetworkButton |
                      ofEnableSizing);
    dialog.SetFileNameW(path);
    bool chosen = false;
    {
        ScopedOkHook pressOk;
        chosen = dialog.Execute();
    }
    DeleteFileW(path.c_str());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialog.FileNameW(), path);
    EXPECT_EQ(dialog.Files().size(), 1u);
    EXPECT_FALSE(dialog.FileName().empty());
}

TEST(OpenDialog, OptionsAndFilterTranslation) {
    uint32_t flags = TOpenDialog::FlagsOf(ofHideReadOnly | ofFileMustExist | ofEnableSizing |
                                          ofNoNetworkButton | ofPathMustExist);
    EXPECT_EQ(flags, DWORD(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                           OFN_NONETWORKBUTTON | OFN_PATHMUSTEXIST));
    std::wstring list = TOpenDialog::FilterList("MS Agent Character(*.acs)|*.acs");
    EXPECT_EQ(list, std::wstring(L"MS Agent Character(*.acs)\0*.acs\0\0", 33));
}

TEST(Shell, OpenOfAMissingFileFailsCleanly) {
    EXPECT_FALSE(ShellOpen("C:\\kv-no-such-folder\\missing.kvnothing"));
    NotifyAssociationsChanged();
}

} // namespace
