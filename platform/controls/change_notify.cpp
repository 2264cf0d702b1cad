// Names of the properties that change notifications carry.
#include "platform/controls/change_notify.h"

namespace zor::plat {

const char* PropName(Prop p) {
  switch (p) {
    case Prop::Parent: return "Parent";
    case Prop::Bounds: return "Bounds";
    case Prop::Align: return "Align";
    case Prop::Anchors: return "Anchors";
    case Prop::Enabled: return "Enabled";
    case Prop::Visible: return "Visible";
    case Prop::Caption: return "Caption";
    case Prop::Hint: return "Hint";
    case Prop::ShowHint: return "ShowHint";
    case Prop::Color: return "Color";
    case Prop::Font: return "Font";
    case Prop::TabOrder: return "TabOrder";
    case Prop::TabStop: return "TabStop";
    case Prop::Cursor: return "Cursor";
    case Prop::Focus: return "Focus";
    case Prop::Checked: return "Checked";
    case Prop::Items: return "Items";
    case Prop::ItemIndex: return "ItemIndex";
    case Prop::ActivePage: return "ActivePage";
    case Prop::ReadOnly: return "ReadOnly";
    case Prop::MaxLength: return "MaxLength";
    case Prop::EditMask: return "EditMask";
    case Prop::CharCase: return "CharCase";
    case Prop::Style: return "Style";
    case Prop::Columns: return "Columns";
    case Prop::Bevel: return "Bevel";
    case Prop::Flat: return "Flat";
    case Prop::Glyph: return "Glyph";
    case Prop::Down: return "Down";
    case Prop::TabVisible: return "TabVisible";
    case Prop::PageIndex: return "PageIndex";
    case Prop::FocusControl: return "FocusControl";
    case Prop::RadioItem: return "RadioItem";
    case Prop::WindowState: return "WindowState";
    case Prop::FormStyle: return "FormStyle";
    case Prop::BorderIcons: return "BorderIcons";
    case Prop::BorderStyle: return "BorderStyle";
    case Prop::Position: return "Position";
    case Prop::ModalResult: return "ModalResult";
    case Prop::ActiveControl: return "ActiveControl";
    case Prop::Repaint: return "Repaint";
    case Prop::BringToFront: return "BringToFront";
    case Prop::ActiveForm: return "ActiveForm";
    case Prop::ScreenSize: return "ScreenSize";
    case Prop::Other: return "Other";
  }
  return "Other";
}

}  // namespace zor::plat
