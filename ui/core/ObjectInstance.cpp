#include "ui/core/ObjectInstance.h"
#include "ui/classes/Exception.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

// How a thunk works. Code is made in blocks of 64 KiB: the first half holds the stubs, the
// second half one pointer-sized cell per stub with the record (the method) that the stub
// calls. The stubs are written once, when the block is made, then the code half becomes
// execute-read and is never written or unmapped again; making and freeing a thunk only sets
// its cell. A stub loads its cell and jumps (never calls) to the dispatcher, so nothing ever
// returns into a stub, and freeing a thunk while its window procedure runs leaves no return
// address in freed code. The record of a running thunk is deleted when its last call returns.
// A freed cell holds null, which the dispatcher answers with DefWindowProc.

namespace {

struct ThunkRecord {
    TRawWndMethod method;
    int running = 0;    // calls in progress (a method may re-enter its own window)
    bool freed = false; // FreeObjectInstance came while running: the last call deletes
};

constexpr size_t kBlockBytes = 64 * 1024;
constexpr size_t kCodeBytes = kBlockBytes / 2;
#if defined(__x86_64__) || defined(_M_X64)
constexpr size_t kStubBytes = 32;
#elif defined(__i386__) || defined(_M_IX86)
constexpr size_t kStubBytes = 16;
#else
#error "object-instance thunks are made for i686 and x86_64 only"
#endif
constexpr size_t kStubsPerBlock = kCodeBytes / kStubBytes;

LRESULT RunRecord(ThunkRecord* record, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (!record)
        return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, w, l)
                                     : DefWindowProcA(hwnd, msg, w, l);
    ++record->running;
    const LRESULT result = DispatchBarrier([&] { return record->method(hwnd, msg, w, l); });
    if (--record->running == 0 && record->freed) delete record;
    return result;
}

} // namespace

#if defined(__x86_64__) || defined(_M_X64)
// Win64 passes the four window arguments in rcx, rdx, r8, r9; the stub leaves them alone and
// brings the record in r10 (volatile, not an argument register). The trampoline makes the
// record the fifth argument. It has unwind data, so stack walks through it stay sound.
extern "C" LRESULT kvObjectInstanceDispatch(HWND hwnd, UINT msg, WPARAM w, LPARAM l,
                                            ThunkRecord* record) {
    return RunRecord(record, hwnd, msg, w, l);
}
extern "C" void kvObjectInstanceTrampoline();
__asm__(".text\n"
        ".p2align 4\n"
        ".globl kvObjectInstanceTrampoline\n"
        ".def kvObjectInstanceTrampoline; .scl 2; .type 32; .endef\n"
        ".seh_proc kvObjectInstanceTrampoline\n"
        "kvObjectInstanceTrampoline:\n"
        "    subq $0x38, %rsp\n" // shadow space + fifth argument, 16-byte aligned at the call
        "    .seh_stackalloc 0x38\n"
        "    .seh_endprologue\n"
        "    movq %r10, 0x20(%rsp)\n"
        "    call kvObjectInstanceDispatch\n"
        "    nop\n" // the return address must not look like the epilogue to the unwinder
        "    addq $0x38, %rsp\n"
        "    ret\n"
        ".seh_endproc\n");

