// Renders the host's window, with the dialogs and modal forms open over it,
// to a PNG file; works on the offscreen platform.
#pragma once

#include <vector>

#include <QString>

class QWidget;

namespace zor::desktop {

class FormView;

// Shows the window when needed, lets pending layout and paint events run,
// then grabs it and draws every other visible top-level window (message
// boxes, pick lists, modal forms) over it where it stands. False with a
// Portuguese message when the file cannot be written.
bool SaveScreenshot(QWidget* window, const QString& file, QString* error);

// The rendered forms a person sees now: in the main window's sub-windows
// and in dialogs.
std::vector<FormView*> ShownFormViews();

}  // namespace zor::desktop
