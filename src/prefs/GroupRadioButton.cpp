#include "prefs/GroupRadioButton.h"

namespace velmora::prefs {

GroupRadioButton::GroupRadioButton(QWidget *parent)
    : QRadioButton(parent)
{
    setAutoExclusive(false);
}

void GroupRadioButton::nextCheckState()
{
    setChecked(true);
}

RadioGroup::RadioGroup(const QList<QRadioButton *> &buttons)
    : m_buttons(buttons)
{
    for (QRadioButton *button : buttons) {
        button->setAutoExclusive(false);
        QObject::connect(button, &QRadioButton::toggled, button, [this, button](bool checked) {
            if (!checked)
                return;
            for (QRadioButton *other : m_buttons) {
                if (other != button)
                    other->setChecked(false);
            }
        });
    }
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
