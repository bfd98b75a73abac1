#include "app/Unit1.h"

#include "app/AboutFrm.h"
#include "app/Association.h"
#include "app/EditActionList.h"
#include "app/PubUnit.h"
#include "app/logic/ActionList.h"
#include "app/logic/Association.h"
#include "app/logic/Paths.h"
#include "app/logic/Settings.h"
#include "app/logic/Texts.h"
#include "app/win/Services.h"
#include "skin/data/win/SkinData.h"

#include "agent/binding/AgentError.h"
#include "agent/player/Player.h"
#include "ui/classes/Properties.h"
#include "ui/services/IniFile.h"

#include <imm.h>
#include <shellapi.h>

#include <optional>

namespace kv::app {

KV_DEFINE_PLAIN_CLASS(TForm1, TForm)

namespace {

constexpr wchar_t kCharacterId[] = L"Bob";

TForm1*& MainForm() {
    static TForm1* form = nullptr;
    return form;
}

std::optional<std::vector<std::string>>& ArgumentsOverride() {
    static std::optional<std::vector<std::string>> arguments;
    return arguments;
}

} // namespace

TForm1* Form1() {
    return MainForm();
}

std::vector<std::string> CommandLineArguments() {
    if (ArgumentsOverride()) return *ArgumentsOverride();
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(ToAnsi(list[i]));
    LocalFree(list);
    return arguments;
}

void SetCommandLineForTests(std::vector<std::string> arguments) {
    ArgumentsOverride() = std::move(arguments);
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    // The kinds the layout uses beyond the application's standard ones.
    RegisterComponentClass<TImageList>();
    RegisterComponentClass<TOpenDialog>();
    RegisterComponentClass<TToolBar>();
    RegisterComponentClass<TToolButton>();
    kv::RegisterSkinClasses();
    auto publish = [this](const char* name, void (TForm1::*handler)(TObject*)) {
        PublishMethod(name, TNotifyEvent([this, handler](TObject* s) { (this->*handler)(s); }));
    };
    publish("FormCreate", &TForm1::FormCreate);
    publish("OpenAgentExecute", &TForm1::OpenAgentExecute);
    publish("CloseAgentExecute", &TForm1::CloseAgentExecute);
    publish("ShowAgentExecute", &TForm1::ShowAgentExecute);
    publish("HideAgentExecute", &TForm1::HideAgentExecute);
    publish("QuitProgramExecute", &TForm1::QuitProgramExecute);
    publish("AboutExecute", &TForm1::AboutExecute);
    publish("FileAssociatedExecute", &TForm1::FileAssociatedExecute);
    publish("EditActionList1Click", &TForm1::EditActionList1Click);
    publish("English1Click", &TForm1::English1Click);
    publish("ListBox1DblClick", &TForm1::ListBox1DblClick);
    publish("Label2MouseEnter", &TForm1::Label2MouseEnter);
    publish("Label2MouseLeave", &TForm1::Label2MouseLeave);
    publish("Label2Click", &TForm1::Label2Click);
    PublishMethod("FormClose", TCloseEvent([this](TObject* s, TCloseAction& a) { FormClose(s, a); }));
    MainForm() = this;
}

TForm1::~TForm1() {
    if (MainForm() == this) MainForm() = nullptr;
    // The character goes before the control that made it, and both before the window.
    CharacterRef = kv::agent::TAgentCharacter();
    AgentControl.reset();
}

void TForm1::Loaded() {
    TForm::Loaded();
    ToolBar1 = Find<TToolBar>("ToolBar1");
    ToolButton1 = Find<TToolButton>("ToolButton1");
    ToolButton2 = Find<TToolButton>("ToolButton2");
    ToolButton3 = Find<TToolButton>("ToolButton3");
    ToolButton4 = Find<TToolButton>("ToolButton4");
    ToolButton6 = Find<TToolButton>("ToolButton6");
    Label1 = Find<TLabel>("Label1");
    Label2 = Find<TLabel>("Label2");
    ListBox1 = Find<TListBox>("ListBox1");
    ImageList1 = Find<TImageList>("ImageList1");
    ActionList1 = Find<TActionList>("ActionList1");
    OpenAgent = Find<TAction>("OpenAgent");
    CloseAgent = Find<TAction>("CloseAgent");
    QuitProgram = Find<TAction>("QuitProgram");
    ShowAgent = Find<TAction>("ShowAgent");
    HideAgent = Find<TAction>("HideAgent");
    About = Find<TAction>("About");
    FileAssociated = Find<TAction>("FileAssociated");
    MainMenu1 = Find<TMainMenu>("MainMenu1");
    File1 = Find<TMenuItem>("File1");
    Open1 = Find<TMenuItem>("Open1");
    Close1 = Find<TMenuItem>("Close1");
    EditActionList1 = Find<TMenuItem>("EditActionList1");
    CreateFileAssociated1 = Find<TMenuItem>("CreateFileAssociated1");
    Quit1 = Find<TMenuItem>("Quit1");
    View1 = Find<TMenuItem>("View1");
    Show1 = Find<TMenuItem>("Show1");
    Hide1 = Find<TMenuItem>("Hide1");
    Language1 = Find<TMenuItem>("Language1");
    English1 = Find<TMenuItem>("English1");
    ChineseSimple1 = Find<TMenuItem>("ChineseSimple1");
    Big51 = Find<TMenuItem>("Big51");
    About1 = Find<TMenuItem>("About1");
    About2 = Find<TMenuItem>("About2");
    OD = Find<TOpenDialog>("OD");
}

// --- start-up ------------------------------------------------------------------------------

void TForm1::FormCreate(TObject*) {
    AppDir = ProgramDirectory();
    ReadSettings();
    ActionNames = std::make_unique<std::vector<std::string>>();
    CharacterName.clear();
    ImmAssociateContext(ListBox1->Handle(), nullptr); // the list takes no input method
    ApplyLanguage(InterfaceLanguage);
    try {
        AgentControl = kv::agent::TAgent::Create(Handle());
    } catch (...) {
        ShowMessage(std::string(TextsFor(InterfaceLanguage).notInstalled));
        // Freed and cleared: every later user of the list tests for it.
        ActionNames.reset();
        Application->Terminate();
    }
    std::vector<std::string> arguments = CommandLineArguments();
    if (!arguments.empty()) {
        CharacterName = FileTitle(arguments.front(), IsAnsiLeadByte);
        ShowFile(arguments.front());
    }
}

void TForm1::ReadSettings() {
    TIniFile ini(AppDir + std::string(kSettingsFile));
    std::string section(kSettingsSection), key(kSettingsKey);
    std::optional<std::string> value;
    if (ini.ValueExists(section, key)) value = ini.ReadString(section, key, "");
    LanguageChoice choice = ResolveLanguageId(ReadLanguageId(value));
    if (!choice.apply) return;
    InterfaceLanguage = choice.interfaceLanguage;
    TMenuItem* items[] = {English1, ChineseSimple1, Big51};
    items[choice.menuTag - 1]->SetChecked(true);
    Font().Assign(*CreateSpecFont(TextsFor(InterfaceLanguage).mainFont));
}

// --- language ------------------------------------------------------------------------------

void TForm1::ApplyLanguage(int language) {
    if (language < 0 || language > 2) return;
    const LanguageTexts& t = TextsFor(uint8_t(language));
    MainMenu1->BeginUpdate();
    OpenAgent->SetCaption(std::string(t.openCaption));
    OpenAgent->SetHint(std::string(t.openHint));
    CloseAgent->SetCaption(std::string(t.closeCaption));
    CloseAgent->SetHint(std::string(t.closeHint));
    QuitProgram->SetCaption(std::string(t.quitCaption));
    ShowAgent->SetCaption(std::string(t.showCaption));
    ShowAgent->SetHint(std::string(t.showHint));
    HideAgent->SetCaption(std::string(t.hideCaption));
    HideAgent->SetHint(std::string(t.hideHint));
    // The built-in player's own menus (the character's and its tray icon's) follow suit.
    kv::agent::player::SetPlayerMenuTexts({ToWide(t.showCaption), ToWide(t.hideCaption)});
    About->SetCaption(std::string(t.aboutCaption));
    About->SetHint(std::string(t.aboutHint));
    EditActionList1->SetCaption(std::string(t.editActionList));
    FileAssociated->SetCaption(std::string(t.fileAssociated));
    File1->SetCaption(std::string(t.fileMenu));
    View1->SetCaption(std::string(t.viewMenu));
    About1->SetCaption(std::string(t.helpMenu));
    MainMenu1->EndUpdate();
    LoadActionList(std::string(t.actionListFile));
}

void TForm1::English1Click(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    auto language = item ? LanguageForTag(item->Tag()) : std::nullopt;
    if (!language) return;
    InterfaceLanguage = *language;
    ApplyLanguage(InterfaceLanguage);
    // A write the system refuses raises, so the default error report shows it.
    TIniFile(AppDir + std::string(kSettingsFile))
        .WriteInteger(std::string(kSettingsSection), std::string(kSettingsKey), item->Tag());
}

// --- action list ---------------------------------------------------------------------------

std::vector<std::string> TForm1::ListItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < ListBox1->Items().Count(); ++i) items.push_back(ListBox1->Items()[i]);
    return items;
}

