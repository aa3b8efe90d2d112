#pragma once

#include <QString>

namespace velmora::job {

// The name the Rename rule writes to: name_1, name_2, ... in the output's folder, with the
// output extension: the first that names nothing yet.
QString RenameTarget(const QString &output, const QString &extension);

// A name in the output's folder that names nothing yet, keeping the output's extension,
// for the join to write to before the result takes the output's name.
QString JoiningName(const QString &output);

// What Open shows for the output field's text: the output file when it is one, else the
// folder it names when that exists; empty when neither. An empty folder part names no folder
// (it would otherwise mean the working folder).
QString OpenTargetFor(const QString &output);

// The folder an output file is in, as the shell opens it: without a trailing separator
// (but "/" itself).
QString OutputFolder(const QString &output);

// True when something (a file, a folder, a link, even a broken one) stands at path.
bool Occupied(const QString &path);

} // namespace velmora::job
