// Each screen's window opens where the person left it: its size and place
// in the host's area are kept in the user's settings (QSettings, section
// "janelas", one key per form name).
#pragma once

class QMdiSubWindow;
class QString;

namespace zor::desktop {

// Applies the remembered size and place, kept inside the area that holds
// the window. A window never placed before takes the whole area (a screen
// laid out for a small display gives its grids the rows a larger one has).
void RestoreWindowPlace(QMdiSubWindow* window, const QString& formName);
// Remembers the size and place of a window in its normal state.
void SaveWindowPlace(const QMdiSubWindow* window, const QString& formName);

}  // namespace zor::desktop
