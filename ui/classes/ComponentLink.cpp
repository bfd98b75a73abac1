#include "ui/classes/ComponentLink.h"

void TComponentLinkBase::SetTarget(TComponent* target) {
    if (target == target_) return;
    if (target_) listener_.RemoveFreeNotification(target_);
    target_ = target;
    if (target_) listener_.FreeNotification(target_);
}

void TComponentLinkBase::TargetFreed() {
    target_ = nullptr; // the notification list has already forgotten this link
    // A copy: the holder may free itself, and this link with it, in its callback.
    if (std::function<void()> onFreed = onFreed_) onFreed();
}

void TComponentLinkBase::TListener::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == link_.target_) link_.TargetFreed();
}
