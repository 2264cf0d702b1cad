// Colour names as form definitions write them.
#include "platform/controls/graphics.h"

#include <cstdlib>
#include <map>

namespace zor::plat {

bool ColorFromName(const std::string& name, TColor& out) {
  static const std::map<std::string, TColor> kNames = {
      {"clBlack", clBlack},   {"clMaroon", clMaroon},       {"clGreen", clGreen},
      {"clOlive", clOlive},   {"clNavy", clNavy},           {"clPurple", clPurple},
      {"clTeal", clTeal},     {"clGray", clGray},           {"clSilver", clSilver},
      {"clRed", clRed},       {"clLime", clLime},           {"clYellow", clYellow},
      {"clBlue", clBlue},     {"clFuchsia", clFuchsia},     {"clAqua", clAqua},
      {"clWhite", clWhite},   {"clWindow", clWindow},       {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText}, {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
      {"clGrayText", clGrayText}, {"clBtnText", clBtnText}, {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
  };
  auto it = kNames.find(name);
  if (it != kNames.end()) {
    out = it->second;
    return true;
  }
  if (name.empty()) return false;
  const char* begin = name.c_str();
  int base = 10;
  if (name[0] == '$') {
    ++begin;
    base = 16;
  }
  char* end = nullptr;
  long long v = std::strtoll(begin, &end, base);
  if (end == begin || *end != '\0') return false;
  out = static_cast<TColor>(v);
  return true;
}

}  // namespace zor::plat
