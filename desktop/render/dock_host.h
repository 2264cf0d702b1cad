// A widget whose children are placed by the platform's alignment rules
// (top, bottom, left, right, client, or fixed with anchors) rather than by
// a Qt layout; it asks for a new placement whenever it is resized.
#pragma once

#include <functional>

#include <QFrame>

namespace zor::desktop {

class DockHost : public QFrame {
  Q_OBJECT
 public:
  explicit DockHost(QWidget* parent = nullptr) : QFrame(parent) {}
  void SetOnResize(std::function<void()> fn) { on_resize_ = std::move(fn); }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QFrame::resizeEvent(e);
    if (on_resize_) on_resize_();
  }

 private:
  std::function<void()> on_resize_;
};

}  // namespace zor::desktop
