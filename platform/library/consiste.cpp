// Checks, text routines, decimal rounding and the server result check.
#include "platform/library/consiste.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/library/dialog_caption.h"
#include "platform/net/server_result.h"
#include "platform/ui/ui_port.h"

namespace zor::plat::Consiste {

void MensErro(const std::string& text, bool abort) {
  if (abort) MensErroAbort(text);
  Ui().ShowError(DialogCaption(PlatformText("caption.error")), text);
}

void MensErroAbort(const std::string& text) {
  Ui().ShowError(DialogCaption(PlatformText("caption.error")), text);
  Abort();
}

Variant CheckResultServ(const Variant& result, bool raise, int index) {
  const size_t slot = static_cast<size_t>(index) + 1;
  std::string message;
  if (!IsServerResult(result) || index < 0)
    message = PlatformText("server.invalid_answer");
  else if (!result[0].AsBool())
    message = result[1].Type() == VarType::String && !result[1].AsString().empty()
                  ? result[1].AsString()
                  : PlatformText("server.refused");
  else if (slot >= result.Length())
    message = PlatformText("server.invalid_answer");
  else
    return result[slot];
  MensErro(message, raise);
  return Variant();
}

Variant CheckResultServ(Variant&& result, bool raise, int index) {
  const size_t slot = static_cast<size_t>(index) + 1;
  if (IsGoodResult(result) && index >= 0 && slot < result.Length())
    return std::move(result.AsArray()[slot]);  // a decoded packet keeps one holder
  return CheckResultServ(static_cast<const Variant&>(result), raise, index);
}

bool EmptyString(std::string_view text) { return Trim(text).empty(); }

std::string AllTrim(std::string_view text) { return Trim(text); }

std::string Ajusta(std::string_view text, int width) {
  std::string code = Trim(text);
  if (code.empty()) return code;
  size_t length = Utf8Length(code);
  if (width > 0 && length < static_cast<size_t>(width)) code.insert(0, static_cast<size_t>(width) - length, '0');
  return code;
}

namespace {

// 10^n for 0 <= n <= 22, exact in a double.
double PowerOfTen(int n) {
  double p = 1.0;
  for (int i = 0; i < n; ++i) p *= 10.0;
  return p;
}

}  // namespace

double RoundDec(double value, int digits) {
  if (!std::isfinite(value) || value == 0.0 || digits > 22 || digits < -22) return value;
  // "d.dddddddddddddde±x": the 15 significant digits and the exponent.
  char text[40];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
  std::string mantissa;
  for (const char* p = text; *p && *p != 'e'; ++p)
    if (*p != '.') mantissa += *p;
  int exponent = std::atoi(std::strchr(text, 'e') + 1);
  // Digits kept: those down to the position 10^-digits.
  int keep = exponent + 1 + digits;
  if (keep >= static_cast<int>(mantissa.size())) return value;  // nothing beyond the precision to round
  if (keep < 0) return 0.0;  // never -0: it would show as "-0,000"
  long long kept = keep == 0 ? 0 : std::atoll(mantissa.substr(0, static_cast<size_t>(keep)).c_str());
  if (mantissa[static_cast<size_t>(keep)] >= '5') ++kept;
  if (kept == 0) return 0.0;
  double rounded = digits >= 0 ? static_cast<double>(kept) / PowerOfTen(digits)
                               : static_cast<double>(kept) * PowerOfTen(-digits);
  return std::copysign(rounded, value);
}

}  // namespace zor::plat::Consiste
