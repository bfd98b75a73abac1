#pragma once
// TAboutForm: the modal about box: what the software is, its terms, and the maker's address.
// Its components come from the layout "TAboutForm" in the program's resources.
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace kv::app {

class TAboutForm : public TForm {
    KV_CLASS(TAboutForm, TForm)
public:
    explicit TAboutForm(TComponent* owner);

    // Found after the layout is read.
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label2 = nullptr;
    TButton* Button1 = nullptr;
    TLabel* VersionLabel = nullptr; // the program's version, a line of its own

    // Handlers (published under these names).
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void Image1Click(TObject* sender);
    void Button1Click(TObject* sender);

protected:
    void Loaded() override;
};

} // namespace kv::app
