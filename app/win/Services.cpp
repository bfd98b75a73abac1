#include "app/win/Services.h"

#include "app/win/WinUtil.h"

#include "agent/binding/AgentError.h"
#include "ui/classes/Exception.h"
#include "ui/forms/Forms.h"
#include "ui/services/Shell.h"

namespace kv::app {
namespace {

OpenDialogFunction& OpenDialogSlot() {
    static OpenDialogFunction f;
    return f;
}
ShellOpenFunction& ShellOpenSlot() {
    static ShellOpenFunction f;
    return f;
}
AssociationNotifyFunction& NotifySlot() {
    static AssociationNotifyFunction f;
    return f;
}

} // namespace

void ShowMessage(const std::string& text) {
    if (Application) Application->MessageBox(text, Application->Title(), MB_OK);
}

void ShowException(const std::exception& error) {
    if (!Application) return;
    // The control's errors carry their text in UTF-16; the report shows the code page in force.
    if (auto* agent = dynamic_cast<const kv::agent::AgentError*>(&error))
        Application->HandleException(Exception(ToAnsi(agent->Text())));
    else
        Application->HandleException(error);
}

void ShowCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(Exception("Unknown error"));
    }
}

void SetOpenDialogFunction(OpenDialogFunction f) {
    OpenDialogSlot() = std::move(f);
}

bool RunOpenDialog(TOpenDialog& dialog) {
    if (OpenDialogSlot()) return OpenDialogSlot()(dialog);
    return dialog.Execute();
}

void SetShellOpenFunction(ShellOpenFunction f) {
    ShellOpenSlot() = std::move(f);
}

void ShellOpen(const std::string& target) {
    if (ShellOpenSlot()) return ShellOpenSlot()(target);
    ::ShellOpen(target);
}

void SetAssociationNotifyFunction(AssociationNotifyFunction f) {
    NotifySlot() = std::move(f);
}

void NotifyAssociationsChanged() {
    if (NotifySlot()) NotifySlot()();
    ::NotifyAssociationsChanged();
}

} // namespace kv::app
