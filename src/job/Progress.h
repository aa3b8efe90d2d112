#pragma once

#include <QtGlobal>

#include <optional>

namespace velmora::job {

// Where a progress bar stands for a value: rounded halves to even, held within 0 to 100.
int BarPosition(double percent);

// How much of the whole job's bar the conversion pass takes. Half, where both passes encode
// every picture; nearly all, where the conversion writes the output's own codecs and the join
// only copies them (our own encoder does).
inline constexpr int EvenShare = 50;
inline constexpr int CopyingJoinShare = 98;

// The bars during a conversion: the current bar follows the row, the total bar runs from 0
// to `share` in proportion to the play time converted. Nothing when the duration is 0.
std::optional<int> ConversionCurrent(double position, double rowDuration);
std::optional<int> ConversionTotal(double done, double position, double total, int share = EvenShare);

// The bars during the join: the current bar follows the join, the total bar runs from `share`
// to 100.
std::optional<int> JoinCurrent(double position, double total);
std::optional<int> JoinTotal(double position, double total, int share = EvenShare);

// The estimate of the seconds still to go: the elapsed time scaled by (100 - P) / P for the
// total bar's position P; with P at 0 the previous estimate stays.
qint64 RemainingSeconds(qint64 elapsed, int totalBar, qint64 previous);

} // namespace velmora::job
