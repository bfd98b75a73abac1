#pragma once
// GDI and USER object counts of this process, for leak tests.
//
// Windows answers GetGuiResources. Wine answers 0 there, but takes a GDI handle whose high
// word is 0 as "the entry at this index, whatever its generation", so the live objects can be
// counted by probing every index. USER objects have no such fallback: 0 means "unknown".
#include <windows.h>

inline DWORD GdiObjectCount() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count) return count;
    for (uintptr_t index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
    return count;
}

inline DWORD UserObjectCount() {
    return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
}
