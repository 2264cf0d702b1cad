// Ownership, naming and free notification of components.
#include "platform/core/component.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  // Tell everyone who keeps a reference to us.
  auto notifies = free_notifies_;
  free_notifies_.clear();
  for (TComponent* c : notifies) {
    c->RemoveFreeNotification(this);
    c->Notification(this, TOperation::opRemove);
  }
  // Destroy owned components, the last created first.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(std::string_view name) {
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this)
      throw EComponentError(PlatformText("component.name_taken", {name}));
  }
  name_ = std::string(name);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  if (c->owner_) c->owner_->RemoveComponent(c);
  components_.push_back(c);
  c->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it != components_.end()) components_.erase(it);
  c->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(other->free_notifies_.begin(), other->free_notifies_.end(), this) == other->free_notifies_.end())
    other->free_notifies_.push_back(this);
  if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end())
    free_notifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  std::erase(free_notifies_, other);
  std::erase(other->free_notifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

}  // namespace zor::plat
