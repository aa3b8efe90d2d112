#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::profiles {

// An encoder command line as a list of words, each written once. Two faces come from it:
// the text as the command line reads (for display, logs and tests), each word after a
// blank and paths in double quotes; and the arguments handed to the encoder, one for each
// word that is not empty. An empty word shows as a blank of its own and is no argument.
class EncoderArgs
{
public:
    // An option or a value.
    EncoderArgs &word(const QString &word);
    EncoderArgs &words(const QStringList &words);
    // A file name: quoted in the text, as it is in the arguments.
    EncoderArgs &path(const QString &path);
    EncoderArgs &append(const EncoderArgs &other);
    // In the value after each `option` (sub-options between colons, as -lavcopts takes them),
    // the sub-option `piece` becomes `replacement`.
    EncoderArgs &replacePiece(const QString &option, const QString &piece, const QString &replacement);

    QString text() const;
    QStringList arguments() const;
    bool operator==(const EncoderArgs &other) const = default;

private:
    struct Word
    {
        QString value;
        bool isPath = false;
        bool operator==(const Word &other) const = default;
    };
    QList<Word> m_words;
};

} // namespace velmora::profiles
