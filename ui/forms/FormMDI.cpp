// The MDI side of forms: the frame's MDI client, its children and their window states.
#include "ui/classes/Exception.h"
#include "ui/forms/Forms.h"

namespace {
// Window-menu items of the children are numbered from here, above any menu command.
constexpr UINT kFirstMDIChildId = 0xFF00;
} // namespace

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT create{nullptr, kFirstMDIChildId};
    RECT r = MDIClientRect();
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                        WS_HSCROLL | WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, handle_,
                                    nullptr, GetModuleHandleW(nullptr), &create);
    if (!clientHandle_) throw EOutOfResources("Error creating window MDICLIENT");
}

// What the aligned controls leave of the frame's client area.
RECT TCustomForm::MDIClientRect() {
    RECT r{};
    GetClientRect(handle_, &r);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        switch (c->Align()) {
        case TAlign::alTop:
            r.top += c->Height();
            break;
        case TAlign::alBottom:
            r.bottom -= c->Height();
            break;
        case TAlign::alLeft:
            r.left += c->Width();
            break;
        case TAlign::alRight:
            r.right -= c->Width();
            break;
        default:
            break;
        }
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FromHandle(active));
}

// The client's children in z-order: the most recently active first.
std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
    std::vector<TCustomForm*> children;
    if (!clientHandle_) return children;
    for (HWND w = GetWindow(clientHandle_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TCustomForm*>(FromHandle(w));
            form && form->FormStyle() == TFormStyle::fsMDIChild)
            children.push_back(form);
    return children;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    std::vector<TCustomForm*> children = MDIChildList();
    if (index < 0 || index >= static_cast<int>(children.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return children[static_cast<size_t>(index)];
}

// MDI children change state through their client, which keeps the frame's menu and the other
// children in step.
void TCustomForm::SetMDIChildState(TWindowState s) {
    HWND client = GetParent(handle_);
    auto child = reinterpret_cast<WPARAM>(handle_);
    switch (s) {
    case TWindowState::wsMaximized:
        SendMessageW(client, WM_MDIMAXIMIZE, child, 0);
        break;
    case TWindowState::wsMinimized:
        ShowWindow(handle_, SW_MINIMIZE);
        break;
    default:
        SendMessageW(client, WM_MDIRESTORE, child, 0);
        break;
    }
}
