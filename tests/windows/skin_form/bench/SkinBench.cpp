// Timed loops over the skinned frame, for the figures in the notes (not a test: nothing here
// fails on a slow machine). Each operation runs many times; the median and the best are printed.
//
//   skin_form_bench            full runs
//   skin_form_bench --smoke    every operation a few times (ctest proves the program works)
//
// Operations: a full frame repaint of a 1280 x 1024 window, skinned and with the platform's
// own frame; a resize step of that window (the region rebuild on WM_SIZE included); the shape
// of a 1920-pixel caption (BitmapToRegion); unskinning, skinning and a skin change of the one
// window; a new form to its first frame paint, skinned and not; and the same from process
// start (this program started again as a child, with --startup-child 1 or 0).
#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "skin/form/FormSkin.h"
#include "skin/form/draw/win/SkinRegionWin.h"
#include "skin/form/logic/FrameCompose.h"
#include "ui/classes/Streams.h"
#include "ui/forms/Forms.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace kv::bench {
namespace {

constexpr int kWidth = 1280, kHeight = 1024;
constexpr wchar_t kPaintedEvent[] = L"KelvorineBenchFirstPaint";

double NowMs() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / frequency;
}

void Report(const char* name, std::vector<double> samples) {
    if (samples.empty()) return;
    std::sort(samples.begin(), samples.end());
    std::printf("%-44s median %8.3f ms   best %8.3f ms   (%zu runs)\n", name,
                samples[samples.size() / 2], samples.front(), samples.size());
    std::fflush(stdout);
}

// Times `step` `runs` times; `between` (untimed) lets the window settle after each run.
std::vector<double> Time(int runs, const std::function<void()>& step,
                         const std::function<void()>& between = [] {}) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        step();
        samples.push_back(NowMs() - start);
        between();
    }
    return samples;
}

void PumpPending() {
    Application->ProcessMessages();
}

