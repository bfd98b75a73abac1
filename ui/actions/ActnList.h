#pragma once
// Actions: one command with its caption, hint, image, shortcut and state, shown by any number
// of clients (menu items, tool buttons), and the action lists that hold them.
//
// Contract:
//  - A client shows an action through a TActionLink it owns. SetAction registers the link
//    with the action and at once calls the client's ActionChanged; every later change of the
//    action's Caption, Hint, ImageIndex, ShortCut, Enabled, Checked or Visible calls it again.
//    The client copies what it shows in that call.
//  - Either side may go first: a link unregisters itself when it is destroyed, and an action
//    that goes away empties every link to it and calls the clients' ActionFreed.
//  - Execute() runs OnUpdate, then, when the action is enabled, toggles Checked for AutoCheck
//    and runs OnExecute. It answers whether OnExecute ran. Update() runs OnUpdate and answers
//    whether there is one.
//  - A TActionList keeps its actions in order and frees the ones it still holds when it goes
//    away. An action belongs to at most one list (SetActionList moves it). In a layout,
//    actions nested in an action list's block join it.
//  - IsShortCut(shortCut) on a list executes the first action with that shortcut and answers
//    whether it ran (a disabled action lets the key go on as an ordinary key).
#include "ui/actions/ShortCut.h"
#include "ui/classes/Component.h"
#include "ui/classes/ComponentLink.h"

#include <vector>

class TAction;
class TActionList;
class TImageList;

class TActionClient {
public:
    // The linked action changed, or the link was just made.
    virtual void ActionChanged(const TAction& action) = 0;
    // The action is going away; the link is empty already. The client keeps what it shows.
    virtual void ActionFreed() {}

protected:
    ~TActionClient() = default;
};

class TActionLink {
public:
    explicit TActionLink(TActionClient& client) : client_(client) {}
    ~TActionLink() { SetAction(nullptr); }
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TAction* Action() const { return action_; }
    void SetAction(TAction* action);
    // The client was clicked: run the action. False when not linked or not run.
    bool Execute();

private:
    friend class TAction;
    TActionClient& client_;
    TAction* action_ = nullptr;
};

class TAction : public TComponent {
    KV_CLASS(TAction, TComponent)
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool autoCheck) { autoCheck_ = autoCheck; }
    const std::string& Category() const { return category_; }
    void SetCategory(const std::string& category) { category_ = category; }

    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* list);
    // Position in its list, or -1.
    int Index() const;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    void SetOnExecute(const TNotifyEvent& e) { OnExecute = e; }
    void SetOnUpdate(const TNotifyEvent& e) { OnUpdate = e; }

    bool Execute();
    bool Update();

private:
    friend class TActionLink;
    void Changed();

    std::string caption_, hint_, category_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool autoCheck_ = false;
    TActionList* actionList_ = nullptr;
    std::vector<TActionLink*> links_;
};

class TActionList : public TComponent {
    KV_CLASS(TActionList, TComponent)
public:
    explicit TActionList(TComponent* owner);
    ~TActionList() override;

    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images);

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    // Throws EListError outside 0..ActionCount()-1.
    TAction* Actions(int index) const;
    // The first action with that shortcut, or nullptr.
    TAction* FindShortCut(TShortCut shortCut) const;
    bool IsShortCut(TShortCut shortCut);

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;

private:
    friend class TAction;
    std::vector<TAction*> actions_;
    TComponentLink<TImageList> images_;
};

// Makes TAction and TActionList known to layouts (the application does this at start).
void RegisterActionClasses();
