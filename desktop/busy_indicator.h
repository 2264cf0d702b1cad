// The busy indicator: the wait cursor plus a small animated badge in the
// centre of the main window while a long server call runs. Calls nest: only
// the outermost show and the matching hide change what is seen, and a hide
// with nothing shown does nothing.
#pragma once

#include <QPointer>
#include <QWidget>

class QTimer;

namespace zor::desktop {

// The animated badge drawn over the host window.
class BusyBadge : public QWidget {
  Q_OBJECT
 public:
  explicit BusyBadge(QWidget* parent);
  void SetKind(int kind) { kind_ = kind; }
  void Advance();
  int Step() const { return step_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int kind_ = 0;
  int step_ = 0;
};

class BusyIndicator {
 public:
  BusyIndicator();
  ~BusyIndicator();
  BusyIndicator(const BusyIndicator&) = delete;
  BusyIndicator& operator=(const BusyIndicator&) = delete;

  void SetHost(QWidget* host);
  void Show(int kind);
  void Hide();
  int Depth() const { return depth_; }
  // A message is about to be shown: the badge and the wait cursor go, so
  // that nothing says "wait" over a question the person must answer. The
  // depth stays; the Hide calls that balance the Show calls still come.
  void ClearForMessage();
  // The badge while shown, else null (for tests).
  BusyBadge* Badge() const { return badge_.data(); }

 private:
  QPointer<QWidget> host_;
  QPointer<BusyBadge> badge_;
  QTimer* timer_ = nullptr;
  int depth_ = 0;
  bool cursor_set_ = false;
};

}  // namespace zor::desktop
