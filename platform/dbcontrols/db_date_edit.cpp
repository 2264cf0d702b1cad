// The data-aware date edit: its mask, the date check and the weekday.
#include "platform/dbcontrols/db_date_edit.h"

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/data/field.h"

namespace zor::plat {

namespace {
// Day, month and year positions, all optional; a blank shows an empty one.
const char* const kDateMask = "99/99/9999;1; ";
}  // namespace

TDBDateEditPlus::TDBDateEditPlus(TComponent* owner) : TDBEdit(owner) { SetEditMask(kDateMask); }

bool TDBDateEditPlus::IsEmpty() const {
  for (char c : EditText())
    if (c >= '0' && c <= '9') return false;
  return true;
}

bool TDBDateEditPlus::TryGetDate(TDateTime& out) const {
  out = TDateTime{};
  if (IsEmpty()) return true;
  // The three sections as typed, blanks left out: "1 /5 /2024" is 01/05/2024.
  std::string edit = EditText();
  std::string parts[3];
  int part = 0;
  for (char c : edit) {
    if (c == '/' || c == FormatSettings().DateSeparator) {
      if (++part > 2) return false;
    } else if (c >= '0' && c <= '9') {
      parts[part] += c;
    } else if (c != ' ') {
      return false;
    }
  }
  if (part != 2 || parts[0].empty() || parts[1].empty()) return false;
  if (parts[2].size() != 4 && parts[2].size() != 2) return false;
  int day = static_cast<int>(StrToInt(parts[0]));
  int month = static_cast<int>(StrToInt(parts[1]));
  int year = static_cast<int>(StrToInt(parts[2]));
  if (parts[2].size() == 2) year += year < 50 ? 2000 : 1900;
  if (!IsValidDate(year, month, day)) return false;
  out = EncodeDate(year, month, day);
  return true;
}

void TDBDateEditPlus::CheckValidDate() const {
  TDateTime d;
  if (!TryGetDate(d)) throw EConvertError(PlatformText("convert.not_date_typed", {Trim(EditText())}));
}

TDateTime TDBDateEditPlus::GetDate() const {
  TDateTime d;
  if (!TryGetDate(d)) throw EConvertError(PlatformText("convert.not_date_typed", {Trim(EditText())}));
  return d;
}

void TDBDateEditPlus::SetDate(TDateTime date) {
  SetText(date.Val == 0.0 ? std::string() : FormatDateTime("dd/mm/yyyy", date));
}

void TDBDateEditPlus::SetDayNames(const std::array<std::string, 7>& names) {
  day_names_ = names;
  Changed(Prop::Other);
}

void TDBDateEditPlus::SetValidColor(TColor c) {
  if (c == valid_color_) return;
  valid_color_ = c;
  Changed(Prop::Other);
}

std::string TDBDateEditPlus::WeekDayName() const {
  TDateTime d;
  if (IsEmpty() || !TryGetDate(d)) return {};
  return day_names_[static_cast<size_t>(DayOfWeek(d) - 1)];
}

std::string TDBDateEditPlus::FieldText(TField* field, bool editing) const {
  if (field->DataType() == FieldType::DateTime && !field->OnGetText)
    return field->IsNull() ? std::string() : FormatDateTime("dd/mm/yyyy", DateOf(field->AsDateTime()));
  return TDBEdit::FieldText(field, editing);
}

void TDBDateEditPlus::WriteField(TField* field) {
  TDateTime d = GetDate();  // an invalid date stops here, with its message
  field->SetText(IsEmpty() ? std::string() : FormatDateTime("dd/mm/yyyy", d));
}

}  // namespace zor::plat
