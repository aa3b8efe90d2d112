#pragma once

#include "job/JobDriver.h"
#include "job/ProgressView.h"

#include <exception>
#include <functional>

namespace velmora::job {

// Runs at the end of Start, however it ends: the controls are unlocked, and a job that
// ended by an error leaves no panel, timer or private folder behind.
class JobScope
{
public:
    JobScope(bool &active, JobState &state, JobHost &host, ProgressView &display, std::function<void()> cleanUp)
        : m_active(active)
        , m_state(state)
        , m_host(host)
        , m_display(display)
        , m_cleanUp(std::move(cleanUp))
    {
        m_host.LockControls();
        m_active = true;
    }
    ~JobScope()
    {
        if (std::uncaught_exceptions() > 0) {
            m_display.stopTimer();
            m_display.showOutputRow();
            m_state = JobState::Idle;
        }
        m_cleanUp();
        m_active = false;
        m_host.UnlockControls();
    }
    JobScope(const JobScope &) = delete;
    JobScope &operator=(const JobScope &) = delete;

private:
    bool &m_active;
    JobState &m_state;
    JobHost &m_host;
    ProgressView &m_display;
    std::function<void()> m_cleanUp;
};

} // namespace velmora::job
