#include "scriptclock.h"

namespace tools {

ScriptClock::ScriptClock(Controls& controls) : m_controls(controls)
{
    m_controls.playfield().game.countdown.onRestart([this](unsigned ms) {
        m_nextCountdown = ms == 0 ? -1 : m_now + ms;
    });
}

void ScriptClock::wait(std::int64_t ms)
{
    const std::int64_t until = m_now + ms;
    for (;;) {
        const bool countdownFirst = m_nextCountdown >= 0 && m_nextCountdown < m_nextTick;
        const std::int64_t next = countdownFirst ? m_nextCountdown : m_nextTick;
        if (next > until)
            break;
        m_now = next;
        if (countdownFirst) {
            m_nextCountdown += m_controls.playfield().game.countdown.interval();
            m_controls.perform(play::Act::Countdown);
        } else {
            m_nextTick += game::TickPeriod;
            m_controls.perform(play::Act::Tick);
        }
    }
    m_now = until;
}

} // namespace tools
