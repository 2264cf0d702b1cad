// TSpeedButton: a flat toolbar button that never takes the focus. Click()
// runs OnClick only while the button is enabled. Buttons of one parent
// with the same GroupIndex (> 0) stay down one at a time.
#pragma once

#include <string>

#include "platform/controls/control.h"

namespace zor::plat {

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner = nullptr);

  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  // The name of the picture the renderer shows (resolved by the renderer).
  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(const std::string& name);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int n) { num_glyphs_ = n; }
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int g) { group_index_ = g; }
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool v) { allow_all_up_ = v; }
  bool Down() const { return down_; }
  void SetDown(bool v);

  void Click() override;

 private:
  bool flat_ = false;
  std::string glyph_;
  int num_glyphs_ = 1;
  int group_index_ = 0;
  bool allow_all_up_ = false;
  bool down_ = false;
};

}  // namespace zor::plat
