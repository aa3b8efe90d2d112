#pragma once

#include "platform/Error.h"

#include <QString>

#include <exception>

class QWidget;

namespace velmora::platform {

// Shows an error that ended an operation, in a message box owned by owner.
void showError(QWidget *owner, const QString &text);

// The general error handler. Every event handler runs its body through this wrapper, so
// that no exception ever crosses Qt's event loop: what was raised below is shown in a
// message box owned by owner, and only this operation ends. True when the body completed.
template<typename Body>
bool runGuarded(QWidget *owner, Body &&body)
{
    try {
        body();
        return true;
    } catch (const velmora::Error &error) {
        showError(owner, error.text());
    } catch (const std::exception &error) {
        showError(owner, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showError(owner, QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

} // namespace velmora::platform
