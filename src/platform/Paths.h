#pragma once

#include <QString>

namespace velmora::platform {

// The folder text with the platform's separator appended unless it already ends in one.
// An empty text stays empty: it names no folder, and a lone separator would name the root.
QString IncludeBackslash(const QString &folder);

// The text before the last "."; a name without a "." is returned whole.
QString StripExtension(const QString &name);

// The folder part of a path, with its trailing separator ("" when the path has none).
QString ExtractFilePath(const QString &path);

// The name part of a path: everything after the last separator.
QString ExtractFileName(const QString &path);

// The extension of the name part, from its last "." on ("" when there is none).
QString ExtractFileExt(const QString &path);

} // namespace velmora::platform
