#include "scriptclock.h"

namespace tools {

ScriptClock::ScriptClock(render::Session& session) : m_session(session)
{
    m_session.game.countdown.onRestart([this](unsigned ms) {
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
            m_nextCountdown += m_session.game.countdown.interval();
            m_session.game.Timer2Timer();
        } else {
            m_nextTick += game::TickPeriod;
            m_session.Timer1Timer();
        }
    }
    m_now = until;
}

} // namespace tools
