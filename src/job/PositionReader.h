#pragma once

#include <QByteArray>
#include <QLocale>

#include <optional>

namespace velmora::job {

// Picks the encoder's position out of what it writes. A chunk is what one read returned. The
// first twenty chunks of a run are not examined, unless the run's first chunk begins with our
// own encoder's first line (whose positions count from its first status line: a join that
// copies may be over in twenty); each examined chunk yields the text after its first "Pos:" up
// to the first "s", and a chunk without "Pos:" keeps the text of an earlier one (within one
// pass, also across runs). In the join the position never goes back.
class PositionReader
{
public:
    enum class Pass { Conversion, Join };
    static constexpr int SkippedChunks = 20;
    static constexpr const char *OwnEncoderLine = "Velmora encoder";

    explicit PositionReader(Pass pass = Pass::Conversion, QLocale locale = QLocale::system());

    // A new pass: the position text starts empty.
    void beginPass(Pass pass);
    // A new encoder run: the chunk count and the position start from zero.
    void beginRun();

    // The position to show after this chunk, if the chunk gives one.
    std::optional<double> takeChunk(const QByteArray &chunk);

    double position() const { return m_position; }
    int chunks() const { return m_chunks; }
    // Whether the run so far is our own encoder's (its first chunk said so).
    bool ownEncoder() const { return m_ownEncoder; }

private:
    std::optional<double> convert(const QByteArray &text) const;

    Pass m_pass;
    QLocale m_locale;
    QByteArray m_positionText;
    int m_chunks = 0;
    double m_position = 0;
    bool m_ownEncoder = false;
};

} // namespace velmora::job
