// The lines of one SQL text, as a query keeps them for each dialect.
// Changing the text tells the owner, which then re-declares its parameters.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zor::plat {

class SqlText {
 public:
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);
  // The lines joined by line breaks; setting it splits on "\n" (and "\r\n").
  std::string Text() const;
  void SetText(std::string_view text);
  void Add(std::string line);
  void Clear();
  int Count() const { return static_cast<int>(lines_.size()); }
  // True when the text holds nothing but blanks: the dialect then runs `SQL`.
  bool IsBlank() const;

  std::function<void()> OnChange;

 private:
  void Changed();
  std::vector<std::string> lines_;
};

}  // namespace zor::plat
