#include "common/errorreport.h"

#include "common/dialogs.h"

ZorlError::ZorlError(const QString& message) : std::runtime_error(message.toStdString()) {}

bool guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        dialogs().message(QString::fromUtf8(e.what()));
    } catch (...) {
        dialogs().message(QStringLiteral("Unknown error"));
    }
    return false;
}
