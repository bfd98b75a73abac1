#include "tools/gallery/GalleryOptions.h"

#include "ui/core/Controls.h" // WideToAnsi

#include <windows.h>
#include <shellapi.h>

#include <charconv>

namespace {

// The value of "--name=VALUE" when `argument` is that option.
bool OptionNumber(const std::string& argument, const std::string& name, int& value) {
    const std::string prefix = "--" + name + "=";
    if (argument.rfind(prefix, 0) != 0) return false;
    const char* first = argument.data() + prefix.size();
    const char* last = argument.data() + argument.size();
    int parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    value = (error == std::errc() && end == last && parsed >= 0) ? parsed : 0;
    return true;
}

} // namespace

GalleryOptions ParseGalleryOptions(const std::vector<std::string>& arguments) {
    GalleryOptions options;
    bool haveSkin = false;
    for (const std::string& argument : arguments) {
        if (argument.rfind("--", 0) != 0) {
            if (!haveSkin) options.skinFile = argument;
            haveSkin = true;
        } else if (argument == "--mdi") {
            options.mdi = true;
        } else if (!OptionNumber(argument, "page", options.page)) {
            OptionNumber(argument, "exit-after", options.exitAfterMs);
        }
    }
    return options;
}

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(WideToAnsi(list[i]));
    LocalFree(list);
    return arguments;
}
