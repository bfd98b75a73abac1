#include "tests/windows/support/ImportPatch.h"

#include <cstring>

namespace kv::test {
namespace {

template <class T> T* At(BYTE* base, DWORD rva) {
    return reinterpret_cast<T*>(base + rva);
}

// The import table slot of dll!function in the program's own image, or null.
void** FindSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = At<IMAGE_NT_HEADERS>(base, dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    for (auto* desc = At<IMAGE_IMPORT_DESCRIPTOR>(base, dir.VirtualAddress); desc->Name; ++desc) {
        if (_stricmp(At<char>(base, desc->Name), dll) != 0 || !desc->OriginalFirstThunk) continue;
        auto* names = At<IMAGE_THUNK_DATA>(base, desc->OriginalFirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA>(base, desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = At<IMAGE_IMPORT_BY_NAME>(base, DWORD(names->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

} // namespace

void* PatchImport(const char* dll, const char* function, void* replacement) {
    void** slot = FindSlot(dll, function);
    if (!slot) return nullptr;
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return nullptr;
    void* original = *slot;
    *slot = replacement;
    VirtualProtect(slot, sizeof *slot, old, &old);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof *slot);
    return original;
}

} // namespace kv::test
