#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>

namespace velmora::tasks {

// The box a thumbnail fills: a 16:9 picture beside a row's file name.
inline constexpr QSize ThumbnailBox{64, 36};
// The neutral colour around a picture of another shape than the box.
inline constexpr QRgb ThumbnailBackground = qRgb(0x3c, 0x3c, 0x3c);
// How far into its play time a file's thumbnail is taken: past a fade from black at the start.
inline constexpr double ThumbnailPosition = 0.1;

// One picture of the file as a player shows it, fitted into a picture of the box's size on the
// neutral background: the first picture at or after a tenth of its play time (of a file whose
// length is not known, its first picture), turned upright as its display matrix asks and in its
// display shape. A null image when the file holds no picture that can be decoded: no picture
// stream, damaged data, not a media file.
//
// Reads a bounded number of packets, so that a damaged file ends it soon; raises nothing; may run
// on several threads at once. When stop is given and becomes true, it ends soon after with a
// null image.
QImage MakeThumbnail(const QString &path, QSize box = ThumbnailBox, const std::atomic<bool> *stop = nullptr);

// What stands for a file whose picture cannot be decoded: a picture frame, struck through.
QImage ThumbnailPlaceholder(QSize box = ThumbnailBox);
// What stands for a file while its thumbnail is being made: the empty box in a thin frame.
QImage ThumbnailLoading(QSize box = ThumbnailBox);

} // namespace velmora::tasks
