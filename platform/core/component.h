// The root of every platform object and the component: a named object with
// an owner that destroys it, a tag, and lookup of owned components by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor::plat {

class TObject {
 public:
  virtual ~TObject() = default;
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
 public:
  // The owner, when given, takes ownership and destroys this component with itself.
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  // Raises EComponentError when a sibling under the same owner has the name.
  void SetName(std::string_view name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  TComponent* Owner() const { return owner_; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // Owned component by name, without regard to case; null when none.
  TComponent* FindComponent(std::string_view name) const;

  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  // Asks to be told (Notification with opRemove) when `other` is destroyed;
  // components that keep references to others use it to drop them in time.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  bool Destroying() const { return destroying_; }

 protected:
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  std::string name_;
  int tag_ = 0;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  bool destroying_ = false;
};

// Finds a component by name and checks its class; null when absent or of another class.
template <typename T>
T* FindComponentAs(const TComponent* owner, std::string_view name) {
  return owner ? dynamic_cast<T*>(owner->FindComponent(name)) : nullptr;
}

}  // namespace zor::plat
