#include "ui/classes/Object.h"
#include "ui/classes/Properties.h"

#include <cctype>

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info("TObject", nullptr, nullptr);
    return info;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) return false;
    }
    return true;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (SameText(c->name_, className)) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& p : c->properties_)
            if (SameText(p->name, name)) return p.get();
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
    std::vector<const TPropInfo*> all;
    if (parent_) all = parent_->AllProperties();
    for (const auto& p : properties_) {
        // A redeclared property replaces its ancestor's.
        std::erase_if(all, [&](const TPropInfo* q) { return SameText(q->name, p->name); });
        all.push_back(p.get());
    }
    return all;
}

TPropInfo& TClassInfo::AddProperty(TPropInfo info) {
    properties_.push_back(std::make_unique<TPropInfo>(std::move(info)));
    return *properties_.back();
}
