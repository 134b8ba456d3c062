#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

// What a failing handler throws; its text is what the user sees.
class ZorlError : public std::runtime_error {
  public:
    explicit ZorlError(const QString& message);
    QString text() const { return QString::fromUtf8(what()); }
};

// Runs an event handler. Any std::exception ends the handler and its text is
// shown with dialogs().message(); the program goes on. Returns false when the
// handler failed. Every slot that can fail goes through here, so nothing is
// thrown through Qt's event loop.
bool guarded(const std::function<void()>& handler);
