// What every window of the host shares, set once at start: the face the
// forms are drawn in, Qt's own texts in Brazilian Portuguese and the
// application's icon. The host and the desktop tests call the same code, so
// the tests see the window a person sees.
#pragma once

class QApplication;
class QString;

namespace zor::desktop {

// The face the forms were laid out for is a narrow 8-point sans of another
// desktop; Liberation Sans has the widths of its successor, so captions fit
// where they were placed. Falls back to the default sans when missing.
QString FormFaceFamily();
// Liberation Sans runs about 8% wider than the face the forms were laid
// out for: its size is scaled by this much, so that 8 points become 10
// pixels and the widest column title of a designed width ("Multiplicador"
// in 66 pixels) fits, as do the captions placed between two controls.
inline constexpr double kFormFaceScale = 0.92;

void SetUpApplication(QApplication& app);

}  // namespace zor::desktop