template <class F> bool PumpUntil(F done, DWORD ms = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// The main window's stored skin stream (resource SKINSTREAM: length word and packed bytes).
std::vector<uint8_t> StoredSkinStream() {
    HRSRC found = FindResourceA(nullptr, "SKINSTREAM", MAKEINTRESOURCEA(10));
    if (!found) return {};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return {bytes, bytes + SizeofResource(nullptr, found)};
}

// A form of the given size with a skin component holding the stored skin; Active as given.
struct Scene {
    TForm* form = nullptr;
    TSkinData* data = nullptr;

    explicit Scene(bool active, int w = kWidth, int h = kHeight) {
        RegisterSkinClasses();
        form = Application->CreateForm<TForm>();
        form->SetBounds(0, 0, w, h);
        form->SetCaption("Kelvorine benchmark");
        data = new TSkinData(form);
        TMemoryStream stream(StoredSkinStream());
        data->ReadSkinStream(stream);
        data->SetActive(active);
        data->Loaded();
    }
    HWND Handle() const { return form->Handle(); }
    TWinSkinForm* Skin() const { return SkinManager ? SkinManager->FindForm(Handle()) : nullptr; }
    bool Skinned() const {
        TWinSkinForm* skin = Skin();
        return skin && skin->SkinState == 1 && skin->FramePaints > 0;
    }
    void Size(int w, int h) const {
        SetWindowPos(Handle(), nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpUntil([] { return true; });
    }
    // Skinning off or on at once (what the manager's delayed tick runs).
    bool SetSkinned(bool on) {
        data->SetActive(on);
        SkinManager->RunPendingAction();
        return PumpUntil([&] { return on ? Skinned() : Skin() == nullptr; });
    }
};

void RedrawWhole(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// One step of live sizing: 4 pixels smaller or back, painted at once.
void ResizeStep(HWND h, int i) {
    const int d = (i % 2 == 0) ? 4 : 0;
    SetWindowPos(h, nullptr, 0, 0, kWidth - d, kHeight - d, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The resize step's region rebuild in its parts: the shape as rectangles (the top piece drawn
// fresh), the region made of them, and handing a region of that shape to the window.
void BenchRegionParts(const Scene& scene, int runs) {
    const TSkinDefinition& def = *scene.data->Skin();
    const BorderSizes& sizes = scene.Skin()->Sizes;
    std::vector<RegionBatch> batches;
    Report("  region rects 1280x1024 (FrameRegionRects)", Time(runs, [&] {
               batches = FrameRegionRects(def, sizes, kWidth, kHeight, false, {});
           }));
    Report("  region from the rects (RegionFromBatches)", Time(runs, [&] {
               UniqueRegion r = RegionFromBatches(batches);
           }));
    Report("  SetWindowRgn of that shape", Time(runs, [&] {
               UniqueRegion r = RegionFromBatches(batches);
               if (SetWindowRgn(scene.Handle(), r.Get(), TRUE)) r.Release(); // the window's now
           }, PumpPending));
}

bool BenchWindow(int runs) {
    Scene scene(true);
    scene.form->Show();
    SetForegroundWindow(scene.Handle());
    if (!PumpUntil([&] { return scene.Skinned(); })) {
        std::printf("the window was not skinned; no window figures\n");
        return false;
    }
    scene.Size(kWidth, kHeight);
    TWinSkinForm* skin = scene.Skin();
    const int paints = skin->FramePaints;
    Report("repaint 1280x1024, skinned", Time(runs, [&] { RedrawWhole(scene.Handle()); }, PumpPending));
    bool ok = skin->FramePaints >= paints + runs; // every repaint painted the skinned frame
    if (!ok) std::printf("  (only %d skinned frame paints)\n", skin->FramePaints - paints);
    int step = 0;
    int framePaints = 0; // inside the timed steps: the step includes the frame's paint
    const int paintsBefore = skin->FramePaints;
    Report("resize step 1280x1024, skinned", Time(runs, [&] {
               const int before = skin->FramePaints;
               ResizeStep(scene.Handle(), step++);
               framePaints += skin->FramePaints > before ? 1 : 0;
           }, PumpPending));
    std::printf("  (%.2f frame paints a step)\n", double(skin->FramePaints - paintsBefore) / runs);
    if (framePaints < runs) {
        std::printf("  (the frame was painted in only %d of the steps)\n", framePaints);
        ok = false;
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(scene.Handle(), region) == ERROR) {
        std::printf("  (no window region after resizing)\n");
        ok = false;
    }
    DeleteObject(region);
    BenchRegionParts(scene, runs);

    const std::vector<uint8_t> stored = scene.data->PackedSkin();
    std::vector<double> loads;
    Report("skin change of the window (same skin)", Time(runs, [&] {
               const double start = NowMs();
               scene.data->LoadSkinBytes(stored);
               loads.push_back(NowMs() - start);
               SkinManager->RunPendingAction();
           }, PumpPending));
    Report("  of which reading the skin (LoadSkinBytes)", loads);
    Report("unskin the window", Time(runs, [&] { scene.SetSkinned(false); },
                                     [&] { scene.SetSkinned(true); }));
    scene.SetSkinned(false);
    Report("skin the window (to its first frame paint)",
           Time(runs, [&] { scene.SetSkinned(true); }, [&] { scene.SetSkinned(false); }));

    scene.SetSkinned(false);
    scene.Size(kWidth, kHeight);
    Report("repaint 1280x1024, platform frame", Time(runs, [&] { RedrawWhole(scene.Handle()); }, PumpPending));
    step = 0;
    Report("resize step 1280x1024, platform frame",
           Time(runs, [&] { ResizeStep(scene.Handle(), step++); }, PumpPending));
    // The window stays (hidden): it is the application's main form, which later forms name as
    // their owner, so it must outlive them.
    delete scene.data;
    scene.form->Hide();
    return ok;
}

bool BenchCaptionShape(int runs) {
    TSkinData data(nullptr);
    TMemoryStream stream(StoredSkinStream());
    data.ReadSkinStream(stream);
    const TSkinDefinition* skin = data.Skin();
    if (!skin) {
        std::printf("no stored skin; no caption figures\n");
        return false;
    }
    const BorderSizes sizes = ComputeBorderSizes(*skin, FrameKind::Edged);
    PixelBuffer caption(1920, sizes.caption);
    ComposeCaptionBar(caption.View(), sizes, *skin, true, {}, 1080);
    char name[80];
    std::snprintf(name, sizeof name, "BitmapToRegion, caption 1920x%d", sizes.caption);
    Report(name, Time(runs, [&] {
               UniqueRegion r = BitmapToRegion(caption.View(), 0, 0, 1, 1, 1, RGB(255, 0, 255));
           }));
    // The same caption as a device bitmap, read back through GDI first.
    UniqueBitmap bitmap(CreateBitmap(caption.Width(), caption.Height(), 1, 32, caption.View().pixels));
    Report("  the same from an HBITMAP", Time(runs, [&] {
               UniqueRegion r = BitmapToRegion(bitmap.Get(), 0, 0, 1, 1, 1, RGB(255, 0, 255));
           }));
    // The worst case for the scan: every other pixel a hole, one rectangle per opaque pixel.
    PixelBuffer comb(1920, sizes.caption);
    for (int y = 0; y < comb.Height(); ++y)
        for (int x = 0; x < comb.Width(); ++x) comb.At(x, y) = (x + y) % 2 ? kMagenta : 0;
    Report("  a 1920-pixel comb (every other pixel a hole)", Time(runs, [&] {
               UniqueRegion r = BitmapToRegion(comb.View(), 0, 0, 1, 1, 1, RGB(255, 0, 255));
           }));
    std::vector<RegionBatch> batches;
    Report("    of which the scan (BitmapToRegionRects)", Time(runs, [&] {
               batches = BitmapToRegionRects(comb.View(), 0, 0, 1, 1, 1, kMagenta);
           }));
    size_t rects = 0;
    for (const RegionBatch& b : batches) rects += b.rects.size();
    std::printf("    (%zu rectangles in %zu batches)\n", rects, batches.size());
    // Each batch as a region of its own, not joined: the rest of the time is the joining.
    Report("    of which one region per batch, unjoined", Time(runs, [&] {
               for (const RegionBatch& b : batches) UniqueRegion r = RegionFromBatches({b});
           }));
    return true;
}

// The platform frame's first paint: a WM_NCPAINT of the watched window has returned.
bool firstNcPaintDone = false;
double firstNcPaintAt = 0;
HWND watched = nullptr;

LRESULT CALLBACK AfterCall(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == watched && call->message == WM_NCPAINT && !firstNcPaintDone) {
        firstNcPaintDone = true;
        firstNcPaintAt = NowMs();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// In this process, with a fresh skin manager each time: a new 640 x 480 form (the stored skin
// read in both cases) from its creation to its first frame paint, and from Show on.
bool BenchNewForm(int runs) {
    std::vector<double> whole[2], shown[2], firstAnyFrame;
    bool allPainted = true;
    for (int i = 0; i < runs; ++i) {
        for (int active = 0; active < 2; ++active) {
            const double start = NowMs();
            Scene scene(active != 0, 640, 480);
            watched = scene.Handle();
            firstNcPaintDone = false;
            HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterCall, nullptr, GetCurrentThreadId());
            const double show = NowMs();
            scene.form->Show();
            SetForegroundWindow(scene.Handle());
            allPainted = PumpUntil([&] { return active ? scene.Skinned() : firstNcPaintDone; }) && allPainted;
            whole[active].push_back(NowMs() - start);
            shown[active].push_back(NowMs() - show);
            if (active) firstAnyFrame.push_back(firstNcPaintAt - show);
            UnhookWindowsHookEx(hook);
            delete scene.form;
            ShutDownSkinManager();
            PumpPending();
        }
    }
    Report("new form to first frame paint, Active False", whole[0]);
    Report("new form to first frame paint, Active True", whole[1]);
    Report("  of which Show to paint, Active False", shown[0]);
    Report("  of which Show to paint, Active True", shown[1]);
    // Before the skin's frame, the window may show the platform's for a moment.
    Report("  Show to any WM_NCPAINT done, Active True", firstAnyFrame);
    return allPainted;
}

// Child: the window shown, skinned or not, until its first frame paint; then the event.
int StartupChild(bool active) {
    const double start = NowMs();
    TApplication app(nullptr);
    app.Initialize();
    Scene scene(active, 640, 480);
    watched = scene.Handle();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterCall, nullptr, GetCurrentThreadId());
    scene.form->Show();
    SetForegroundWindow(scene.Handle());
    const bool painted = PumpUntil([&] { return active ? scene.Skinned() : firstNcPaintDone; });
    const double inside = NowMs() - start;
    UnhookWindowsHookEx(hook);
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, kPaintedEvent)) {
        SetEvent(event);
        CloseHandle(event);
    }
    ShutDownSkinManager();
    return painted ? int(inside * 1000) : -1; // microseconds from main to the paint
}

// Starts this program as a child and times process creation to the child's first paint.
bool StartOnce(bool active, double& total, double& inside) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --startup-child " + (active ? L"1" : L"0");
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, kPaintedEvent);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = NowMs();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(event);
        return false;
    }
    const bool painted = WaitForSingleObject(event, 30000) == WAIT_OBJECT_0;
    total = NowMs() - start;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    inside = int(code) / 1000.0;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(event);
    return painted && int(code) >= 0;
}

