#pragma once

#include <QList>
#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

namespace velmora::platform {

// What a dialog's fields hold at one moment, to be put back when the user cancels. A field
// is a list (QComboBox: its position, and for a typed-in list its text too), a text field
// (QLineEdit) or a button (QAbstractButton: checked or not).
class FieldSnapshot
{
public:
    // Checks or clears a button on restore; QAbstractButton::setChecked when not given.
    using SetChecked = std::function<void(QAbstractButton *, bool)>;

    FieldSnapshot() = default;
    // The fields go back in this order.
    explicit FieldSnapshot(QList<QWidget *> fields, SetChecked setChecked = {});

    void take();
    // Puts back what the last take() found; nothing before the first take().
    void restore() const;

private:
    struct Value
    {
        int index = -1;
        QString text;
        bool checked = false;
    };

    QList<QWidget *> m_fields;
    SetChecked m_setChecked;
    QList<Value> m_values;
};

} // namespace velmora::platform
