// The item list of combo boxes and radio groups.
#include "platform/controls/strings.h"

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"

namespace zor::plat {

namespace {
[[noreturn]] void OutOfRange(int index) {
  throw Exception(PlatformText("list.index_out_of_bounds", {std::to_string(index)}));
}
}  // namespace

const std::string& TStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) OutOfRange(index);
  return items_[index].first;
}

TObject* TStrings::Objects(int index) const {
  if (index < 0 || index >= Count()) OutOfRange(index);
  return items_[index].second;
}

void TStrings::SetString(int index, std::string text) {
  if (index < 0 || index >= Count()) OutOfRange(index);
  items_[index].first = std::move(text);
  Notify();
}

void TStrings::SetObject(int index, TObject* object) {
  if (index < 0 || index >= Count()) OutOfRange(index);
  items_[index].second = object;
  Notify();
}

int TStrings::AddObject(std::string text, TObject* object) {
  items_.emplace_back(std::move(text), object);
  Notify();
  return Count() - 1;
}

void TStrings::Insert(int index, std::string text, TObject* object) {
  if (index < 0 || index > Count()) OutOfRange(index);
  items_.insert(items_.begin() + index, {std::move(text), object});
  Notify();
}

void TStrings::Delete(int index) {
  if (index < 0 || index >= Count()) OutOfRange(index);
  items_.erase(items_.begin() + index);
  Notify();
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Notify();
}

void TStrings::Assign(const std::vector<std::string>& texts) {
  items_.clear();
  for (const auto& t : texts) items_.emplace_back(t, nullptr);
  Notify();
}

int TStrings::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(items_[i].first, text)) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].second == object) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string out;
  for (const auto& item : items_) {
    out += item.first;
    out += '\n';
  }
  return out;
}

void TStrings::SetText(std::string_view lines) {
  items_.clear();
  size_t start = 0;
  while (start < lines.size()) {
    size_t end = lines.find('\n', start);
    if (end == std::string_view::npos) end = lines.size();
    std::string line(lines.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    items_.emplace_back(std::move(line), nullptr);
    start = end + 1;
  }
  Notify();
}

void TStrings::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && pending_) {
    pending_ = false;
    Changed.Notify();
  }
}

void TStrings::Notify() {
  if (updating_ > 0) {
    pending_ = true;
    return;
  }
  Changed.Notify();
}

}  // namespace zor::plat
