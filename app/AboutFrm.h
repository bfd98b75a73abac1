#pragma once
// TAboutForm: the modal about box: what the software is, its terms, and the maker's address.
#include "app/win/Window.h"
#include "app/win/WinUtil.h"

#include "ui/graphics/GraphicsObjects.h"

#include <memory>

namespace kv::app {

enum AboutControl : int { idAboutBody = 30, idAboutBevel, idAboutImage, idAboutNotice };

class TAboutForm : public Window {
public:
    explicit TAboutForm(HWND owner);
    ~TAboutForm() override;

    void ShowModal();

    void FormCreate();
    void FormShow();
    void Image1Click();
    void Button1Click();

    HWND Label1() const { return label1_; }
    HWND Label2() const { return label2_; }
    HWND Image1() const { return image1_; }
    HWND Button1() const { return button1_; }

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK ImageProcedure(HWND, UINT, WPARAM, LPARAM);

    HWND owner_;
    bool closed_ = false;
    HWND label1_ = nullptr, bevel1_ = nullptr, image1_ = nullptr, label2_ = nullptr,
         button1_ = nullptr;
    WNDPROC imageProcedure_ = nullptr;
    HICON icon_ = nullptr;
    Font designFont_;
    std::unique_ptr<TFont> languageFont_;
};

} // namespace kv::app
