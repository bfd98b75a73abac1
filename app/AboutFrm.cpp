#include "app/AboutFrm.h"

#include "app/PubUnit.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"

namespace kv::app {
namespace {

constexpr int kClientWidth = 278;
constexpr int kClientHeight = 175;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

} // namespace

TAboutForm::TAboutForm(HWND owner) : owner_(owner) {
    designFont_ = MakeFont("MS Sans Serif", DEFAULT_CHARSET, -11);
    RECT outer = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    RECT work = {0, 0, 1024, 768};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    CreateTopLevel(
        "TAboutForm", "", kStyle, kExStyle, work.left + ((work.right - work.left) - width) / 2,
        work.top + ((work.bottom - work.top) - height) / 2, width, height, owner, nullptr);
    label1_ =
        CreateChild(Hwnd(), "STATIC", "", SS_LEFT | SS_NOPREFIX, 16, 8, 246, 121, idAboutBody);
    bevel1_ = CreateChild(Hwnd(), "STATIC", "", SS_ETCHEDHORZ, 8, 135, kClientWidth - 16, 2,
                          idAboutBevel);
    image1_ = CreateChild(Hwnd(), "STATIC", "", SS_ICON | SS_NOTIFY, 15, 150, 16, 16, idAboutImage);
    icon_ = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 16, 16, 0));
    if (icon_) SendMessageA(image1_, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    SetWindowLongPtrA(image1_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    imageProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(image1_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ImageProcedure)));
    label2_ = CreateChild(Hwnd(), "STATIC", std::string(kAboutNotice), SS_LEFT | SS_NOPREFIX, 44,
                          152, 140, 13, idAboutNotice);
    button1_ = CreateChild(Hwnd(), "BUTTON", std::string(kAboutOk), BS_DEFPUSHBUTTON | WS_TABSTOP,
                           192, 144, 75, 25, IDOK);
    SetFontOfTree(Hwnd(), designFont_.get());
    FormCreate();
}

TAboutForm::~TAboutForm() {
    if (Hwnd()) DestroyWindow(Hwnd());
    if (icon_) DestroyIcon(icon_);
}

void TAboutForm::FormCreate() {
    const LanguageTexts& t = TextsFor(InterfaceLanguage);
    SetWindowTextA(Hwnd(), std::string(t.aboutTitle).c_str());
    SetWindowTextA(label1_, std::string(t.aboutBody).c_str());
}

void TAboutForm::FormShow() {
    languageFont_ = CreateSpecFont(TextsFor(InterfaceLanguage).aboutFont);
    SetFontOfTree(Hwnd(), languageFont_->Handle());
}

void TAboutForm::ShowModal() {
    closed_ = false;
    try {
        FormShow();
    } catch (...) {
        ShowCurrentException();
    }
    SetFocus(button1_);
    RunModalLoop(Hwnd(), owner_, closed_);
    ShowWindow(Hwnd(), SW_HIDE);
}

void TAboutForm::Image1Click() {
    ShellOpen(std::string(TextsFor(InterfaceLanguage).aboutWebTarget));
}

void TAboutForm::Button1Click() {
    closed_ = true;
}

LRESULT TAboutForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            Button1Click();
            return 0;
        }
        if (LOWORD(wParam) == idAboutImage && HIWORD(wParam) == STN_CLICKED) {
            Image1Click();
            return 0;
        }
        break;
    case WM_CLOSE:
        closed_ = true;
        return 0;
    }
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK TAboutForm::ImageProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<TAboutForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    WNDPROC previous = self ? self->imageProcedure_ : DefWindowProcA;
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

} // namespace kv::app
