// Lines of an SQL text.
#include "platform/sql/sql_text.h"

#include "platform/core/sysutils.h"

namespace zor::plat {

void SqlText::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Changed();
}

std::string SqlText::Text() const {
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += '\n';
    out += lines_[i];
  }
  return out;
}

void SqlText::SetText(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t eol = text.find('\n', start);
    std::string_view line = text.substr(start, eol == std::string_view::npos ? std::string_view::npos : eol - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (eol == std::string_view::npos) break;
    start = eol + 1;
  }
  SetLines(std::move(lines));
}

void SqlText::Add(std::string line) {
  lines_.push_back(std::move(line));
  Changed();
}

void SqlText::Clear() {
  lines_.clear();
  Changed();
}

bool SqlText::IsBlank() const {
  for (auto& l : lines_)
    if (!Trim(l).empty()) return false;
  return true;
}

void SqlText::Changed() {
  if (OnChange) OnChange();
}

}  // namespace zor::plat
