#pragma once

#include <QString>
#include <QStringList>

namespace velmora::profiles {

// One piece of an encoder command line in its two faces: the text as the command line reads
// (for display, logs and tests), and the arguments handed to the encoder, one argument for
// each option and each option value, none for an empty piece.
struct EncoderArgs
{
    QString text;
    QStringList arguments;

    // Appends text as it stands, and each non-empty argument.
    EncoderArgs &add(const QString &piece, const QStringList &args = {});
    EncoderArgs &append(const EncoderArgs &other);
};

} // namespace velmora::profiles
