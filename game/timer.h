// The period of a game timer and what changing it means. The desktop's
// window timers and the game's own clock (play/clock.h, which the scenario
// driver and the web page run) both follow this one rule, so they cannot
// disagree:
//   - a period of 0 stops the timer;
//   - setting the period it already has changes nothing (the phase is kept);
//   - any other period restarts it: the next firing comes one new period later.
#pragma once

#include <functional>

namespace game {

class TimerPeriod {
public:
    // Called whenever the timer must (re)start with the given period, or
    // stop when it is 0.
    using Restart = std::function<void(unsigned ms)>;

    unsigned interval() const { return m_interval; }
    bool running() const { return m_interval != 0; }

    void setInterval(unsigned ms)
    {
        if (ms == m_interval)
            return;
        m_interval = ms;
        if (m_restart)
            m_restart(ms);
    }

    void onRestart(Restart restart) { m_restart = std::move(restart); }

private:
    unsigned m_interval = 0;
    Restart m_restart;
};

} // namespace game
