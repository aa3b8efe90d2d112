#include "platform/FieldSnapshot.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace velmora::platform {

FieldSnapshot::FieldSnapshot(QList<QWidget *> fields, SetChecked setChecked)
    : m_fields(std::move(fields))
    , m_setChecked(std::move(setChecked))
{
}

void FieldSnapshot::take()
{
    m_values.clear();
    for (const QWidget *field : std::as_const(m_fields)) {
        Value value;
        if (const auto *list = qobject_cast<const QComboBox *>(field)) {
            value.index = list->currentIndex();
            if (list->isEditable())
                value.text = list->currentText();
        } else if (const auto *edit = qobject_cast<const QLineEdit *>(field)) {
            value.text = edit->text();
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(field)) {
            value.checked = button->isChecked();
        }
        m_values << value;
    }
}

void FieldSnapshot::restore() const
{
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        QWidget *field = m_fields.at(i);
        const Value &value = m_values.at(i);
        if (auto *list = qobject_cast<QComboBox *>(field)) {
            // The position first: setting it replaces a typed-in list's text.
            list->setCurrentIndex(value.index);
            if (list->isEditable())
                list->setEditText(value.text);
        } else if (auto *edit = qobject_cast<QLineEdit *>(field)) {
            edit->setText(value.text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(field)) {
            if (m_setChecked)
                m_setChecked(button, value.checked);
            else
                button->setChecked(value.checked);
        }
    }
}

} // namespace velmora::platform
