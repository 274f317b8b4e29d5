// The yardstick for the game window: the least a Qt Widgets program of the
// same size can do. "repaint" shows a new 330 x 330 image every 50 ms,
// "still" shows one and never repaints. Prints its start to first paint,
// CPU share over the measured seconds and peak memory, like bench_window.
#include "measure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {

class Window final : public QWidget {
public:
    Window() : m_image(330, 330, QImage::Format_RGB32)
    {
        setFixedSize(529, 462);
        m_image.fill(Qt::black);
    }
    void nextImage()
    {
        m_image.fill(QColor::fromRgb(++m_colour & 0xFFFFFF));
        update(31, 31, 330, 330);
    }
    double firstPaint = -1;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (firstPaint < 0)
            firstPaint = bench::sinceProcessStart();
        QPainter(this).drawImage(31, 31, m_image);
    }

private:
    QImage m_image;
    unsigned m_colour = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const bool still = argc > 1 && std::strcmp(argv[1], "still") == 0;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    QApplication app(argc, argv);
    Window window;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    if (!still)
        QObject::connect(&ticks, &QTimer::timeout, &window, &Window::nextImage);
    ticks.start(50);
    window.show();
    double cpuAtStart = 0;
    QElapsedTimer clock;
    QTimer::singleShot(1000, [&] {  // settled: measure from here
        cpuAtStart = bench::cpuSeconds();
        clock.start();
    });
    QTimer::singleShot(1000 + seconds * 1000, [&] {
        bench::print("first_paint_ms", window.firstPaint * 1000);
        bench::print("cpu_share_percent", (bench::cpuSeconds() - cpuAtStart) / (double(clock.nsecsElapsed()) / 1e9) * 100);
        bench::print("peak_resident_mib", bench::peakResidentMiB());
        app.quit();
    });
    return app.exec();
}
