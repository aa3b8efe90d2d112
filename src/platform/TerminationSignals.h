#pragma once

#include <QObject>

class QSocketNotifier;

namespace velmora::platform {

// SIGTERM, SIGINT and SIGHUP (a session that ends, a Ctrl+C) as a Qt signal, delivered in the
// event loop, so the program can close as if the user had closed it.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Catches the signals from here on, before there is an application to deliver them:
    // one that comes early waits for the event loop. A signal the program was started with
    // ignored (nohup, a background job of a script) stays ignored.
    static void catchSignals();

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace velmora::platform
