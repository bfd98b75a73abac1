#pragma once
// Quiet command-line tasks: the installer runs the installed program to write the ".acs"
// association (the same layout as "Set File Associate") and, at uninstall, to remove it.
//
// Contract: `QuietTaskOf` takes the arguments after the program name; a task is chosen only
// when the one and only argument is "/associate" or "/unassociate" ("-" also introduces them;
// letters in any case). Anything else, a file name in particular, is `QuietTask::None`.
#include <string>
#include <vector>

namespace kv::app {

enum class QuietTask { None, Associate, Unassociate };

QuietTask QuietTaskOf(const std::vector<std::string>& arguments);

} // namespace kv::app
