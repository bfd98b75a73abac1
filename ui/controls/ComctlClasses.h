#pragma once
// Window classes of the common-control kinds, under the framework's T-names.
//
// Contract:
//  - RegisterComctlClass(kind) loads the common controls (and the rich edit library for
//    TRichEdit) once, then registers the window class `kind` ("TToolBar", "TListView"...) as
//    a superclass of its Windows control: the same window procedure, class styles, extra bytes
//    and cursor, in this module. Windows of that class ARE the Windows control, only their
//    class name is the framework's (the skin chooses control skins by it).
//  - Registering twice is harmless. An unknown kind or a failure gives nullptr; otherwise the
//    class name to pass to CreateWindowEx (the same text as `kind`).
//  - ComctlBaseClass(kind) names the Windows class underneath ("ToolbarWindow32"), or nullptr.
//  - BaseWindowProc(kind) is the procedure of that Windows class, for subclasses that chain to
//    it; nullptr until the kind is registered.
//  - ComctlSystemClass(kind) loads the library of the kind and names its Windows class in
//    UTF-16 ("ToolbarWindow32", "RichEdit20W"), for the framework's controls: they register the
//    T-name class themselves over it, with the framework's window procedure. One program uses
//    either those controls or RegisterComctlClass for a kind, not both (one class per name).
#include <windows.h>

const char* ComctlBaseClass(const char* kind);
const char* RegisterComctlClass(const char* kind);
WNDPROC BaseWindowProc(const char* kind);
const wchar_t* ComctlSystemClass(const char* kind);

// Every kind RegisterComctlClass knows, in a fixed order.
extern const char* const kComctlKinds[];
extern const int kComctlKindCount;
