#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <string>

namespace {

struct Kind {
    const char* name;
    const char* base;
    DWORD icc; // the InitCommonControlsEx class of the base, 0 for rich edit
    const wchar_t* wideBase; // the Unicode window class for framework controls
};

constexpr Kind kKinds[] = {
    {"TToolBar", TOOLBARCLASSNAMEA, ICC_BAR_CLASSES, TOOLBARCLASSNAMEW},
    {"TStatusBar", STATUSCLASSNAMEA, ICC_BAR_CLASSES, STATUSCLASSNAMEW},
    {"TProgressBar", PROGRESS_CLASSA, ICC_PROGRESS_CLASS, PROGRESS_CLASSW},
    {"TTrackBar", TRACKBAR_CLASSA, ICC_BAR_CLASSES, TRACKBAR_CLASSW},
    {"TUpDown", UPDOWN_CLASSA, ICC_UPDOWN_CLASS, UPDOWN_CLASSW},
    {"TPageControl", WC_TABCONTROLA, ICC_TAB_CLASSES, WC_TABCONTROLW},
    {"TTabControl", WC_TABCONTROLA, ICC_TAB_CLASSES, WC_TABCONTROLW},
    {"THeaderControl", WC_HEADERA, ICC_LISTVIEW_CLASSES, WC_HEADERW},
    {"TListView", WC_LISTVIEWA, ICC_LISTVIEW_CLASSES, WC_LISTVIEWW},
    {"TDateTimePicker", DATETIMEPICK_CLASSA, ICC_DATE_CLASSES, DATETIMEPICK_CLASSW},
    {"TRichEdit", "RichEdit20A", 0, L"RichEdit20W"},
};

const Kind* FindKind(const char* name) {
    if (!name) return nullptr;
    for (const Kind& kind : kKinds)
        if (std::strcmp(kind.name, name) == 0) return &kind;
    return nullptr;
}

bool LoadBase(const Kind& kind) {
    if (kind.icc) {
        INITCOMMONCONTROLSEX init{sizeof init, kind.icc};
        return InitCommonControlsEx(&init) != FALSE;
    }
    // The rich edit library stays loaded for the life of the program (its windows need it).
    static HMODULE richEdit = LoadLibraryA("riched20.dll");
    return richEdit != nullptr;
}

std::map<std::string, WNDPROC>& BaseProcs() {
    static std::map<std::string, WNDPROC> procs;
    return procs;
}

} // namespace

const char* const kComctlKinds[] = {
    "TToolBar",    "TStatusBar",     "TProgressBar", "TTrackBar",       "TUpDown",  "TPageControl",
    "TTabControl", "THeaderControl", "TListView",    "TDateTimePicker", "TRichEdit"};
const int kComctlKindCount = int(std::size(kComctlKinds));

const char* ComctlBaseClass(const char* kind) {
    const Kind* found = FindKind(kind);
    return found ? found->base : nullptr;
}

WNDPROC BaseWindowProc(const char* kind) {
    auto found = BaseProcs().find(kind ? kind : "");
    return found == BaseProcs().end() ? nullptr : found->second;
}

const char* RegisterComctlClass(const char* name) {
    const Kind* kind = FindKind(name);
    if (!kind) return nullptr;
    if (BaseWindowProc(name)) return kind->name;
    if (!LoadBase(*kind)) return nullptr;
    WNDCLASSEXA base{};
    base.cbSize = sizeof base;
    if (!GetClassInfoExA(nullptr, kind->base, &base)) return nullptr;
    WNDPROC baseProc = base.lpfnWndProc;
    base.hInstance = GetModuleHandleA(nullptr);
    base.lpszClassName = kind->name;
    base.style &= ~UINT(CS_GLOBALCLASS);
    if (!RegisterClassExA(&base) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    BaseProcs()[kind->name] = baseProc;
    return kind->name;
}

const wchar_t* ComctlSystemClass(const char* name) {
    const Kind* kind = FindKind(name);
    if (!kind || !LoadBase(*kind)) return nullptr;
    return kind->wideBase;
}
