#pragma once
// Registering the program as the shell's handler of a file type.
//
// Contract: writes the layout of FileTypeLayout below HKEY_CURRENT_USER\Software\Classes (the
// per-user half of HKEY_CLASSES_ROOT, writable without elevation); where the classes root does
// not then show it (a system that does not merge the per-user classes), the same layout is
// written to HKEY_CLASSES_ROOT as well. Returns false when the
// extension or command is empty or a key cannot be opened or created; values written before
// that stay. A value that cannot be written throws AppError. Every key opened is closed on
// every path.
#include <string_view>

namespace kv::app {

bool RegisterFileType(std::string_view extension, std::string_view progId,
                      std::string_view description, std::string_view contentType,
                      std::string_view command);

// Removes the layout RegisterFileType wrote, but only while the type's open command is still
// `command` (another program that took the type over keeps it): the prog id's key goes, and
// the extension's default value goes while it names the prog id (its key too when nothing else
// is left in it). Both places RegisterFileType writes are looked at. Returns false only when a
// key of ours exists and cannot be removed.
bool UnregisterFileType(std::string_view extension, std::string_view progId,
                        std::string_view command);

} // namespace kv::app
