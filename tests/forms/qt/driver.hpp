// Driving the desktop runtime's windows in tests: steps that run once a modal window of
// the right kind is up, and the controls of a form by name.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace quarn::testing {

// Runs `step` once a modal window for which `match` holds is up, then the next steps.
class Driver {
 public:
  using Match = std::function<bool(QWidget*)>;
  using Step = std::function<void(QWidget*)>;
  void then(Match match, Step step) { steps_.push_back({std::move(match), std::move(step)}); }
  void start() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  bool done() const { return next_ == steps_.size(); }

 private:
  void poll() {
    if (done()) {
      timer_.stop();
      return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || !steps_[next_].first(modal)) return;
    // Keys go to the active window; give it a few rounds to become active.
    if (!modal->isActiveWindow() && ++waited_ < 10) {
      modal->activateWindow();
      return;
    }
    waited_ = 0;
    // The step runs from a timer of its own, so that this one goes on polling while the
    // step waits in a dialog it opened.
    QTimer::singleShot(0, modal, [modal, step = steps_[next_++].second] { step(modal); });
  }
  std::vector<std::pair<Match, Step>> steps_;
  std::size_t next_ = 0;
  int waited_ = 0;
  QTimer timer_;
};

inline bool is_message(QWidget* w) {
  return qobject_cast<QMessageBox*>(w) != nullptr;
}

template <typename T>
T* control(QWidget* form, const char* name) {
  T* found = form->findChild<T*>(QLatin1String(name));
  if (found == nullptr) qFatal("no control %s", name);
  return found;
}

}  // namespace quarn::testing
