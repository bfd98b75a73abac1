#pragma once
// TForm2: the action list editor. A working copy of the current language's action list as
// "name;description" lines; only Save and Quit writes the file (atomically: a failed save
// changes nothing on disk and leaves the editor open). Its components come from the layout
// "TForm2" in the program's resources.
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include <string>
#include <vector>

namespace kv::app {

class TForm2 : public TForm {
    KV_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* owner);
    ~TForm2() override;

    // Found after the layout is read.
    TLabel* Label1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit1 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Edit2 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Replace = nullptr;

    // Handlers (published under these names).
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void ListBox1Click(TObject* sender);
    void Edit1KeyPress(TObject* sender, char& key);
    void Button2Click(TObject* sender); // add
    void ReplaceClick(TObject* sender);
    void Button3Click(TObject* sender); // delete
    void Button1Click(TObject* sender); // save and quit

protected:
    void Loaded() override;

private:
    bool ValidateInput();
    std::string FileName() const;
    std::vector<std::string> Lines() const;
};

} // namespace kv::app
