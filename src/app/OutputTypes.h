#pragma once

#include <QString>
#include <QStringList>

namespace velmora::app {

// The output file types the save dialog offers, in their fixed order.
const QStringList &OutputTypes();

// "AVI Files (*.avi)|*.avi|...|All Files (*.*)|*.*"
QString SaveDialogFilter();

} // namespace velmora::app
