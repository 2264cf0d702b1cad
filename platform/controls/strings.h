// A list of texts, each with an optional attached object (not owned): the
// items of combo boxes and radio groups. Observers hear every change.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/observers.h"

namespace zor::plat {

class TObject;

class TStrings {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Raise EStringListError-like Exception for an index out of range.
  const std::string& Strings(int index) const;
  TObject* Objects(int index) const;
  void SetString(int index, std::string text);
  void SetObject(int index, TObject* object);

  int Add(std::string text) { return AddObject(std::move(text), nullptr); }
  int AddObject(std::string text, TObject* object);
  void Insert(int index, std::string text, TObject* object = nullptr);
  void Delete(int index);
  void Clear();
  // Replaces all items with these texts (no objects).
  void Assign(const std::vector<std::string>& texts);
  // Index of the first item with this text, without regard to ASCII case; -1 when absent.
  int IndexOf(std::string_view text) const;
  int IndexOfObject(const TObject* object) const;
  // All texts joined by line breaks, as one multi-line text.
  std::string Text() const;
  void SetText(std::string_view lines);

  // Batches changes: one notification at the outermost EndUpdate.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

  // Notified after every change (once per batch).
  Observers<> Changed;

 private:
  void Notify();
  std::vector<std::pair<std::string, TObject*>> items_;
  int updating_ = 0;
  bool pending_ = false;
};

}  // namespace zor::plat
