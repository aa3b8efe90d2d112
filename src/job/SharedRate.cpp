#include "job/SharedRate.h"

#include <algorithm>
#include <cmath>

namespace velmora::job {

SharedRate::SharedRate(double kbps, QList<double> seconds)
    : m_kbps(kbps)
{
    for (const double length : seconds)
        m_rows.append(Row{std::max(0.0, length), std::nullopt, std::nullopt});
}

void SharedRate::looked(int row, double seconds, double kbits)
{
    if (row >= 0 && row < m_rows.size() && seconds > 0 && kbits > 0)
        m_rows[row].looked = kbits / seconds;
}

void SharedRate::converted(int row, double factor, double seconds, double kbits)
{
    m_spent += std::max(0.0, kbits);
    if (row >= 0 && row < m_rows.size() && seconds > 0 && kbits > 0)
        m_rows[row].took = kbits / seconds * std::exp2((factor - Reference) / Step);
}

std::optional<double> SharedRate::busyness(int row) const
{
    // How much the parts took against their looks: a look's first second holds a key
    // picture and the encoder's first guesses, and says more than the part will take.
    double took = 0;
    double looked = 0;
    double seen = 0;
    double seenSeconds = 0;
    for (const Row &each : m_rows) {
        if (each.took && each.looked) {
            took += *each.took * each.seconds;
            looked += *each.looked * each.seconds;
        }
        if (each.took) {
            seen += *each.took * each.seconds;
            seenSeconds += each.seconds;
        }
    }
    const Row &it = m_rows[row];
    if (it.took)
        return it.took;
    if (it.looked)
        return *it.looked * (looked > 0 ? took / looked : 1.0);
    if (seenSeconds > 0)
        return seen / seenSeconds;
    return std::nullopt;
}

std::optional<double> SharedRate::factorFor(int row) const
{
    if (m_kbps <= 0 || row < 0 || row >= m_rows.size())
        return std::nullopt;
    const std::optional<double> busy = busyness(row);
    if (!busy || *busy <= 0)
        return std::nullopt;

    // The rows after this one, as busy as this one and the parts before it together.
    double total = 0;
    double later = 0;
    double known = *busy * m_rows[row].seconds;
    double knownSeconds = m_rows[row].seconds;
    for (int i = 0; i < m_rows.size(); ++i) {
        total += m_rows[i].seconds;
        if (i > row)
            later += m_rows[i].seconds;
        else if (i < row && m_rows[i].took) {
            known += *m_rows[i].took * m_rows[i].seconds;
            knownSeconds += m_rows[i].seconds;
        }
    }
    const double typical = knownSeconds > 0 ? known / knownSeconds : *busy;
    const double wanted = *busy * m_rows[row].seconds + typical * later; // kbit at the Reference factor
    if (wanted <= 0)
        return Reference;
    // The bits left; never less than an eighth of the rate asked, however far the parts so far
    // went over.
    const double left = std::max(m_kbps * total - m_spent, m_kbps / 8 * (m_rows[row].seconds + later));
    const double factor = std::clamp(Reference + Step * std::log2(wanted / left), Lowest, Highest);
    // Two decimals are what the command line carries.
    return std::round(factor * 100) / 100;
}

} // namespace velmora::job
