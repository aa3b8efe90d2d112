#include "prefs/GroupRadioButton.h"

namespace velmora::prefs {

GroupRadioButton::GroupRadioButton(QWidget *parent)
    : QRadioButton(parent)
{
}

void GroupRadioButton::nextCheckState()
{
    setChecked(true);
}

RadioGroup::RadioGroup(const QList<QRadioButton *> &buttons)
    : m_buttons(buttons)
{
    for (QRadioButton *button : buttons) {
        button->setAutoExclusive(true);
        QObject::connect(button, &QRadioButton::toggled, button, [this, button](bool checked) {
            if (!checked)
                return;
            // Buttons of other parents are no group to Qt: they are cleared here.
            for (QRadioButton *other : m_buttons) {
                if (other != button && other->parentWidget() != button->parentWidget())
                    set(other, false);
            }
        });
    }
}

void RadioGroup::set(QAbstractButton *button, bool checked)
{
    if (checked || !button->autoExclusive()) {
        button->setChecked(checked);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

int RadioGroup::checkedIndex() const
{
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons.at(i)->isChecked())
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace velmora::prefs