void TForm1::LoadActionList(const std::string& fileName) {
    std::string path = AppDir + fileName;
    if (FileExists(path)) {
        // Read everything first: a failed read changes neither the list nor the names.
        ActionTable table;
        try {
            table = TableFromLines(SplitLines(ReadWholeFile(path)));
        } catch (...) {
            ShowCurrentException();
            return;
        }
        TStrings& items = ListBox1->Items();
        items.BeginUpdate();
        items.Clear();
        for (const auto& description : table.descriptions) items.Add(description);
        items.EndUpdate();
        if (ActionNames) *ActionNames = std::move(table.names);
    } else if (ActionNames) {
        *ActionNames = ListItems();
    }
    if (ListBox1->Items().Count() > 0) ListBox1->SetItemIndex(0);
}

void TForm1::EditActionList1Click(TObject*) {
    {
        auto editor = NewForm<TForm2>(this);
        editor->ShowModal();
    }
    LoadActionList(std::string(TextsFor(InterfaceLanguage).actionListFile));
}

// --- the character -------------------------------------------------------------------------

void TForm1::ShowFile(const std::string& path) {
    try {
        if (AgentControl) AgentControl->Unload(kCharacterId);
    } catch (...) {
    }
    try {
        if (!AgentControl) throw AppError("The Agent control is not available");
        AgentControl->Load(kCharacterId, ToWide(path));
        CharacterRef = AgentControl->Character(kCharacterId);
        CharacterRef.MoveTo(200, 300, 2);
        CharacterRef.SetLanguageID(1033);
        CharacterRef.Show(0);
        CharacterRef.Speak(ToWide(kGreeting));
        Label1->SetCaption(path);
    } catch (...) {
        ShowMessage(std::string(kCanNotOpen) + path);
    }
}

