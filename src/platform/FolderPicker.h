#pragma once

#include <QString>

class QWidget;

namespace velmora::platform {

// Lets the user pick a folder, owned by owner and with title as its text. A folder given on
// entry is preselected when it exists. True and the chosen folder in folder when the user
// confirmed; false, and folder untouched, when cancelled.
bool SelectFolder(QWidget *owner, const QString &title, QString &folder);

} // namespace velmora::platform
