#include "app/logic/Association.h"

namespace kv::app {

std::string OpenCommand(std::string_view programPath) {
    std::string command = "\"";
    command += programPath;
    command += "\" \"%1\"";
    return command;
}

bool SameRegistryText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

std::vector<RegistryValue> FileTypeLayout(std::string_view extension, std::string_view progId,
                                          std::string_view description,
                                          std::string_view contentType, std::string_view command) {
    if (extension.empty() || command.empty()) return {};
    std::string ext(extension);
    std::string id(progId);
    std::vector<RegistryValue> layout;
    layout.push_back({ext, "", id});
    if (!contentType.empty()) layout.push_back({ext, "Content Type", std::string(contentType)});
    layout.push_back({id, "", std::string(description)});
    layout.push_back({id + "\\shell\\open\\command", "", std::string(command)});
    return layout;
}

} // namespace kv::app
