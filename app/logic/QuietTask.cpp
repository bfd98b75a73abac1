#include "app/logic/QuietTask.h"

#include "app/logic/Association.h"

namespace kv::app {

QuietTask QuietTaskOf(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return QuietTask::None;
    const std::string& argument = arguments.front();
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return QuietTask::None;
    std::string_view name = std::string_view(argument).substr(1);
    if (SameRegistryText(name, "associate")) return QuietTask::Associate;
    if (SameRegistryText(name, "unassociate")) return QuietTask::Unassociate;
    return QuietTask::None;
}

} // namespace kv::app
