// Checks and small text and number routines the screens call, and the
// check of an application-server result.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/variant.h"

namespace zor::plat::Consiste {

// Shows `text` as an error (caption from the dialog caption provider, else
// "Erro"); with `abort` true it then raises the silent abort, so the running
// handler chain ends without a second message.
void MensErro(const std::string& text, bool abort = true);
// MensErro(text, true) as the compiler and the reader can see it: the code
// after the call never runs.
[[noreturn]] void MensErroAbort(const std::string& text);

// Reads a server result (layout in platform/net/server_result.h):
// - a good result returns its payload number `index` (0: the data packet,
//   a JsonText variant, or null for a method that returns no packet);
// - a failure shows its message as an error and, with `raise` true, raises
//   the silent abort (the message reaches the user once); with `raise`
//   false it returns null after showing it;
// - anything else (not a result, or no payload at `index`) is handled as a
//   failure reading "Resposta inválida do servidor de aplicação.".
Variant CheckResultServ(const Variant& result, bool raise = true, int index = 0);
// The same for a result no one else holds: the payload is moved out.
Variant CheckResultServ(Variant&& result, bool raise = true, int index = 0);

// True for a text that is empty or holds only blanks (spaces, tabs, line breaks).
bool EmptyString(std::string_view text);

// The text without leading and trailing blanks.
std::string AllTrim(std::string_view text);

// A code brought to `width` characters: the text is trimmed, then a shorter
// text is padded with leading zeros ("1" → "0001" for width 4). An empty
// (or blank) text stays empty; a text longer than the width is kept whole
// rather than cut, so that the check that follows rejects it instead of
// silently accepting another code.
std::string Ajusta(std::string_view text, int width);

// `value` rounded to `digits` decimals, halves away from zero. The value is
// rounded as its shortest decimal text reads (15 significant digits), not as
// its binary approximation: 2.0005 rounds to 2.001 although the double is
// slightly below 2.0005. Negative `digits` rounds to tens, hundreds...
// Values beyond 15 significant digits at that position, NaN and infinities
// are returned unchanged.
double RoundDec(double value, int digits);

}  // namespace zor::plat::Consiste
