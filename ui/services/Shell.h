#pragma once
// The shell: opening a document or web address, and telling it that associations changed.
//
// Contract: ShellOpen runs the verb "open" on `target` (a path or a URL) with no parameters
// and a normal window; true when the shell accepted it (ShellExecute's result above 32).
// NotifyAssociationsChanged sends SHCNE_ASSOCCHANGED with no items.
#include <windows.h>

#include <string>

bool ShellOpen(const std::string& target, HWND owner = nullptr);
bool ShellOpenW(const std::wstring& target, HWND owner = nullptr);
void NotifyAssociationsChanged();
