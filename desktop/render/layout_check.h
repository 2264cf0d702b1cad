// What a person would find wrong on a rendered form: a control the platform
// shows whose widget is missing, hidden, of no size or outside its parent;
// a widget that does not show the control's caption; a caption, column
// title or cell text that does not fit its room in the font it is drawn
// with; a caption running into a neighbour. The tests and the window's
// script gesture `check-window` use it on every form the package shows.
#pragma once

#include <QStringList>

namespace zor::desktop {

class FormView;

// One line per problem, naming the control; empty when the form is sound.
// Only what the person can see is checked: controls on pages that are not
// shown, and hidden controls, are left out.
QStringList CheckLayout(const FormView& view);

}  // namespace zor::desktop
