#pragma once

#include <QSlider>

#include <optional>
#include <vector>

namespace velmora::app {

// The preview's seek slider in milliseconds. Over its groove it shows the part of the clip to
// keep; under it, a mark at each key picture.
class TrimSlider : public QSlider
{
    Q_OBJECT

public:
    explicit TrimSlider(QWidget *parent = nullptr);

    // The kept part; no start is the clip's beginning, no end its end.
    void setKeptPart(std::optional<int> startMs, std::optional<int> endMs);
    void setKeyMarks(std::vector<int> marksMs);
    const std::vector<int> &keyMarks() const { return m_keyMarks; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The x of a value's place on the groove, where the handle's centre is at that value.
    int placeOf(int value) const;

    std::optional<int> m_startMs;
    std::optional<int> m_endMs;
    std::vector<int> m_keyMarks;
};

} // namespace velmora::app
