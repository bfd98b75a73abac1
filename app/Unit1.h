#pragma once
// TForm1: the viewer's main window. It carries the menu, the toolbar, the list of animations
// and the status label, owns the one Agent control of the process and the character it has
// loaded, and starts every user command. Its components come from the layout "TForm1" in the
// program's resources; the framework calls its handlers on the events they are named after.
//
// Contract: FormCreate runs the start-up sequence (settings, language, action list, the Agent
// control, the file on the command line) when the window is first shown. Without an Agent
// control it asks the application to terminate. Every handler catches the failures the viewer
// expects and lets the others reach the application's default error report.
#include "agent/binding/Agent.h"
#include "ui/actions/ActnList.h"
#include "ui/controls/ComCtrlsToolBar.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImageList.h"
#include "ui/menus/Menus.h"
#include "ui/services/OpenDialog.h"

#include <memory>
#include <string>
#include <vector>

namespace kv::app {

class TForm1 : public TForm {
    KV_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // Found after the layout is read.
    TToolBar* ToolBar1 = nullptr;
    TToolButton *ToolButton1 = nullptr, *ToolButton2 = nullptr, *ToolButton3 = nullptr,
                *ToolButton4 = nullptr, *ToolButton6 = nullptr;
    TLabel* Label1 = nullptr; // status: the path of the character file last chosen
    TLabel* Label2 = nullptr; // the website
    TListBox* ListBox1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction *OpenAgent = nullptr, *CloseAgent = nullptr, *QuitProgram = nullptr,
            *ShowAgent = nullptr, *HideAgent = nullptr, *About = nullptr,
            *FileAssociated = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem *File1 = nullptr, *Open1 = nullptr, *Close1 = nullptr, *EditActionList1 = nullptr,
              *CreateFileAssociated1 = nullptr, *Quit1 = nullptr, *View1 = nullptr,
              *Show1 = nullptr, *Hide1 = nullptr, *Language1 = nullptr, *English1 = nullptr,
              *ChineseSimple1 = nullptr, *Big51 = nullptr, *About1 = nullptr, *About2 = nullptr;
    TOpenDialog* OD = nullptr;

    // The character "Bob" as the control returned it; empty until the first successful load.
    kv::agent::TAgentCharacter CharacterRef;
    std::unique_ptr<kv::agent::TAgent> AgentControl;
    // File name (no folder, no extension) of the character file last chosen.
    std::string CharacterName;
    // The animation of each list entry, same index; freed (null) when the program ends early.
    std::unique_ptr<std::vector<std::string>> ActionNames;

    // The one road by which a file reaches the control.
    void ShowFile(const std::string& path);
    void ApplyLanguage(int language);
    void LoadActionList(const std::string& fileName);
    std::vector<std::string> ListItems() const;

    // Handlers (published under these names).
    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void OpenAgentExecute(TObject* sender);
    void CloseAgentExecute(TObject* sender);
    void ShowAgentExecute(TObject* sender);
    void HideAgentExecute(TObject* sender);
    void QuitProgramExecute(TObject* sender);
    void AboutExecute(TObject* sender);
    void FileAssociatedExecute(TObject* sender);
    void EditActionList1Click(TObject* sender);
    void English1Click(TObject* sender);
    void ListBox1DblClick(TObject* sender);
    void Label2MouseEnter(TObject* sender);
    void Label2MouseLeave(TObject* sender);
    void Label2Click(TObject* sender);

protected:
    void Loaded() override;

private:
    void ReadSettings();
};

// The main window of the running program (nullptr before it exists).
TForm1* Form1();

// The program's arguments after its name, in the ANSI code page (tests may set others).
std::vector<std::string> CommandLineArguments();
void SetCommandLineForTests(std::vector<std::string> arguments);

} // namespace kv::app
