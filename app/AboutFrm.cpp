#include "app/AboutFrm.h"

#include "app/PubUnit.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"

#include "ui/classes/Properties.h"

#include "kv/Version.h"

namespace kv::app {

KV_DEFINE_PLAIN_CLASS(TAboutForm, TForm)

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", TNotifyEvent([this](TObject* s) { FormCreate(s); }));
    PublishMethod("FormShow", TNotifyEvent([this](TObject* s) { FormShow(s); }));
    PublishMethod("Image1Click", TNotifyEvent([this](TObject* s) { Image1Click(s); }));
    PublishMethod("Button1Click", TNotifyEvent([this](TObject* s) { Button1Click(s); }));
}

void TAboutForm::Loaded() {
    TForm::Loaded();
    Label1 = Find<TLabel>("Label1");
    Bevel1 = Find<TBevel>("Bevel1");
    Image1 = Find<TImage>("Image1");
    Label2 = Find<TLabel>("Label2");
    Button1 = Find<TButton>("Button1");
    VersionLabel = Find<TLabel>("VersionLabel");
    VersionLabel->SetCaption("Version " KV_VERSION_TEXT);
    // The stored size is of the client area; the dialog border is known only now.
    SetClientWidth(278);
    SetClientHeight(175);
    // The program's own icon at the small size; a layout holds bitmaps only.
    TIcon icon;
    icon.LoadFromResourceName(GetModuleHandleW(nullptr), "MAINICON", 16, 16);
    if (!icon.Empty()) Image1->Picture().SetIcon(icon.ReleaseHandle());
}

void TAboutForm::FormCreate(TObject*) {
    const LanguageTexts& t = TextsFor(InterfaceLanguage);
    SetCaption(std::string(t.aboutTitle));
    Label1->SetCaption(std::string(t.aboutBody));
}

void TAboutForm::FormShow(TObject*) {
    Font().Assign(*CreateSpecFont(TextsFor(InterfaceLanguage).aboutFont));
}

void TAboutForm::Image1Click(TObject*) {
    ShellOpen(std::string(TextsFor(InterfaceLanguage).aboutWebTarget));
}

void TAboutForm::Button1Click(TObject*) {
    SetModalResult(mrOk);
}

} // namespace kv::app
