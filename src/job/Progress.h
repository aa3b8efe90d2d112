#pragma once

#include <QtGlobal>

#include <optional>

namespace velmora::job {

// Where a progress bar stands for a value: rounded halves to even, held within 0 to 100.
int BarPosition(double percent);

// The bars during a conversion: the current bar follows the row, the total bar runs from 0
// to 50 in proportion to the play time converted. Nothing when the duration is 0.
std::optional<int> ConversionCurrent(double position, double rowDuration);
std::optional<int> ConversionTotal(double done, double position, double total);

// The bars during the join: the current bar follows the join, the total bar runs 50 to 100.
std::optional<int> JoinCurrent(double position, double total);
std::optional<int> JoinTotal(double position, double total);

// The estimate of the seconds still to go: the elapsed time scaled by (100 - P) / P for the
// total bar's position P; with P at 0 the previous estimate stays.
qint64 RemainingSeconds(qint64 elapsed, int totalBar, qint64 previous);

} // namespace velmora::job
