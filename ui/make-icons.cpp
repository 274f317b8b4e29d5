// Writes the program icon as an icon theme folder: OUT/NxN/apps/NAME.png for
// each size, drawn at that size, and OUT/scalable/apps/NAME.svg.
#include "iconsvg.h"
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool writeSvg(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ui::crispSvg(ui::pictures::programIcon()).toUtf8()) > 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: vesmor-icons OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(folder) || !ui::pictures::programIcon(size).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "vesmor-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    const QString scalable = out + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(scalable) || !writeSvg(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"))) {
        std::fprintf(stderr, "vesmor-icons: cannot write %s\n", qPrintable(scalable));
        return 1;
    }
    return 0;
}
