#include "clock.h"

#include <algorithm>

namespace play {

Clock::Clock(game::Game& game, Fire fire) : m_game(game), m_fire(std::move(fire))
{
    if (m_game.countdown().running())
        m_nextCountdown = m_game.countdown().interval();
    m_game.onCountdownRestart([this](unsigned ms) { m_nextCountdown = ms == 0 ? -1 : m_now + ms; });
}

void Clock::runUntil(std::int64_t time)
{
    if (time < m_now)
        return;
    for (;;) {
        const bool countdownFirst = countdownRuns() && m_nextCountdown < m_nextTick;
        const std::int64_t next = countdownFirst ? m_nextCountdown : m_nextTick;
        if (next > time)
            break;
        m_now = next;
        if (countdownFirst) {
            m_nextCountdown += m_game.countdown().interval();
            m_fire(Act::Countdown);
        } else {
            m_nextTick += game::TickPeriod;
            m_fire(Act::Tick);
        }
    }
    m_now = time;
}

namespace {

// The first firing at or after `from` of a timer next due at `next`.
std::int64_t skipTo(std::int64_t next, std::int64_t period, std::int64_t from)
{
    return next >= from ? next : next + (from - next + period - 1) / period * period;
}

} // namespace

void Clock::catchUp(std::int64_t time)
{
    const std::int64_t from = time - Backlog + 1;  // the first millisecond of the last Backlog
    m_nextTick = skipTo(m_nextTick, game::TickPeriod, from);
    if (countdownRuns())
        m_nextCountdown = skipTo(m_nextCountdown, m_game.countdown().interval(), from);
    runUntil(time);
}

std::int64_t Clock::nextFiring() const
{
    return countdownRuns() ? std::min(m_nextTick, m_nextCountdown) : m_nextTick;
}

} // namespace play
