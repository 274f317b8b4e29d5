#include "bell.h"

#include "play/version.h"

#include <QApplication>

#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ui {

namespace {

// The bell's own thread: it opens the sound server's connection when the
// first beep comes and plays each beep asked for, in turn.
class Bell {
public:
    ~Bell()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

    // While no sound server answers, the X bell rings at once, here: the
    // bell's thread is woken only when there is a server to ask.
    void ring()
    {
        if (!mayAskServer()) {
            QApplication::beep();
            return;
        }
        {
            const std::lock_guard lock(m_mutex);
            ++m_pending;
            if (!m_thread.joinable())
                m_thread = std::thread([this] { run(); });
        }
        m_wake.notify_one();
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_pending > 0 || m_stop; });
            if (m_stop)
                break;
            --m_pending;
            lock.unlock();
            if (!play())
                ringXBell();
            lock.lock();
        }
        lock.unlock();
        close();
    }

    // The desktop's bell for windows, or the plain bell where the sound
    // theme has none of its own. Any other failure drops the connection, to
    // be opened afresh: the server may come back. Not at every step, though:
    // while no server answers, each attempt would cost a connection's
    // set-up for nothing, so it waits a while before asking again.
    bool play()
    {
        if (!m_context) {
            if (!mayAskServer())
                return false;
            if (!open()) {
                waitBeforeAsking();
                return false;
            }
        }
        const auto playEvent = [this](const char* id) {
            return ca_context_play(m_context, 0, CA_PROP_EVENT_ID, id, CA_PROP_EVENT_DESCRIPTION, "Step forward",
                                   CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        };
        int result = playEvent("bell-window-system");
        if (result == CA_ERROR_NOTFOUND)
            result = playEvent("bell");
        if (result == CA_SUCCESS)
            return true;
        close();
        waitBeforeAsking();
        return false;
    }

    bool mayAskServer()
    {
        const std::lock_guard lock(m_mutex);
        return Clock::now() >= m_nextAttempt;
    }
    void waitBeforeAsking()
    {
        const std::lock_guard lock(m_mutex);
        m_nextAttempt = Clock::now() + RetryAfter;
    }

    bool open()
    {
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            return false;
        }
        ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Vesmor", CA_PROP_APPLICATION_ID,
                                VESMOR_APP_ID, CA_PROP_APPLICATION_ICON_NAME, VESMOR_APP_ID,
                                nullptr);
        if (ca_context_open(m_context) == CA_SUCCESS)
            return true;
        close();
        return false;
    }

    void close()
    {
        if (m_context)
            ca_context_destroy(m_context);
        m_context = nullptr;
    }

    // The X bell belongs to the window's thread.
    static void ringXBell()
    {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QApplication::beep(); }, Qt::QueuedConnection);
    }

    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds RetryAfter{30};

    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_pending = 0;
    bool m_stop = false;
    std::thread m_thread;
    Clock::time_point m_nextAttempt{};  // no server is asked before then
    ca_context* m_context = nullptr;    // only the bell's thread touches it
};

} // namespace

std::function<void()> systemBeep()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return [] {};
    return [bell = std::make_shared<Bell>()] { bell->ring(); };
}

} // namespace ui
