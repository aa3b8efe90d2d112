#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace velmora::test {

// The folder where the test clips of this build folder are kept.
QString clipFolder();

// The clip of that file name in the clip folder, made once per build folder by make and shared
// by every test that asks for it. make writes the clip to the path it is handed (a name of its
// own, renamed when done, so that tests running side by side never see half a clip) and ends
// the run with qFatal when it cannot.
QString cachedClip(const QString &name, const std::function<void(const QString &partial)> &make);

// Runs ffmpeg quietly with these arguments (-nostdin, -y and errors only come first); on failure
// removes output and ends the run with qFatal, naming what was to be made.
void runFfmpeg(const QStringList &arguments, const QString &output, const QString &what);

// The clip of that name made by ffmpeg from these arguments, the output path after them.
QString ffmpegClip(const QString &name, const QStringList &arguments);

} // namespace velmora::test
