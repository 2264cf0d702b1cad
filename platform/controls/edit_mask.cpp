// Parsing and applying edit masks.
#include "platform/controls/edit_mask.h"

#include <cctype>

namespace zor::plat {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
}  // namespace

TEditMask::TEditMask(std::string_view mask) {
  // Split off the two trailing parts at unescaped ';'.
  std::string chars;
  size_t i = 0;
  for (; i < mask.size(); ++i) {
    if (mask[i] == '\\' && i + 1 < mask.size()) {
      chars += mask[i];
      chars += mask[++i];
      continue;
    }
    if (mask[i] == ';') break;
    chars += mask[i];
  }
  if (i < mask.size()) {
    std::string_view rest = mask.substr(i + 1);
    size_t semi = rest.find(';');
    std::string_view save = rest.substr(0, semi);
    save_literals_ = !(save == "0");
    if (semi != std::string_view::npos && semi + 1 < rest.size()) blank_ = rest[semi + 1];
  }

  Case current = Case::None;
  for (size_t k = 0; k < chars.size(); ++k) {
    char c = chars[k];
    Position p;
    switch (c) {
      case '!': align_right_ = true; continue;
      case '>':
        if (k + 1 < chars.size() && chars[k + 1] == '<') {
          current = Case::None;
          ++k;
        } else {
          current = Case::Upper;
        }
        continue;
      case '<':
        if (k + 1 < chars.size() && chars[k + 1] == '>') {
          current = Case::None;
          ++k;
        } else {
          current = Case::Lower;
        }
        continue;
      case '\\':
        p.literal = (k + 1 < chars.size()) ? chars[++k] : '\\';
        break;
      case '0': p.kind = Kind::Digit; p.required = true; break;
      case '9': p.kind = Kind::Digit; break;
      case '#': p.kind = Kind::DigitOrSign; break;
      case 'L': p.kind = Kind::Letter; p.required = true; break;
      case 'l': p.kind = Kind::Letter; break;
      case 'A': p.kind = Kind::AlphaNum; p.required = true; break;
      case 'a': p.kind = Kind::AlphaNum; break;
      case 'C': p.kind = Kind::Any; p.required = true; break;
      case 'c': p.kind = Kind::Any; break;
      default: p.literal = c; break;
    }
    p.letter_case = current;
    positions_.push_back(p);
  }
}

bool TEditMask::IsLiteral(int pos) const {
  return pos >= 0 && pos < Length() && positions_[pos].kind == Kind::Literal;
}

char TEditMask::LiteralAt(int pos) const { return IsLiteral(pos) ? positions_[pos].literal : 0; }

bool TEditMask::Required(int pos) const { return pos >= 0 && pos < Length() && positions_[pos].required; }

char TEditMask::Accept(int pos, char c) const {
  if (pos < 0 || pos >= Length()) return 0;
  const Position& p = positions_[pos];
  bool ok = false;
  switch (p.kind) {
    case Kind::Literal: return 0;
    case Kind::Digit: ok = IsDigit(c); break;
    case Kind::DigitOrSign: ok = IsDigit(c) || c == '+' || c == '-'; break;
    case Kind::Letter: ok = IsLetter(c); break;
    case Kind::AlphaNum: ok = IsLetter(c) || IsDigit(c); break;
    case Kind::Any: ok = static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x80; break;
  }
  if (!ok) return 0;
  if (p.letter_case == Case::Upper) return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (p.letter_case == Case::Lower) return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c;
}

int TEditMask::NextInput(int pos) const {
  if (pos < 0) pos = 0;
  while (pos < Length() && IsLiteral(pos)) ++pos;
  return pos;
}

int TEditMask::PriorInput(int pos) const {
  if (pos >= Length()) pos = Length() - 1;
  while (pos >= 0 && IsLiteral(pos)) --pos;
  return pos;
}

std::string TEditMask::EmptyEditText() const {
  std::string out;
  for (const Position& p : positions_) out += p.kind == Kind::Literal ? p.literal : blank_;
  return out;
}

