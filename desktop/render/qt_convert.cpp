// Platform ↔ Qt value conversions.
#include "desktop/render/qt_convert.h"

#include "desktop/app_setup.h"

#include <cmath>

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

namespace zor::desktop {

QColor ToQColor(plat::TColor c) {
  if (!plat::IsSystemColor(c)) return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  const QPalette p = QApplication::palette();
  switch (plat::SystemColorIndex(c)) {
    case 1: return p.color(QPalette::Dark);                                     // desktop
    case 2: return p.color(QPalette::Highlight);                                // active caption
    case 5: return p.color(QPalette::Base);                                     // window
    case 6: return p.color(QPalette::Shadow);                                   // window frame
    case 7: return p.color(QPalette::Text);                                     // menu text
    case 8: return p.color(QPalette::Text);                                     // window text
    case 9: return p.color(QPalette::HighlightedText);                          // active caption text
    case 12: return p.color(QPalette::Dark);                                    // application workspace
    case 13: return p.color(QPalette::Highlight);                               // selection background
    case 14: return p.color(QPalette::HighlightedText);                         // selection text
    case 15: return p.color(QPalette::Button);                                  // button face
    case 16: return p.color(QPalette::Mid);                                     // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);                // grey text
    case 18: return p.color(QPalette::ButtonText);                              // button text
    case 20: return p.color(QPalette::Light);                                   // button highlight
    case 23: return p.color(QPalette::ToolTipText);                             // info text
    case 24: return p.color(QPalette::ToolTipBase);                             // info background
    default: return p.color(QPalette::Window);
  }
}

void SetEnabledColor(QPalette& pal, QPalette::ColorRole role, const QColor& c) {
  pal.setColor(QPalette::Active, role, c);
  pal.setColor(QPalette::Inactive, role, c);
}

QFont ToQFont(const plat::TFont& f, const QFont& base) {
  QFont q = base;
  // The screens were laid out for a 96 dpi desktop: keep that text size in
  // pixels. The sans faces of that desktop are drawn in the face with their
  // widths (see app_setup.h).
  const QString family = QString::fromStdString(f.Name);
  const bool designFace = family.isEmpty() || family == "MS Sans Serif" || family == "Tahoma" ||
                           family == "Arial" || family == "Microsoft Sans Serif";
  q.setFamily(designFace ? FormFaceFamily() : family);
  q.setPixelSize(std::max(6, static_cast<int>(std::lround(f.Size * 96.0 / 72.0 * (designFace ? kFormFaceScale : 1.0)))));
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  return q;
}

Qt::Alignment ToQtAlignment(plat::TAlignment a) {
  switch (a) {
    case plat::taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case plat::taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

plat::Word ToVirtualKey(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<plat::Word>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<plat::Word>('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<plat::Word>(plat::VK_F1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Cancel: return plat::VK_CANCEL;
    case Qt::Key_Backspace: return plat::VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return plat::VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return plat::VK_RETURN;
    case Qt::Key_Shift: return plat::VK_SHIFT;
    case Qt::Key_Control: return plat::VK_CONTROL;
    case Qt::Key_Escape: return plat::VK_ESCAPE;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return plat::VK_PRIOR;
    case Qt::Key_PageDown: return plat::VK_NEXT;
    case Qt::Key_End: return plat::VK_END;
    case Qt::Key_Home: return plat::VK_HOME;
    case Qt::Key_Left: return plat::VK_LEFT;
    case Qt::Key_Up: return plat::VK_UP;
    case Qt::Key_Right: return plat::VK_RIGHT;
    case Qt::Key_Down: return plat::VK_DOWN;
    case Qt::Key_Insert: return plat::VK_INSERT;
    case Qt::Key_Delete: return plat::VK_DELETE;
    default: return 0;
  }
}

QKeySequence ToQKeySequence(int shortCut) {
  if (shortCut <= 0) return {};
  const int vk = shortCut & 0xFF;
  int key = 0;
  if (vk >= 'A' && vk <= 'Z') key = Qt::Key_A + (vk - 'A');
  else if (vk >= '0' && vk <= '9') key = Qt::Key_0 + (vk - '0');
  else if (vk >= plat::VK_F1 && vk < plat::VK_F1 + 24) key = Qt::Key_F1 + (vk - plat::VK_F1);
  else if (vk == plat::VK_DELETE) key = Qt::Key_Delete;
  else if (vk == plat::VK_INSERT) key = Qt::Key_Insert;
  else if (vk == plat::VK_RETURN) key = Qt::Key_Return;
  else return {};
  // The platform's short-cut modifiers: Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
  if (shortCut & 0x2000) key |= Qt::SHIFT;
  if (shortCut & 0x4000) key |= Qt::CTRL;
  if (shortCut & 0x8000) key |= Qt::ALT;
  return QKeySequence(key);
}

plat::TShiftState ToShiftState(Qt::KeyboardModifiers m) {
  plat::TShiftState s;
  if (m & Qt::ShiftModifier) s.Include(plat::ssShift);
  if (m & Qt::ControlModifier) s.Include(plat::ssCtrl);
  if (m & Qt::AltModifier) s.Include(plat::ssAlt);
  return s;
}

char ToKeyChar(const QKeyEvent& e) {
  if (e.key() == Qt::Key_Backspace) return '\b';
  if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return '\r';
  if (e.key() == Qt::Key_Escape) return 27;
  const QByteArray t = e.text().toUtf8();
  if (t.size() != 1) return 0;
  const char c = t[0];
  return static_cast<unsigned char>(c) >= 32 && c != 127 ? c : 0;
}

QString PlainCaption(const std::string& caption) { return QString::fromStdString(caption); }

}  // namespace zor::desktop
