// TDBDateEditPlus: a data-aware edit for a date, typed as dd/mm/yyyy in a
// mask whose positions are all optional (so a date can be emptied). It
// shows only the date of its field (the time of day is not kept) and
// writes the typed date through the field's set-text as dd/mm/yyyy (an
// empty date clears the field). A text that is not a date is refused with
// "<text> não é uma data válida." by CheckValidDate, by GetDate and when
// the edit is written into the field, so the focus cannot leave with it.
//
// Beside the date the edit shows the weekday's name from DayNames (Sunday
// first) in ValidColor while the typed date is valid; WeekDayName() gives
// that text (empty for an empty or invalid date).
#pragma once

#include <array>
#include <string>

#include "platform/core/date_time.h"
#include "platform/dbcontrols/db_edit.h"

namespace zor::plat {

class TDBDateEditPlus : public TDBEdit {
 public:
  explicit TDBDateEditPlus(TComponent* owner = nullptr);

  // Raises EConvertError "<text> não é uma data válida." when the typed
  // text is neither empty nor a valid date.
  void CheckValidDate() const;
  // The typed date; 0 (TDateTime{}) when the edit is empty. Raises as
  // CheckValidDate for an invalid text.
  TDateTime GetDate() const;
  // No digit typed.
  bool IsEmpty() const;
  // The typed text, or "" when no digit is typed (EditText keeps the layout).
  std::string Text() const override { return IsEmpty() ? std::string() : TDBEdit::Text(); }
  // The `Date` property: the typed date (0 when empty), and setting it as
  // code sets the text (0 empties it); the field is written only by the
  // person's typing or the next UpdateRecord after it.
  TDateTime Date() const { return GetDate(); }
  void SetDate(TDateTime date);

  // Weekday names, Sunday first (as DayOfWeek counts).
  const std::array<std::string, 7>& DayNames() const { return day_names_; }
  void SetDayNames(const std::array<std::string, 7>& names);
  // The weekday of the typed date, or "" when it is empty or invalid.
  std::string WeekDayName() const;
  TColor ValidColor() const { return valid_color_; }
  void SetValidColor(TColor c);

 protected:
  std::string FieldText(TField* field, bool editing) const override;
  void WriteField(TField* field) override;

 private:
  // The date in the text; false when the text is not one. Empty text: true, 0.
  bool TryGetDate(TDateTime& out) const;
  std::array<std::string, 7> day_names_{"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
  TColor valid_color_ = clBlue;
};

}  // namespace zor::plat
