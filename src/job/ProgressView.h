#pragma once

#include <QString>

namespace velmora::job {

// What the job tells whoever shows its progress, at the moments it reaches: the main
// window's bars and labels, or a terminal's line. Rows count from 0.
class ProgressView
{
public:
    virtual ~ProgressView() = default;

    virtual void conversionBegins() = 0;
    // The conversion pass's share of the whole job in percent (see Progress.h); EvenShare until
    // told otherwise, for each job anew.
    virtual void conversionShare(int percent) = 0;
    virtual void rowBegins(int row, const QString &fileName) = 0;
    // position: seconds into the row; done: the listed play time of the rows before it;
    // total: that of all rows.
    virtual void conversionPosition(double position, double rowDuration, double done, double total) = 0;
    virtual void rowEnded() = 0;
    virtual void joinBegins() = 0;
    // A join that copies is the job's only pass: the file being joined shows, the current bar
    // follows it and the total bar runs from 0 to 100.
    virtual void copyBegins() = 0;
    virtual void copyPosition(double position, double rowStart, double rowDuration, double total) = 0;
    virtual void joinPosition(double position, double total) = 0;
    virtual void joinCompleted() = 0;
    virtual void stopTimer() = 0;
    virtual void showOutputRow() = 0;
};

} // namespace velmora::job
