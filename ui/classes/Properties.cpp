#include "ui/classes/Properties.h"

#include <cctype>
#include <map>

const TPropInfo* FindPropInfo(const TObject& object, std::string_view name) {
    return object.ClassType().FindProperty(name);
}

bool HasProperty(const TObject& object, std::string_view name) {
    return FindPropInfo(object, name) != nullptr;
}

int EnumValueIndex(const TPropInfo& info, std::string_view valueName) {
    for (size_t i = 0; i < info.valueNames.size(); ++i)
        if (SameText(info.valueNames[i], valueName)) return static_cast<int>(i);
    return -1;
}

bool SetEnumProp(TObject& object, std::string_view name, std::string_view valueName) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || info->kind != TPropKind::Enum) return false;
    int index = EnumValueIndex(*info, valueName);
    if (index < 0) return false;
    info->setOrd(object, index);
    return true;
}

std::optional<std::string> GetEnumProp(const TObject& object, std::string_view name) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || info->kind != TPropKind::Enum) return std::nullopt;
    int64_t value = info->getOrd(object);
    if (value < 0 || value >= static_cast<int64_t>(info->valueNames.size()))
        return std::to_string(value);
    return info->valueNames[static_cast<size_t>(value)];
}

static bool IsOrdinal(TPropKind kind) {
    return kind == TPropKind::Integer || kind == TPropKind::Enum || kind == TPropKind::Set;
}

bool SetOrdProp(TObject& object, std::string_view name, int64_t value) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || !IsOrdinal(info->kind)) return false;
    info->setOrd(object, value);
    return true;
}

std::optional<int64_t> GetOrdProp(const TObject& object, std::string_view name) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || !IsOrdinal(info->kind)) return std::nullopt;
    return info->getOrd(object);
}

bool SetStrProp(TObject& object, std::string_view name, const std::string& value) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || info->kind != TPropKind::String) return false;
    info->setStr(object, value);
    return true;
}

std::optional<std::string> GetStrProp(const TObject& object, std::string_view name) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || info->kind != TPropKind::String) return std::nullopt;
    return info->getStr(object);
}

static std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool SetSetProp(TObject& object, std::string_view name, std::string_view text) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || info->kind != TPropKind::Set) return false;
    text = Trim(text);
    if (!text.empty() && text.front() == '[') text.remove_prefix(1);
    if (!text.empty() && text.back() == ']') text.remove_suffix(1);
    int64_t bits = 0;
    while (!Trim(text).empty()) {
        size_t comma = text.find(',');
        std::string_view word = Trim(text.substr(0, comma));
        int index = EnumValueIndex(*info, word);
        if (index < 0 || index >= 64) return false;
        bits |= int64_t{1} << index;
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    info->setOrd(object, bits);
    return true;
}

std::optional<std::string> GetSetProp(const TObject& object, std::string_view name) {
    const TPropInfo* info = FindPropInfo(object, name);
    if (!info || info->kind != TPropKind::Set) return std::nullopt;
    uint64_t bits = static_cast<uint64_t>(info->getOrd(object));
    std::string text = "[";
    for (size_t i = 0; i < info->valueNames.size() && i < 64; ++i) {
        if (!(bits & (uint64_t{1} << i))) continue;
        if (text.size() > 1) text += ',';
        text += info->valueNames[i];
    }
    return text + "]";
}

// --- Class registry ---------------------------------------------------------------------------

namespace {
struct CaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            int x = std::tolower(static_cast<unsigned char>(a[i]));
            int y = std::tolower(static_cast<unsigned char>(b[i]));
            if (x != y) return x < y;
        }
        return a.size() < b.size();
    }
};
std::map<std::string, const TClassInfo*, CaseLess>& Registry() {
    static std::map<std::string, const TClassInfo*, CaseLess> registry;
    return registry;
}
} // namespace

void RegisterClassInfo(const TClassInfo& info) {
    Registry()[info.Name()] = &info;
}

const TClassInfo* FindClassInfo(std::string_view name) {
    auto& registry = Registry();
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : it->second;
}
