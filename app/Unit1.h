#pragma once
// TForm1: the viewer's main window. It carries the menu, the toolbar, the list of animations
// and the status label, owns the one Agent control of the process and the character it has
// loaded, and starts every user command.
//
// Contract: construct it, then Show() runs the start-up sequence (settings, language, action
// list, the Agent control, the file on the command line) before the window appears.
// Terminated() turns true when start-up found no Agent control; the message loop then ends.
// Every handler catches the failures the viewer expects and lets the others reach the
// default error report.
#include "app/logic/ActionList.h"
#include "app/win/Window.h"
#include "app/win/WinUtil.h"

#include "ui/graphics/GraphicsObjects.h"

#include "agent/binding/Agent.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace kv::app {

// Command identifiers of the main window's actions and menu items.
enum MainCommand : int {
    cmOpenAgent = 101,
    cmCloseAgent,
    cmQuitProgram,
    cmShowAgent,
    cmHideAgent,
    cmAbout,
    cmFileAssociated,
    cmEditActionList,
    cmEnglish = 111, // tags 1, 2, 3 follow
    cmChineseSimple,
    cmBig5,
};

// Control identifiers.
enum MainControl : int { idToolBar = 1, idListBox, idStatusLabel, idWebsiteLabel };

class TForm1 : public Window {
public:
    // `arguments`: the command line's arguments after the program name.
    explicit TForm1(std::vector<std::string> arguments);
    ~TForm1() override;

    // Start-up sequence, then the window is shown centred on the screen.
    void Show(int showCommand = SW_SHOWNORMAL);
    bool Terminated() const { return terminated_; }
    // Gives the accelerator table its keys; true when the message was a shortcut.
    bool TranslateShortcut(MSG& msg);

    // The one road by which a file reaches the control.
    void ShowFile(const std::string& path);
    void ApplyLanguage(int language);
    void LoadActionList(const std::string& fileName);

    // Handlers (named after their components and events).
    void FormCreate();
    void OpenAgentExecute();
    void CloseAgentExecute();
    void ShowAgentExecute();
    void HideAgentExecute();
    void QuitProgramExecute();
    void AboutExecute();
    void FileAssociatedExecute();
    void EditActionList1Click();
    void English1Click(int tag);
    void ListBox1DblClick();
    void Label2MouseEnter();
    void Label2MouseLeave();
    void Label2Click();
    void FormClose();

    // Read by the editor and by tests.
    HWND ListBox1() const { return listBox1_; }
    HWND Label1() const { return label1_; }
    HWND Label2() const { return label2_; }
    HWND ToolBar1() const { return toolBar1_; }
    HMENU MainMenu1() const { return mainMenu1_; }
    const std::vector<std::string>* ActionNames() const { return actionNames_.get(); }
    const std::string& CharacterName() const { return characterName_; }
    std::vector<std::string> ListItems() const;
    const std::string& ActionHint(int command) const;
    const std::string& ActionCaption(int command) const;
    bool WebsiteHot() const { return websiteHot_; }

protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Action {
        int command;
        std::string caption;
        std::string hint;
        const char* shortcut; // menu text after the tab, or nullptr
    };

    void CreateMenus();
    void CreateToolBar();
    void CreateControls();
    void LayoutControls();
    void ReadSettings();
    void SetActionText(int command, std::string_view caption, std::string_view hint);
    void RefreshMenuTexts();
    void SetMenuText(HMENU menu, UINT id, bool byPosition, const std::string& text);
    Action* FindAction(int command);
    void OnCommand(int command);
    LRESULT OnNotify(NMHDR* header);
    void SetStatus(const std::string& text);
    void SetListItems(const std::vector<std::string>& items);
    void UpdateWebsiteLook();

    // Fields of the window beyond its controls, in the order of their meaning.
    kv::agent::TAgentCharacter characterRef_;
    std::unique_ptr<kv::agent::TAgent> agentControl_;
    std::string characterName_;
    std::unique_ptr<std::vector<std::string>> actionNames_;

    std::vector<std::string> arguments_;
    std::vector<Action> actions_;
    bool terminated_ = false;
    bool shown_ = false;
    bool websiteHot_ = false;

    HMENU mainMenu1_ = nullptr;
    HMENU file1_ = nullptr;
    HMENU view1_ = nullptr;
    HMENU language1_ = nullptr;
    HMENU about1_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    HIMAGELIST imageList1_ = nullptr;
    HWND toolBar1_ = nullptr;
    HWND label2_ = nullptr;
    HWND listBox1_ = nullptr;
    HWND label1_ = nullptr;
    WNDPROC label2Procedure_ = nullptr;
    Font windowFont_;
    std::unique_ptr<TFont> specFont_;
    Font listFont_;
    Font websiteFont_;
    Font websiteHotFont_;

    static LRESULT CALLBACK WebsiteProcedure(HWND, UINT, WPARAM, LPARAM);
};

// The main window of the running program (nullptr before it exists).
TForm1* Form1();

} // namespace kv::app
