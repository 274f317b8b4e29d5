// Writes the program icon as PNG files of the given sizes, laid out as an
// icon theme folder: OUT/NxN/apps/vesmor.png.
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: vesmor-icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QImage icon = ui::pictures::programIcon();
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        // Whole multiples keep the pixels square; other sizes are smoothed.
        const auto mode = size % icon.width() == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
        if (!QDir().mkpath(folder) ||
            !icon.scaled(size, size, Qt::IgnoreAspectRatio, mode).save(folder + QStringLiteral("/vesmor.png"))) {
            std::fprintf(stderr, "vesmor-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
