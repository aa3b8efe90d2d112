#pragma once

#include <QList>
#include <QString>

// Checks on what an output holds, in ffmpeg's view: the numbers that frameNumbers() reads back,
// against those of the input they were made from, and the length of the sound. Each gives what
// is wrong in a few words that name the frames and numbers concerned, or an empty text when all
// is well.
namespace velmora::test {

// Every number of the input appears, in order: the numbers read back never step back, and
// none is missing from the input's first to its last. Repeats are allowed (held pictures).
QString everyNumberInOrder(const QList<int> &shown, const QList<int> &input);

// For an input at twice the output's rate: from the input's first number on, each frame shows
// the number two on from the frame before, but for the very last frame, which may step by less.
QString everyOtherNumber(const QList<int> &shown, const QList<int> &input);

// The sound lasts as long as the picture: within a frame of the output (1/30 s) and 50 ms, a
// sound encoder's frame or two.
QString soundAsLongAsPicture(const QString &file);

// The first count numbers, or the last, as text for a message: "0 1 1 3 ...".
QString someNumbers(const QList<int> &numbers, qsizetype count = 24, bool last = false);

} // namespace velmora::test
