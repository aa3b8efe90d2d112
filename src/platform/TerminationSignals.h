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
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace velmora::platform
