// Value types that controls share with a renderer: colours, fonts, cursors,
// key codes, shift states and small enum sets.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/core/alignment.h"

namespace zor::plat {

// A colour: either an RGB value stored as 0x00BBGGRR (red in the low byte),
// or a system colour (high bit set, low byte the system colour index) that
// the renderer resolves against the user's colour scheme.
using TColor = int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0x80000000u) != 0; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(static_cast<uint32_t>(c) & 0xFFu); }
constexpr TColor RGB(int r, int g, int b) { return (b << 16) | (g << 8) | r; }

constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clMaroon = RGB(128, 0, 0);
constexpr TColor clGreen = RGB(0, 128, 0);
constexpr TColor clOlive = RGB(128, 128, 0);
constexpr TColor clNavy = RGB(0, 0, 128);
constexpr TColor clPurple = RGB(128, 0, 128);
constexpr TColor clTeal = RGB(0, 128, 128);
constexpr TColor clGray = RGB(128, 128, 128);
constexpr TColor clSilver = RGB(192, 192, 192);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clLime = RGB(0, 255, 0);
constexpr TColor clYellow = RGB(255, 255, 0);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clFuchsia = RGB(255, 0, 255);
constexpr TColor clAqua = RGB(0, 255, 255);
constexpr TColor clWhite = RGB(255, 255, 255);

constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// A colour name ("clRed", "clInfoBk") to its value, or a decimal/hex number
// ("255", "$0000FF"). False when the text is neither.
bool ColorFromName(const std::string& name, TColor& out);

struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TColor Color = clWindowText;
  bool operator==(const TFont&) const = default;
};

// Mouse cursors; the values are the ones the screens pass around as numbers.
enum TCursor : int {
  crDefault = 0,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crHourGlass = -11,
  crNo = -12,
  crHandPoint = -21,
  crSQLWait = -17,
};

// A small set of enum values (enums numbered from 0, fewer than 32 values).
template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) bits_ |= Bit(v);
  }
  constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr TSet& Include(E v) { bits_ |= Bit(v); return *this; }
  constexpr TSet& Exclude(E v) { bits_ &= ~Bit(v); return *this; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet operator|(TSet o) const { TSet r; r.bits_ = bits_ | o.bits_; return r; }
  constexpr TSet operator|(E v) const { TSet r = *this; return r.Include(v); }
  constexpr bool operator==(const TSet&) const = default;
  constexpr uint32_t Bits() const { return bits_; }

 private:
  static constexpr uint32_t Bit(E v) { return 1u << static_cast<uint32_t>(v); }
  uint32_t bits_ = 0;
};

enum TShiftFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftFlag>;

// Virtual key codes used by the screens and the renderer.
using Word = uint16_t;
constexpr Word VK_CANCEL = 3;
constexpr Word VK_BACK = 8;
constexpr Word VK_TAB = 9;
constexpr Word VK_RETURN = 13;
constexpr Word VK_SHIFT = 16;
constexpr Word VK_CONTROL = 17;
constexpr Word VK_ESCAPE = 27;
constexpr Word VK_PRIOR = 33;
constexpr Word VK_NEXT = 34;
constexpr Word VK_END = 35;
constexpr Word VK_HOME = 36;
constexpr Word VK_LEFT = 37;
constexpr Word VK_UP = 38;
constexpr Word VK_RIGHT = 39;
constexpr Word VK_DOWN = 40;
constexpr Word VK_INSERT = 45;
constexpr Word VK_DELETE = 46;
constexpr Word VK_F1 = 112;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

}  // namespace zor::plat
