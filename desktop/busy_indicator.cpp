// Wait cursor and animated badge of the busy indicator.
#include "desktop/busy_indicator.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace zor::desktop {

namespace {
constexpr int kBadgeSize = 56;
constexpr int kDots = 8;
}  // namespace

BusyBadge::BusyBadge(QWidget* parent) : QWidget(parent) {
  setObjectName("zorBusyBadge");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(kBadgeSize, kBadgeSize);
}

void BusyBadge::Advance() {
  step_ = (step_ + 1) % kDots;
  update();
}

void BusyBadge::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40, 190));
  p.drawRoundedRect(rect(), 10, 10);
  // A ring of dots whose brightness turns with the step; kind 6 (data
  // loading) turns the ring blue, the others white.
  const QColor base = kind_ == 6 ? QColor(120, 180, 255) : QColor(255, 255, 255);
  const QPointF centre = QRectF(rect()).center();
  const double radius = kBadgeSize * 0.3;
  for (int i = 0; i < kDots; ++i) {
    const double angle = 2.0 * M_PI * i / kDots;
    QColor c = base;
    c.setAlpha(60 + 195 * ((i - step_ + kDots) % kDots) / (kDots - 1));
    p.setBrush(c);
    p.drawEllipse(centre + QPointF(radius * std::cos(angle), radius * std::sin(angle)), 4.0, 4.0);
  }
}

BusyIndicator::BusyIndicator() = default;

BusyIndicator::~BusyIndicator() {
  while (depth_ > 0) Hide();
}

void BusyIndicator::SetHost(QWidget* host) { host_ = host; }

void BusyIndicator::Show(int kind) {
  if (depth_++ > 0) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  cursor_set_ = true;
  if (!host_) return;
  badge_ = new BusyBadge(host_);
  badge_->SetKind(kind);
  badge_->move((host_->width() - badge_->width()) / 2, (host_->height() - badge_->height()) / 2);
  badge_->raise();
  badge_->show();
  timer_ = new QTimer(badge_);
  QObject::connect(timer_, &QTimer::timeout, badge_, &BusyBadge::Advance);
  timer_->start(90);
  // The call that follows blocks the event loop; paint the badge now so the
  // person sees it during that call.
  badge_->repaint();
}

void BusyIndicator::Hide() {
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  if (cursor_set_) QApplication::restoreOverrideCursor();
  cursor_set_ = false;
  delete badge_.data();  // also deletes the timer it owns
  timer_ = nullptr;
}

void BusyIndicator::ClearForMessage() {
  if (cursor_set_) QApplication::restoreOverrideCursor();
  cursor_set_ = false;
  delete badge_.data();
  timer_ = nullptr;
}

}  // namespace zor::desktop