namespace {
void WriteStub(uint8_t* stub, uint8_t* cell) {
    // mov r10, [rip + disp32]      4C 8B 15 disp32   (disp from the next instruction)
    // jmp qword [rip + 0]          FF 25 00000000
    // dq  kvObjectInstanceTrampoline
    std::memset(stub, 0xCC, kStubBytes);
    auto disp = static_cast<int32_t>(cell - (stub + 7));
    stub[0] = 0x4C;
    stub[1] = 0x8B;
    stub[2] = 0x15;
    std::memcpy(stub + 3, &disp, 4);
    stub[7] = 0xFF;
    stub[8] = 0x25;
    std::memset(stub + 9, 0, 4);
    auto target = reinterpret_cast<uint64_t>(&kvObjectInstanceTrampoline);
    std::memcpy(stub + 13, &target, 8);
}
} // namespace
#else
namespace {
// stdcall: the caller pushed hwnd, msg, wParam, lParam (16 bytes) and the return address. The
// stub slides the record in as a first argument under the return address, so the dispatcher
// is a stdcall function of five arguments; its `ret 20` pops the caller's 16 bytes plus the
// record and returns straight to the caller.
LRESULT __stdcall DispatchFromStub(ThunkRecord* record, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    return RunRecord(record, hwnd, msg, w, l);
}

void WriteStub(uint8_t* stub, uint8_t* cell) {
    // pop  eax                     58
    // push dword [cell]            FF 35 addr32
    // push eax                     50
    // mov  eax, DispatchFromStub   B8 imm32
    // jmp  eax                     FF E0
    std::memset(stub, 0xCC, kStubBytes);
    auto cellAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(cell));
    auto target = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&DispatchFromStub));
    stub[0] = 0x58;
    stub[1] = 0xFF;
    stub[2] = 0x35;
    std::memcpy(stub + 3, &cellAddress, 4);
    stub[7] = 0x50;
    stub[8] = 0xB8;
    std::memcpy(stub + 9, &target, 4);
    stub[13] = 0xFF;
    stub[14] = 0xE0;
}
} // namespace
#endif

namespace {

class ThunkPool {
public:
    // Never destroyed: a window or a static object may free its thunk during program exit.
    static ThunkPool& Instance() {
        static ThunkPool* pool = new ThunkPool;
        return *pool;
    }

    WNDPROC Make(TRawWndMethod method) {
        auto* record = new ThunkRecord{std::move(method)};
        std::lock_guard lock(mutex_);
        if (free_.empty()) AddBlock();
        uint8_t* stub = free_.front();
        free_.pop_front();
        CellOf(stub) = record;
        ++inUse_;
        return reinterpret_cast<WNDPROC>(stub);
    }

    void Free(WNDPROC instance) {
        auto* stub = reinterpret_cast<uint8_t*>(instance);
        ThunkRecord* record;
        {
            std::lock_guard lock(mutex_);
            if (!IsStub(stub) || !CellOf(stub)) return;
            record = CellOf(stub);
            CellOf(stub) = nullptr;
            // Reused last: a freed stub is handed out again as late as possible.
            free_.push_back(stub);
            --inUse_;
        }
        if (record->running)
            record->freed = true;
        else
            delete record;
    }

    size_t InUse() {
        std::lock_guard lock(mutex_);
        return inUse_;
    }
    size_t Blocks() {
        std::lock_guard lock(mutex_);
        return blocks_.size();
    }

private:
    static ThunkRecord*& CellOf(uint8_t* stub, uint8_t* block) {
        size_t index = static_cast<size_t>(stub - block) / kStubBytes;
        return reinterpret_cast<ThunkRecord**>(block + kCodeBytes)[index];
    }
    ThunkRecord*& CellOf(uint8_t* stub) { return CellOf(stub, BlockOf(stub)); }

    uint8_t* BlockOf(uint8_t* stub) const {
        for (uint8_t* block : blocks_)
            if (stub >= block && stub < block + kCodeBytes) return block;
        return nullptr;
    }
    bool IsStub(uint8_t* stub) const {
        uint8_t* block = BlockOf(stub);
        return block && static_cast<size_t>(stub - block) % kStubBytes == 0;
    }

