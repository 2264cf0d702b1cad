// One QApplication for a GoogleTest binary of Qt tests, on the offscreen
// platform unless another is asked for, and helpers shared by the tests.
#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace zor::desktop_test {

// Creates the application on first use (and keeps it to the end).
QApplication& App();

// Runs `fn` on the next modal dialog that opens (after `delay_ms`), e.g. to
// answer a message box the code under test is about to show.
void WhenModalOpens(std::function<void(QWidget* dialog)> fn);

// Shows the window and waits until it is active, so focus changes work on
// the offscreen platform.
bool ShowActive(QWidget* w);

}  // namespace zor::desktop_test
