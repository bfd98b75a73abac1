#pragma once
// TForm2: the action list editor. A working copy of the current language's action list as
// "name;description" lines; only Save and Quit writes the file (atomically: a failed save
// changes nothing on disk and leaves the editor open).
#include "app/win/Window.h"
#include "app/win/WinUtil.h"

#include <string>
#include <vector>

namespace kv::app {

class TForm1;

enum EditorControl : int {
    idEditorLabel1 = 10,
    idEditorList,
    idEditorLabel2,
    idEditorName,
    idEditorLabel3,
    idEditorDescription,
    idEditorSave,
    idEditorAdd,
    idEditorDelete,
    idEditorReplace,
};

class TForm2 : public Window {
public:
    explicit TForm2(TForm1& owner);
    ~TForm2() override;

    // Shows the editor modally; returns when it has closed, however it was closed.
    void ShowModal();

    void FormCreate();
    void FormShow();
    void ListBox1Click();
    void Button2Click(); // add
    void ReplaceClick();
    void Button3Click(); // delete
    void Button1Click(); // save and quit

    std::vector<std::string> Lines() const;

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool ValidateInput();
    bool Edit1KeyPress(MSG& msg);
    std::string FileName() const;
    void AddLine(const std::string& line);

    TForm1& owner_;
    bool closed_ = false;
    HWND label1_ = nullptr, listBox1_ = nullptr, label2_ = nullptr, edit1_ = nullptr;
    HWND label3_ = nullptr, edit2_ = nullptr, button1_ = nullptr, button2_ = nullptr;
    HWND button3_ = nullptr, replace_ = nullptr;
    Font designFont_;
    Font languageFont_;
};

} // namespace kv::app
