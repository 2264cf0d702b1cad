// Plain containers: TPanel (bevelled, captioned), TGroupBox, TScrollBox and
// the TBevel line. None of them takes the focus by Tab; the controls inside
// them do, and leaving a container runs its OnExit.
#pragma once

#include "platform/controls/control.h"

namespace zor::plat {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner = nullptr);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut b);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut b);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int w);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

 private:
  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  TAlignment alignment_ = taCenter;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner = nullptr);
};

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner = nullptr);
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };

class TBevel : public TControl {
 public:
  explicit TBevel(TComponent* owner = nullptr) : TControl(owner) {}
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape s);

 private:
  TBevelShape shape_ = bsBox;
};

}  // namespace zor::plat
