#pragma once

#include <QString>
#include <QStringList>

namespace velmora::job {

// Whether the inputs can be joined into output without re-encoding, by the encoder's own rule.
struct CopyMatch
{
    QString refusal;           // empty when they can: otherwise names the input and what differs
    double pictureSeconds = 0; // their pictures' stated play time together
};

CopyMatch MatchForCopy(const QStringList &inputs, const QString &output);

} // namespace velmora::job
