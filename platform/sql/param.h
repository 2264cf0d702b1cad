// The parameters of a query: each declared from the query's text, typed as
// a string, null until set.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/variant.h"

namespace zor::plat {

class TParam {
 public:
  explicit TParam(std::string name) : name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  const Variant& Value() const { return value_; }
  void SetValue(Variant value) { value_ = std::move(value); }
  // An empty text is a value, not null: only Clear makes the parameter null.
  void SetAsString(std::string_view text) { value_ = Variant(text); }
  std::string AsString() const { return value_.AsString(); }
  void Clear() { value_ = Variant(); }
  bool IsNull() const { return value_.IsNull(); }

 private:
  std::string name_;
  Variant value_;
};

class TParams {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TParam& Items(int index) const { return *items_.at(index); }
  // Without regard to case; null when absent.
  TParam* FindParam(std::string_view name) const;
  // Raises EDatabaseError when absent.
  TParam& ParamByName(std::string_view name) const;
  // Declares exactly these names, in this order; a parameter that keeps its
  // name keeps its value (and stays the same object).
  void Redeclare(const std::vector<std::string>& names);

 private:
  std::vector<std::unique_ptr<TParam>> items_;
};

}  // namespace zor::plat
