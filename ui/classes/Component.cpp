#include "ui/classes/Component.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"

#include <algorithm>
#include <cctype>

KV_DEFINE_CLASS(TComponent, TObject, [](TPropertyBuilder<TComponent>& p) {
    p.String("Name", &TComponent::Name, &TComponent::SetName);
    p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag);
})

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    DestroyComponents();
    NotifyRemoval();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::NotifyRemoval() {
    // Copy: a receiver may change the list while it unhooks.
    std::vector<TComponent*> others = freeNotifies_;
    freeNotifies_.clear();
    for (TComponent* other : others) {
        std::erase(other->freeNotifies_, this);
        other->Notification(this, TOperation::opRemove);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
    return static_cast<int>(it - owner_->components_.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

bool TComponent::IsValidIdent(std::string_view name) {
    if (name.empty()) return true;
    auto word = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; };
    if (std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(), word);
}

void TComponent::SetName(const std::string& name) {
    if (SameText(name, name_) && name == name_) return;
    if (!IsValidIdent(name))
        throw EComponentError("\"" + name + "\" is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::Loaded() {
    state_ &= ~static_cast<unsigned>(csLoading | csReading);
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    components_.erase(it);
    component->owner_ = nullptr;
    Notification(component, TOperation::opRemove);
    for (size_t i = 0; i < components_.size(); ++i)
        components_[i]->Notification(component, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    std::erase(freeNotifies_, other);
    std::erase(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::PublishMethod(const std::string& name, std::any handler) {
    methods_[name] = std::move(handler);
}

const std::any* TComponent::FindMethod(std::string_view name) const {
    for (const auto& [key, value] : methods_)
        if (SameText(key, name)) return &value;
    return nullptr;
}

bool TComponent::AddLoadedChild(TComponent&) {
    return false;
}
