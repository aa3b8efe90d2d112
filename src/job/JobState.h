#pragma once

namespace velmora::job {

// Where the job is: nothing runs, a job runs, or the user asked a running job to stop.
enum class JobState : int {
    Idle = 0,
    Running = 1,
    StopRequested = 2,
};

} // namespace velmora::job
