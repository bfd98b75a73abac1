#include "app/EditActionList.h"

#include "app/PubUnit.h"
#include "app/Unit1.h"
#include "app/logic/ActionList.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"

#include "ui/classes/Properties.h"

namespace kv::app {

KV_DEFINE_PLAIN_CLASS(TForm2, TForm)

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", TNotifyEvent([this](TObject* s) { FormCreate(s); }));
    PublishMethod("FormShow", TNotifyEvent([this](TObject* s) { FormShow(s); }));
    PublishMethod("ListBox1Click", TNotifyEvent([this](TObject* s) { ListBox1Click(s); }));
    PublishMethod("Edit1KeyPress",
                  TKeyPressEvent([this](TObject* s, char& key) { Edit1KeyPress(s, key); }));
    PublishMethod("Button1Click", TNotifyEvent([this](TObject* s) { Button1Click(s); }));
    PublishMethod("Button2Click", TNotifyEvent([this](TObject* s) { Button2Click(s); }));
    PublishMethod("Button3Click", TNotifyEvent([this](TObject* s) { Button3Click(s); }));
    PublishMethod("ReplaceClick", TNotifyEvent([this](TObject* s) { ReplaceClick(s); }));
}

TForm2::~TForm2() = default;

void TForm2::Loaded() {
    TForm::Loaded();
    Label1 = Find<TLabel>("Label1");
    ListBox1 = Find<TListBox>("ListBox1");
    Label2 = Find<TLabel>("Label2");
    Edit1 = Find<TEdit>("Edit1");
    Label3 = Find<TLabel>("Label3");
    Edit2 = Find<TEdit>("Edit2");
    Button1 = Find<TButton>("Button1");
    Button2 = Find<TButton>("Button2");
    Button3 = Find<TButton>("Button3");
    Replace = Find<TButton>("Replace");
}

std::string TForm2::FileName() const {
    return std::string(TextsFor(InterfaceLanguage).actionListFile);
}

std::vector<std::string> TForm2::Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < ListBox1->Items().Count(); ++i) lines.push_back(ListBox1->Items()[i]);
    return lines;
}

void TForm2::FormCreate(TObject*) {
    const LanguageTexts& t = TextsFor(InterfaceLanguage);
    Label1->SetCaption(std::string(t.editorLabel1));
    Label2->SetCaption(std::string(t.editorLabel2));
    Label3->SetCaption(std::string(t.editorLabel3));
    Button2->SetCaption(std::string(t.editorAdd));
    Replace->SetCaption(std::string(t.editorReplace));
    Button3->SetCaption(std::string(t.editorDelete));
    Button1->SetCaption(std::string(t.editorSaveQuit));
    std::string path = AppDir + FileName();
    kv::app::Lines lines;
    if (FileExists(path)) {
        lines = SplitLines(ReadWholeFile(path));
    } else if (TForm1* main = Form1()) {
        const std::vector<std::string> none;
        const auto* names = main->ActionNames.get();
        lines = EditorLinesFromTable(names ? *names : none, main->ListItems());
    }
    TStrings& items = ListBox1->Items();
    items.BeginUpdate();
    for (const auto& line : lines) items.Add(line);
    items.EndUpdate();
    if (items.Count() > 0) {
        ListBox1->SetItemIndex(0);
        ListBox1Click(ListBox1);
    }
}

void TForm2::FormShow(TObject*) {
    Font().Assign(*CreateSpecFont(TextsFor(InterfaceLanguage).editorFont));
}

void TForm2::ListBox1Click(TObject*) {
    int selected = ListBox1->ItemIndex();
    if (selected < 0) return;
    ActionPair pair = SplitPair(ListBox1->Items()[selected]);
    Edit1->SetText(pair.name);
    Edit2->SetText(pair.description);
}

void TForm2::Edit1KeyPress(TObject*, char& key) {
    // Enter in the name field moves on to the description.
    if (key != '\r') return;
    Edit2->SetFocus();
    key = 0;
}

bool TForm2::ValidateInput() {
    std::string name = Edit1->GetText();
    InputCheck check = kv::app::ValidateInput(InterfaceLanguage, name, Edit2->GetText());
    if (check.descriptionDefaulted) Edit2->SetText(name);
    if (!check.valid) Edit1->SetFocus();
    return check.valid;
}

void TForm2::Button2Click(TObject*) {
    if (!ValidateInput()) {
        ShowMessage(std::string(TextsFor(InterfaceLanguage).mustInput));
        return;
    }
    ListBox1->Items().Add(MakeEntry(Edit1->GetText(), Edit2->GetText()));
}

void TForm2::ReplaceClick(TObject*) {
    if (!ValidateInput()) {
        ShowMessage(std::string(TextsFor(InterfaceLanguage).mustInput));
        return;
    }
    int selected = ListBox1->ItemIndex();
    if (selected < 0) return;
    ListBox1->Items().Put(selected, MakeEntry(Edit1->GetText(), Edit2->GetText()));
}

void TForm2::Button3Click(TObject*) {
    int selected = ListBox1->ItemIndex();
    if (selected < 0) return;
    ListBox1->Items().Delete(selected);
    ListBox1->SetItemIndex(-1);
}

void TForm2::Button1Click(TObject*) {
    ReplaceFileAtomically(AppDir + FileName(), JoinLines(Lines()));
    Close();
}

} // namespace kv::app
