// A drawing surface that records what was drawn instead of drawing it: the
// grid hands it to its cell-drawing handlers, and tests and the desktop
// renderer read back, per cell, the background, the text colour and style
// and the text written.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/graphics.h"

namespace zor::plat {

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

struct TBrush {
  TColor Color = clWindow;
};

// One recorded drawing operation, with the brush and font in force then.
struct TCanvasOp {
  enum class Kind { FillRect, TextOut, TextRect, FocusRect };
  Kind kind;
  TRect rect;  // FillRect, TextRect (clip), FocusRect
  int x = 0;   // TextOut, TextRect
  int y = 0;
  std::string text;
  TColor brush = clWindow;
  TFont font;
};

class TCanvas {
 public:
  TBrush Brush;
  TFont Font;

  void FillRect(const TRect& rect);
  // Text at (x, y), not clipped.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y), clipped to rect.
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  void DrawFocusRect(const TRect& rect);

  const std::vector<TCanvasOp>& Ops() const { return ops_; }
  void ClearOps() { ops_.clear(); }

 private:
  std::vector<TCanvasOp> ops_;
};

}  // namespace zor::plat
