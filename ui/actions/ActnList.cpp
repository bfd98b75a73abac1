#include "ui/actions/ActnList.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/ImageList.h"

#include <algorithm>

namespace {
bool ShortCutIdent(std::string_view text, int64_t& value) {
    TShortCut shortCut = TextToShortCut(text);
    if (shortCut == scNone) return false;
    value = shortCut;
    return true;
}
} // namespace

KV_DEFINE_CLASS(TAction, TComponent, [](TPropertyBuilder<TAction>& p) {
    p.String("Caption", &TAction::Caption, &TAction::SetCaption);
    p.String("Hint", &TAction::Hint, &TAction::SetHint);
    p.Integer("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex);
    p.Integer("ShortCut", &TAction::ShortCut, &TAction::SetShortCut).identToInt = ShortCutIdent;
    p.Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled);
    p.Bool("Checked", &TAction::Checked, &TAction::SetChecked);
    p.Bool("Visible", &TAction::Visible, &TAction::SetVisible);
    p.Bool("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck);
    p.String("Category", &TAction::Category, &TAction::SetCategory);
    p.Event<TNotifyEvent>("OnExecute", &TAction::SetOnExecute);
    p.Event<TNotifyEvent>("OnUpdate", &TAction::SetOnUpdate);
})

KV_DEFINE_CLASS(TActionList, TComponent, [](TPropertyBuilder<TActionList>& p) {
    p.Component<TImageList>("Images", &TActionList::Images, &TActionList::SetImages);
})

void RegisterActionClasses() {
    RegisterComponentClass<TAction>();
    RegisterComponentClass<TActionList>();
}

// --- TActionLink ---

void TActionLink::SetAction(TAction* action) {
    if (action == action_) return;
    if (action_) std::erase(action_->links_, this);
    action_ = action;
    if (!action_) return;
    action_->links_.push_back(this);
    client_.ActionChanged(*action_);
}

bool TActionLink::Execute() {
    return action_ && action_->Execute();
}

// --- TAction ---

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
    // Copy: a client may link elsewhere while it hears that this action is gone.
    std::vector<TActionLink*> links = std::move(links_);
    links_.clear();
    for (TActionLink* link : links) {
        link->action_ = nullptr;
        link->client_.ActionFreed();
    }
    SetActionList(nullptr);
}

void TAction::Changed() {
    std::vector<TActionLink*> links = links_;
    for (TActionLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->client_.ActionChanged(*this);
}

template <class T> static bool Assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

void TAction::SetCaption(const std::string& caption) {
    if (Assign(caption_, caption)) Changed();
}
void TAction::SetHint(const std::string& hint) {
    if (Assign(hint_, hint)) Changed();
}
void TAction::SetImageIndex(int index) {
    if (Assign(imageIndex_, index)) Changed();
}
void TAction::SetShortCut(TShortCut shortCut) {
    if (Assign(shortCut_, shortCut)) Changed();
}
void TAction::SetEnabled(bool enabled) {
    if (Assign(enabled_, enabled)) Changed();
}
void TAction::SetChecked(bool checked) {
    if (Assign(checked_, checked)) Changed();
}
void TAction::SetVisible(bool visible) {
    if (Assign(visible_, visible)) Changed();
}

void TAction::SetActionList(TActionList* list) {
    if (list == actionList_) return;
    if (actionList_) std::erase(actionList_->actions_, this);
    actionList_ = list;
    if (actionList_) actionList_->actions_.push_back(this);
}

int TAction::Index() const {
    if (!actionList_) return -1;
    const auto& all = actionList_->actions_;
    return static_cast<int>(std::find(all.begin(), all.end(), this) - all.begin());
}

bool TAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

bool TAction::Execute() {
    Update();
    if (!enabled_) return false;
    if (autoCheck_) SetChecked(!checked_);
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

// --- TActionList ---

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList() {
    SetImages(nullptr);
    while (!actions_.empty()) delete actions_.back();
}

void TActionList::SetImages(TImageList* images) {
    images_.Set(images);
}

TAction* TActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return actions_[static_cast<size_t>(index)];
}

TAction* TActionList::FindShortCut(TShortCut shortCut) const {
    if (shortCut == scNone) return nullptr;
    for (TAction* action : actions_)
        if (action->ShortCut() == shortCut) return action;
    return nullptr;
}

bool TActionList::IsShortCut(TShortCut shortCut) {
    TAction* action = FindShortCut(shortCut);
    return action && action->Execute();
}

bool TActionList::AddLoadedChild(TComponent& child) {
    auto* action = dynamic_cast<TAction*>(&child);
    if (!action) return false;
    action->SetActionList(this);
    return true;
}

std::vector<TComponent*> TActionList::LoadedChildren() const {
    return {actions_.begin(), actions_.end()};
}
