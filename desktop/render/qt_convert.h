// Conversions between the platform's value types and Qt's: colours (plain
// and system colours), fonts, alignment, key codes and shift states.
#pragma once

#include <QColor>
#include <QPalette>
#include <QFont>
#include <QKeySequence>
#include <QString>

#include <string>

#include "platform/controls/graphics.h"

class QKeyEvent;

namespace zor::desktop {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// A platform colour as Qt draws it; system colours follow the application
// palette (the user's colour scheme).
QColor ToQColor(plat::TColor c);
// Gives an enabled widget the form's colour for one role; the disabled
// group keeps the style's greys, so a disabled control looks disabled
// whatever colour the form gives it.
void SetEnabledColor(QPalette& pal, QPalette::ColorRole role, const QColor& c);
// Pixel-sized so the text fits the controls' designed sizes on any screen.
QFont ToQFont(const plat::TFont& f, const QFont& base);
Qt::Alignment ToQtAlignment(plat::TAlignment a);
// The virtual key code of a Qt key (0 when the key has none) and the shift
// state of the modifiers.
plat::Word ToVirtualKey(int qtKey);
plat::TShiftState ToShiftState(Qt::KeyboardModifiers m);
// A menu item's short cut (virtual key with the platform's modifier bits).
QKeySequence ToQKeySequence(int shortCut);
// The single-byte character a key press types (0 for none or for text that
// is not one byte); the platform's key-press handlers see only these.
char ToKeyChar(const QKeyEvent& e);
// Removes the '&' accelerator marks of a caption ("&&" stays a literal &),
// or turns them into Qt's (Qt uses the same marks: kept as they are).
QString PlainCaption(const std::string& caption);

}  // namespace zor::desktop
