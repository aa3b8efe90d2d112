#pragma once

#include <QString>
#include <QStringList>

namespace velmora::tasks {

// The input extensions the task list takes, lower case, in their fixed order.
const QStringList &InputExtensions();

// "*.avi;*.mpg;...;" with the trailing semicolon.
QString InputMask();

// The open dialog's filter text: all supported files, one entry per extension, all files.
QString OpenDialogFilter();

// True when the extension of the path's name, lower-cased, is one of InputExtensions().
bool IsSupportedExtension(const QString &path);

} // namespace velmora::tasks
