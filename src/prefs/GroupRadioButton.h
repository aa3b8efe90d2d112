#pragma once

#include <QList>
#include <QRadioButton>

namespace velmora::prefs {

// A radio button of a group that may end up with none checked: the user's click only ever
// checks it, and the program may clear it without checking another. It stays exclusive, so
// that assistive technology announces it as the radio button it is.
class GroupRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit GroupRadioButton(QWidget *parent = nullptr);

protected:
    void nextCheckState() override;
};

// One choice out of several exclusive buttons: checking one clears the others; clearing one
// touches nothing else.
class RadioGroup
{
public:
    explicit RadioGroup(const QList<QRadioButton *> &buttons);

    // Clearing goes round the exclusiveness for a moment: an exclusive button is otherwise
    // only cleared by checking another. A button that is not exclusive (a check box) is
    // simply set.
    static void set(QAbstractButton *button, bool checked);
    // The checked button's position, -1 when none is checked.
    int checkedIndex() const;

private:
    QList<QRadioButton *> m_buttons;
};

} // namespace velmora::prefs
