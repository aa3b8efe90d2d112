#pragma once

#include <QList>

#include <optional>

namespace velmora::job {

// One bitrate for the whole join, shared out among its parts.
//
// Each part is converted on its own, and a bitrate given to each would split the bits evenly
// among them, however busy their pictures: the calm clip wastes its share, the busy one looks
// worse for it, and each part's rate control begins again cautious and falls short. Encoded in
// one pass the bits would go where the pictures need them. So the parts are encoded at a rate
// factor (a quality) instead, chosen so that the parts together come to the bitrate asked.
//
// Before each part a look (its first second or so, encoded at the Reference factor) tells how
// busy it is; after each part, what it really took tells how far the looks are to be trusted.
// The factor for a part is the one at which it and the rows after it (as busy as all seen so
// far) would take the bits left.
//
// The model: a picture stream takes about half as many bits for every Step the factor rises.
class SharedRate
{
public:
    static constexpr double Reference = 23; // the factor looks are made at
    static constexpr double Step = 6;
    static constexpr double Lowest = 12;
    static constexpr double Highest = 40;

    // kbps: the picture bitrate asked; seconds: each row's play time.
    SharedRate(double kbps, QList<double> seconds);

    // A row's look: so many kbit of picture for so many seconds, at the Reference factor.
    void looked(int row, double seconds, double kbits);
    // A row's part: what its picture took, for so many seconds, at the factor it was given.
    void converted(int row, double factor, double seconds, double kbits);

    // The factor for a row, the rows before it converted; nothing while nothing is known of
    // any row.
    std::optional<double> factorFor(int row) const;

private:
    struct Row
    {
        double seconds = 0;
        std::optional<double> looked; // kbit a second at the Reference factor
        std::optional<double> took;   // the same, from the part itself
    };
    // What a second of the row takes at the Reference factor, as well as it is known.
    std::optional<double> busyness(int row) const;

    double m_kbps;
    QList<Row> m_rows;
    double m_spent = 0; // kbit the parts so far took
};

} // namespace velmora::job