    void AddBlock() {
        auto* block = static_cast<uint8_t*>(
            VirtualAlloc(nullptr, kBlockBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!block) throw EOutOfResources("Out of system resources");
        for (size_t i = 0; i < kStubsPerBlock; ++i) {
            uint8_t* stub = block + i * kStubBytes;
            WriteStub(stub, reinterpret_cast<uint8_t*>(&CellOf(stub, block)));
        }
        DWORD old = 0;
        if (!VirtualProtect(block, kCodeBytes, PAGE_EXECUTE_READ, &old)) {
            VirtualFree(block, 0, MEM_RELEASE);
            throw EOutOfResources("Out of system resources");
        }
        FlushInstructionCache(GetCurrentProcess(), block, kCodeBytes);
        blocks_.push_back(block);
        for (size_t i = 0; i < kStubsPerBlock; ++i) free_.push_back(block + i * kStubBytes);
    }

    std::mutex mutex_;
    std::vector<uint8_t*> blocks_;
    std::deque<uint8_t*> free_;
    size_t inUse_ = 0;
};

} // namespace

WNDPROC MakeObjectInstance(TRawWndMethod method) {
    return ThunkPool::Instance().Make(std::move(method));
}

WNDPROC MakeObjectInstance(TWndMethod method) {
    return MakeObjectInstance(
        TRawWndMethod([method = std::move(method)](HWND, UINT msg, WPARAM w, LPARAM l) {
            TMessage m{msg, w, l, 0};
            method(m);
            return m.Result;
        }));
}

void FreeObjectInstance(WNDPROC instance) {
    if (instance) ThunkPool::Instance().Free(instance);
}

size_t ObjectInstancesInUse() {
    return ThunkPool::Instance().InUse();
}

size_t ObjectInstanceBlocks() {
    return ThunkPool::Instance().Blocks();
}

// --- TWindowSubclass --------------------------------------------------------------------------

// Shared by the subclass object and its thunk: the thunk outlives the object when a later
// subclass keeps calling it.
struct TWindowSubclass::State {
    HWND hwnd = nullptr; // null once the window is gone or given back
    WNDPROC thunk = nullptr;
    WNDPROC oldProc = nullptr;
    bool unicode = true;
    std::shared_ptr<TWndMethod> method; // empty: pass everything on

    LRESULT CallOld(UINT msg, WPARAM w, LPARAM l) const {
        return unicode ? CallWindowProcW(oldProc, hwnd, msg, w, l)
                       : CallWindowProcA(oldProc, hwnd, msg, w, l);
    }
    WNDPROC CurrentProc() const {
        return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                                 : GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    }
    void SetProc(WNDPROC proc) const {
        auto value = reinterpret_cast<LONG_PTR>(proc);
        unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value)
                : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value);
    }
    // The thunk's record may hold the last reference to this state: nothing is touched after.
    void ReleaseThunk() {
        WNDPROC instance = thunk;
        thunk = nullptr;
        hwnd = nullptr;
        FreeObjectInstance(instance); // also safe from inside the thunk's own call
    }
};

bool TWindowSubclass::Attach(HWND hwnd, TWndMethod method) {
    if (state_ || !IsWindow(hwnd)) return false;
    auto state = std::make_shared<State>();
    state->hwnd = hwnd;
    state->unicode = IsWindowUnicode(hwnd) != FALSE;
    state->method = std::make_shared<TWndMethod>(std::move(method));
    State* s = state.get();
    state->thunk = MakeObjectInstance(
        TRawWndMethod([keep = state, s](HWND window, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
            TMessage m{msg, w, l, 0};
            // A copy keeps the method alive if Restore runs inside it.
            std::shared_ptr<TWndMethod> handler = s->method;
            DispatchBarrier([&] {
                if (handler)
                    (*handler)(m);
                else
                    m.Result = s->CallOld(msg, w, l);
            });
            // No message follows WM_NCDESTROY: the thunk can go now, though it is running.
            if (msg == WM_NCDESTROY && s->hwnd == window) s->ReleaseThunk();
            return m.Result;
        }));
    state->oldProc = state->CurrentProc();
    state->SetProc(state->thunk);
    state_ = std::move(state);
    return true;
}

void TWindowSubclass::Restore() {
    if (!state_) return;
    std::shared_ptr<State> s = std::move(state_);
    s->method.reset();
    if (!s->hwnd) return; // the window went first and took the thunk with it
    if (!IsWindow(s->hwnd)) {
        s->ReleaseThunk();
        return;
    }
    if (s->CurrentProc() == s->thunk) {
        s->SetProc(s->oldProc);
        s->ReleaseThunk();
    }
    // Otherwise a later subclass calls our thunk: it stays, passing everything on, and goes
    // at WM_NCDESTROY.
}

HWND TWindowSubclass::Handle() const {
    return state_ ? state_->hwnd : nullptr;
}

WNDPROC TWindowSubclass::Thunk() const {
    return state_ ? state_->thunk : nullptr;
}

WNDPROC TWindowSubclass::OldProc() const {
    return state_ ? state_->oldProc : nullptr;
}

LRESULT TWindowSubclass::CallOld(UINT msg, WPARAM w, LPARAM l) const {
    if (!state_ || !state_->hwnd) return 0;
    return state_->CallOld(msg, w, l);
}
