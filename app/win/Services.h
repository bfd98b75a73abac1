#pragma once
// The viewer's few calls into the system's interactive services, each behind one replaceable
// function so that tests can observe and answer them: the open dialog, opening a web address
// in the shell and the shell's association notification. Message boxes and the default error
// report are the application object's.
//
// Contract: with no replacement installed the real system call is made. Replacements are
// process-wide and live until reset with an empty function. UI thread only.
#include "ui/services/OpenDialog.h"

#include <exception>
#include <functional>
#include <string>

namespace kv::app {

// The framework's ShowMessage: an OK box titled with the application's title.
void ShowMessage(const std::string& text);

// The default error report for an error no handler caught (the application's): its own
// message, the program goes on. The Agent control's errors are shown in the code page in force.
void ShowException(const std::exception& error);
void ShowCurrentException();

// Runs the open dialog: true when a file was chosen (its path is then the dialog's FileName).
using OpenDialogFunction = std::function<bool(TOpenDialog& dialog)>;
void SetOpenDialogFunction(OpenDialogFunction f);
bool RunOpenDialog(TOpenDialog& dialog);

// Opening a document or address with the shell verb "open", normal window.
using ShellOpenFunction = std::function<void(const std::string& target)>;
void SetShellOpenFunction(ShellOpenFunction f);
void ShellOpen(const std::string& target);

// The shell notification that file associations changed (no items).
using AssociationNotifyFunction = std::function<void()>;
void SetAssociationNotifyFunction(AssociationNotifyFunction f);
void NotifyAssociationsChanged();

} // namespace kv::app