void TEditMask::FillSection(std::string& edit, int from, int to, std::string_view part) const {
  // The input positions of the section, and the characters that fit them
  // (blanks in the text leave a position empty).
  std::vector<int> inputs;
  for (int i = from; i < to; ++i)
    if (!IsLiteral(i)) inputs.push_back(i);
  std::string chars(part);
  if (chars.size() > inputs.size()) {
    // Too long: keep the end when aligning right, the start otherwise.
    chars = align_right_ ? chars.substr(chars.size() - inputs.size()) : chars.substr(0, inputs.size());
  }
  size_t offset = align_right_ ? inputs.size() - chars.size() : 0;
  for (size_t k = 0; k < chars.size(); ++k) {
    int pos = inputs[offset + k];
    char c = chars[k];
    char accepted = (c == ' ' || c == blank_) ? 0 : Accept(pos, c);
    edit[pos] = accepted ? accepted : blank_;
  }
}

std::string TEditMask::EditTextFromText(std::string_view text) const {
  std::string edit = EmptyEditText();
  if (Empty()) return edit;
  // A text that already has the layout (literals in place) goes position by position.
  if (static_cast<int>(text.size()) == Length()) {
    bool layout = true;
    for (int i = 0; i < Length() && layout; ++i)
      if (IsLiteral(i) && text[i] != LiteralAt(i)) layout = false;
    if (layout) return EditTextFromInput(text);
  }
  if (!save_literals_) {
    // The stored text has no literals: its characters fill the input positions in order.
    FillSection(edit, 0, Length(), text);
    return edit;
  }
  // Sections between literals take the parts of the text between the same literals.
  int from = 0;
  size_t t = 0;
  while (from < Length()) {
    int to = from;
    while (to < Length() && !IsLiteral(to)) ++to;
    size_t end = text.size();
    if (to < Length()) {
      size_t found = text.find(LiteralAt(to), t);
      end = found == std::string_view::npos ? text.size() : found;
    }
    FillSection(edit, from, to, t < text.size() ? text.substr(t, end - t) : std::string_view());
    t = end < text.size() ? end + 1 : text.size();
    from = to;
    while (from < Length() && IsLiteral(from)) ++from;
  }
  return edit;
}

std::string TEditMask::EditTextFromInput(std::string_view input) const {
  if (static_cast<int>(input.size()) != Length()) return EditTextFromText(input);
  std::string edit = EmptyEditText();
  for (int i = 0; i < Length(); ++i)
    if (!IsLiteral(i)) {
      char c = input[i];
      char accepted = (c == ' ' || c == blank_) ? 0 : Accept(i, c);
      edit[i] = accepted ? accepted : blank_;
    }
  return edit;
}

std::string TEditMask::TextFromEditText(std::string_view edit) const {
  if (Empty()) return std::string(edit);
  std::string out;
  for (int i = 0; i < Length() && i < static_cast<int>(edit.size()); ++i) {
    if (IsLiteral(i)) {
      if (save_literals_) out += LiteralAt(i);
    } else if (edit[i] == blank_) {
      if (save_literals_) out += ' ';
    } else {
      out += edit[i];
    }
  }
  return out;
}

bool TEditMask::TypeKey(std::string& edit, int& caret, char key) const {
  if (Empty() || static_cast<int>(edit.size()) != Length()) return false;
  if (key == '\b') {
    int pos = PriorInput(caret - 1);
    if (pos < 0) return false;
    edit[pos] = blank_;
    caret = pos;
    return true;
  }
  if (static_cast<unsigned char>(key) < 0x20) return false;
  int pos = caret < 0 ? 0 : caret;
  // Typing the next literal (the one at the caret or right after the
  // current section) moves the caret past it.
  int literal = pos;
  while (literal < Length() && !IsLiteral(literal)) ++literal;
  if (literal < Length() && key == LiteralAt(literal) && (literal == pos || !Accept(NextInput(pos), key))) {
    caret = literal + 1;
    return true;
  }
  pos = NextInput(pos);
  if (pos >= Length()) return false;
  char c = Accept(pos, key);
  if (!c) return false;  // the position does not take this character
  edit[pos] = c;
  caret = pos + 1;
  while (caret < Length() && IsLiteral(caret)) ++caret;
  return true;
}

int TEditMask::FirstMissing(std::string_view edit) const {
  for (int i = 0; i < Length() && i < static_cast<int>(edit.size()); ++i)
    if (Required(i) && edit[i] == blank_) return i;
  return -1;
}

bool TEditMask::IsBlank(std::string_view edit) const {
  for (int i = 0; i < Length() && i < static_cast<int>(edit.size()); ++i)
    if (!IsLiteral(i) && edit[i] != blank_) return false;
  return true;
}

}  // namespace zor::plat
