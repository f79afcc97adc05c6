#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace vellumine {

// The application object. An exception that escapes the handling of any event is shown in the
// error box with its message (an empty one for a thrown object that is not a std::exception),
// and the program goes on with the next event.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Runs the start-up and the message loop: `run` creates the windows and returns exec()'s
  // result. An exception escaping it is shown in the error box and gives exit status 1.
  static int RunGuarded(const std::function<int()>& run);
};

// Shows the exception `error` in the error box, parented to the active window.
void ReportException(const std::exception_ptr& error);

// Wraps a handler so that an exception it throws is reported at once, before it could unwind
// through the class library's own frames: connect(button, &QPushButton::clicked, this,
// Guarded([this] { BitBtn5Click(); })).
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&... args) {
    try {
      // The signal's arguments are passed on when the handler takes them.
      if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
        handler(std::forward<decltype(args)>(args)...);
      else
        handler();
    } catch (...) {
      ReportException(std::current_exception());
    }
  };
}

}  // namespace vellumine
