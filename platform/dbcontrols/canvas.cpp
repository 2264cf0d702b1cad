// The recording canvas.
#include "platform/dbcontrols/canvas.h"

namespace zor::plat {

void TCanvas::FillRect(const TRect& rect) {
  ops_.push_back({TCanvasOp::Kind::FillRect, rect, 0, 0, {}, Brush.Color, Font});
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  ops_.push_back({TCanvasOp::Kind::TextOut, {}, x, y, text, Brush.Color, Font});
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  ops_.push_back({TCanvasOp::Kind::TextRect, rect, x, y, text, Brush.Color, Font});
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  ops_.push_back({TCanvasOp::Kind::FocusRect, rect, 0, 0, {}, Brush.Color, Font});
}

}  // namespace zor::plat