bool BenchStartup(int runs) {
    bool allPainted = true;
    std::vector<double> total[2], inside[2];
    for (int i = 0; i < runs; ++i) {
        for (int active = 0; active < 2; ++active) { // alternated, so machine load hits both alike
            double t = 0, in = 0;
            if (!StartOnce(active != 0, t, in)) {
                std::printf("start-up run failed (Active %d)\n", active);
                allPainted = false;
                continue;
            }
            total[active].push_back(t);
            inside[active].push_back(in);
        }
    }
    Report("start to first frame paint, Active False", total[0]);
    Report("start to first frame paint, Active True", total[1]);
    Report("  of which main to paint, Active False", inside[0]);
    Report("  of which main to paint, Active True", inside[1]);
    return allPainted;
}

int Main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--startup-child") == 0) return StartupChild(argv[2][0] == '1');
    const bool smoke = argc == 2 && std::strcmp(argv[1], "--smoke") == 0;
    const bool windowOnly = argc == 2 && std::strcmp(argv[1], "--window") == 0; // the quick loop
    TApplication app(nullptr);
    app.Initialize();
    // Any operation that could not run fails the program (the smoke run's whole point).
    bool ran = BenchWindow(smoke ? 3 : 200);
    if (windowOnly) return ran ? 0 : 1;
    ran = BenchCaptionShape(smoke ? 3 : 500) && ran;
    ShutDownSkinManager();
    ran = BenchNewForm(smoke ? 1 : 30) && ran;
    ran = BenchStartup(smoke ? 1 : 15) && ran;
    return ran ? 0 : 1;
}

} // namespace
} // namespace kv::bench

int main(int argc, char** argv) {
    return kv::bench::Main(argc, argv);
}
