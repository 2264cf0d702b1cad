// The edit mask language of masked edits. A mask has up to three parts
// separated by ';': the character mask, '1' or '0' (literals are or are
// not part of the stored text; '1' when left out) and the character that
// shows an empty position ('_' when left out). In the character mask:
//   0  digit, required          9  digit, optional
//   #  digit or sign, optional
//   L  letter, required         l  letter, optional
//   A  letter or digit, req.    a  letter or digit, optional
//   C  any character, required  c  any character, optional
//   >  upper-case what follows  <  lower-case what follows  <>  no case change
//   !  a text shorter than its section is aligned right (missing optional
//      characters appear as leading blanks) instead of left
//   \  the next character is a literal
//   anything else is a literal shown in place (':' and '/' stay as written).
// Letters are the ASCII letters. The "edit text" is the full layout (every
// position, literals in place, the blank character in empty positions);
// the "text" is what the control's Text returns: with literals stored,
// the layout with spaces in empty positions; without, the filled input
// characters only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor::plat {

class TEditMask {
 public:
  TEditMask() = default;
  explicit TEditMask(std::string_view mask);

  bool Empty() const { return positions_.empty(); }
  int Length() const { return static_cast<int>(positions_.size()); }
  bool SaveLiterals() const { return save_literals_; }
  char Blank() const { return blank_; }
  bool AlignRight() const { return align_right_; }

  bool IsLiteral(int pos) const;
  char LiteralAt(int pos) const;
  bool Required(int pos) const;
  // The character stored when `c` is typed at input position `pos` (case
  // applied), or 0 when the position does not take it.
  char Accept(int pos, char c) const;
  // First input position at or after / before `pos`; Length() / -1 when none.
  int NextInput(int pos) const;
  int PriorInput(int pos) const;

  std::string EmptyEditText() const;
  // The layout for a text assigned from code (see the file comment).
  std::string EditTextFromText(std::string_view text) const;
  // The layout after the person entered a whole edit text: position by
  // position when it has the mask's length, else as a text from code.
  std::string EditTextFromInput(std::string_view input) const;
  std::string TextFromEditText(std::string_view edit) const;
  // The person types `key` at `caret` in the layout `edit`: a character the
  // position takes is stored there (case applied) and the caret moves past
  // it and any literals that follow; typing the next literal steps over it;
  // '\b' empties the input position before the caret. False when the key
  // changed nothing (a character the position does not take). Shared by
  // every editor that follows a mask, so that the same keys give the same
  // text in each.
  bool TypeKey(std::string& edit, int& caret, char key) const;
  // First required position left empty in the layout, or -1.
  int FirstMissing(std::string_view edit) const;
  // True when no input position is filled.
  bool IsBlank(std::string_view edit) const;

 private:
  enum class Kind { Literal, Digit, DigitOrSign, Letter, AlphaNum, Any };
  enum class Case { None, Upper, Lower };
  struct Position {
    Kind kind = Kind::Literal;
    bool required = false;
    Case letter_case = Case::None;
    char literal = 0;
  };
  // Fills the input positions [from, to) with the characters of `part`.
  void FillSection(std::string& edit, int from, int to, std::string_view part) const;
  std::vector<Position> positions_;
  bool save_literals_ = true;
  char blank_ = '_';
  bool align_right_ = false;
};

}  // namespace zor::plat
