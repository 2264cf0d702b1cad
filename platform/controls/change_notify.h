// The change notification that every control and menu item sends to its
// observers (a renderer, the script driver's transcript): which component
// changed and which of its properties.
#pragma once

#include "platform/core/observers.h"

namespace zor::plat {

class TComponent;

enum class Prop {
  Parent,
  Bounds,
  Align,
  Anchors,
  Enabled,
  Visible,
  Caption,  // also the text of edits: one property under two names
  Hint,
  ShowHint,
  Color,
  Font,
  TabOrder,
  TabStop,
  Cursor,
  Focus,  // the control gained or lost the focus
  Checked,
  Items,
  ItemIndex,
  ActivePage,
  ReadOnly,
  MaxLength,
  EditMask,
  CharCase,
  Style,
  Columns,
  Bevel,
  Flat,
  Glyph,
  Down,
  TabVisible,
  PageIndex,
  FocusControl,
  RadioItem,
  // Forms
  WindowState,
  FormStyle,
  BorderIcons,
  BorderStyle,
  Position,
  ModalResult,
  ActiveControl,
  Repaint,
  BringToFront,
  // Screen
  ActiveForm,
  ScreenSize,
  Other,
};

// The property's name as a renderer or a transcript writes it.
const char* PropName(Prop p);

using ChangeObservers = Observers<TComponent*, Prop>;

}  // namespace zor::plat
