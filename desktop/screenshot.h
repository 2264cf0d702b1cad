// Renders a window to a PNG file; works on the offscreen platform.
#pragma once

#include <QString>

class QWidget;

namespace desktop {

// Shows the window when needed, lets pending layout and paint events run,
// then grabs it. False with a Portuguese message when the file cannot be
// written.
bool SaveScreenshot(QWidget* window, const QString& file, QString* error);

}  // namespace desktop
