#include "app/TrimSlider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace velmora::app {

namespace {

constexpr int MarkHeight = 5; // below the groove, where the key picture marks are drawn
const QColor KeptColour(0x2e, 0xaa, 0x4f, 150);
const QColor MarkColour(0x34, 0x45, 0x57);

} // namespace

TrimSlider::TrimSlider(QWidget *parent)
    : QSlider(Qt::Horizontal, parent)
{
}

void TrimSlider::setKeptPart(std::optional<int> startMs, std::optional<int> endMs)
{
    m_startMs = startMs;
    m_endMs = endMs;
    update();
}

void TrimSlider::setKeyMarks(std::vector<int> marksMs)
{
    m_keyMarks = std::move(marksMs);
    update();
}

QSize TrimSlider::sizeHint() const
{
    return QSlider::sizeHint() + QSize(0, MarkHeight + 2);
}

QSize TrimSlider::minimumSizeHint() const
{
    return QSlider::minimumSizeHint() + QSize(0, MarkHeight + 2);
}

int TrimSlider::placeOf(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.left() + handle.width() / 2 + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
}

void TrimSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The slider is drawn a little higher than its widget, to leave room for the marks below.
    option.rect.setHeight(height() - MarkHeight - 2);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);

    option.subControls = QStyle::SC_SliderGroove;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    // The kept part over the groove, under the handle.
    if (maximum() > minimum()) {
        const int from = placeOf(m_startMs.value_or(minimum()));
        const int to = placeOf(m_endMs.value_or(maximum()));
        const int thickness = std::max(groove.height(), 6);
        painter.fillRect(QRect(from, groove.center().y() - thickness / 2, std::max(to - from, 1), thickness), KeptColour);
    }

    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    // One mark a key picture; marks closer than a pixel are drawn once.
    if (maximum() > minimum()) {
        painter.setPen(MarkColour);
        const int top = height() - MarkHeight - 1;
        int last = -1;
        for (const int mark : m_keyMarks) {
            const int x = placeOf(mark);
            if (x == last)
                continue;
            painter.drawLine(x, top, x, top + MarkHeight - 1);
            last = x;
        }
    }
}

} // namespace velmora::app