void TForm1::OpenAgentExecute(TObject*) {
    if (!RunOpenDialog(*OD)) return;
    std::string path = OD->FileName();
    Label1->SetCaption(path);
    CharacterName = FileTitle(path, IsAnsiLeadByte);
    ShowFile(path);
}

void TForm1::CloseAgentExecute(TObject*) {
    try {
        if (AgentControl) AgentControl->Unload(kCharacterId);
    } catch (...) {
    }
}

void TForm1::ShowAgentExecute(TObject*) {
    try {
        CharacterRef.Play(L"Show");
    } catch (...) {
    }
}

void TForm1::HideAgentExecute(TObject*) {
    try {
        CharacterRef.Play(L"Hide");
    } catch (...) {
    }
}

void TForm1::ListBox1DblClick(TObject*) {
    int selected = ListBox1->ItemIndex();
    if (CharacterName.empty() || selected < 0) return;
    if (!ActionNames || size_t(selected) >= ActionNames->size()) return;
    std::string name = (*ActionNames)[size_t(selected)];
    try {
        CharacterRef.StopAll(L"");
    } catch (const kv::agent::AgentError& e) {
        // Not handled here: the default error report shows it, in the code page in force.
        throw Exception(ToAnsi(e.Text()));
    }
    try {
        CharacterRef.Play(ToWide(name));
    } catch (...) {
        CharacterRef.Speak(ToWide(PlayFailureText(InterfaceLanguage, CharacterName, name)), L"");
    }
}

// --- the rest of the menu ------------------------------------------------------------------

void TForm1::QuitProgramExecute(TObject*) {
    Close();
}

void TForm1::AboutExecute(TObject*) {
    std::unique_ptr<TAboutForm> about = NewForm<TAboutForm>(this);
    about->ShowModal();
}

void TForm1::FileAssociatedExecute(TObject*) {
    std::string command = OpenCommand(ProgramPath());
    const LanguageTexts& t = TextsFor(InterfaceLanguage);
    if (RegisterFileType(kCharacterExtension, kCharacterProgId, kAssociationDescription, "",
                         command)) {
        NotifyAssociationsChanged();
        ShowMessage(std::string(t.associateOk));
    } else {
        ShowMessage(std::string(t.associateFail));
    }
}

void TForm1::Label2MouseEnter(TObject*) {
    Label2->Font().SetStyle(Label2->Font().Style() | fsUnderline);
    Label2->Font().SetColor(TColor(kColourPureBlue));
}

void TForm1::Label2MouseLeave(TObject*) {
    Label2->Font().SetStyle(Label2->Font().Style() & ~fsUnderline);
    Label2->Font().SetColor(clWindowText);
}

void TForm1::Label2Click(TObject*) {
    ShellOpen(std::string(kWebsiteUrl));
}

void TForm1::FormClose(TObject*, TCloseAction&) {
    ActionNames.reset();
}

} // namespace kv::app
