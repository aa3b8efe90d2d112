#include "platform/Clicks.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace velmora::platform {

namespace {

class ClickWatcher final : public QObject
{
public:
    ClickWatcher(QWidget *widget, std::function<void()> handler)
        : QObject(widget)
        , m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_handler();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void onClick(QWidget *widget, std::function<void()> handler)
{
    new ClickWatcher(widget, std::move(handler));
}

} // namespace velmora::platform
