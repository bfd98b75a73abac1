#pragma once
// The viewer's few calls into the system's interactive services, each behind one replaceable
// function so that tests can observe and answer them: message boxes, the open dialog, opening
// a web address in the shell, the shell's association notification and the default error
// report.
//
// Contract: with no replacement installed the real system call is made. Replacements are
// process-wide and live until reset with an empty function. UI thread only.
#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace kv::app {

// Message boxes: text and caption in the ANSI code page; returns the button pressed.
using MessageBoxFunction =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
void SetMessageBoxFunction(MessageBoxFunction f);
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// The framework's ShowMessage: an OK box titled with the application's title.
void ShowMessage(const std::string& text);

// The default error report for an error no handler caught: its own message in an OK box with
// a stop icon, titled with the application's title. The program goes on.
void ShowException(const std::exception& error);
void ShowCurrentException();

// The open dialog: the chosen full path, or nullopt on cancel.
struct OpenDialogOptions {
    std::string title;
    std::string filter; // "Description|pattern|..."
    DWORD flags = 0;
};
using OpenDialogFunction =
    std::function<std::optional<std::string>(HWND owner, const OpenDialogOptions&)>;
void SetOpenDialogFunction(OpenDialogFunction f);
std::optional<std::string> RunOpenDialog(HWND owner, const OpenDialogOptions& options);

// Opening a document or address with the shell verb "open", normal window.
using ShellOpenFunction = std::function<void(const std::string& target)>;
void SetShellOpenFunction(ShellOpenFunction f);
void ShellOpen(const std::string& target);

// The shell notification that file associations changed (no items).
using AssociationNotifyFunction = std::function<void()>;
void SetAssociationNotifyFunction(AssociationNotifyFunction f);
void NotifyAssociationsChanged();

// The application's title (task bar text) and the window that carries it.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);
HWND ApplicationWindow();

// The window that owns message boxes now: the active window of this thread, or the
// application window.
HWND MessageBoxOwner();

} // namespace kv::app
