// Writes the game's pictures as image files:
//   vesmor-pictures icons OUT NAME   the program icon as an icon theme folder,
//                                    at build time: OUT/NxN/apps/NAME.png at
//                                    each size, and OUT/scalable/apps/NAME.svg
//   vesmor-pictures page OUT         for the web page, which draws no pictures
//                                    of its own: every built-in picture exactly
//                                    as the windows show it, as OUT/FILE.png,
//                                    and the icon as OUT/icons/icon-NxN.png at
//                                    each size and the web app's, its maskable
//                                    OUT/icons/maskable-NxN.png and
//                                    OUT/icons/icon.svg (`make pictures` keeps
//                                    the copy in web/pictures)
#include "fonts.h"
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <span>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Each folder is made as needed; says which file could not be written.
bool save(const QString& folder, const QString& name, const QImage& image)
{
    if (QDir().mkpath(folder) && image.save(folder + QLatin1Char('/') + name))
        return true;
    std::fprintf(stderr, "vesmor-pictures: cannot write %s/%s\n", qPrintable(folder), qPrintable(name));
    return false;
}

bool writeIcons(const QString& out, const QString& name)
{
    for (int size : ui::pictures::IconSizes)
        if (!save(QStringLiteral("%1/%2x%2/apps").arg(out).arg(size), name + QStringLiteral(".png"),
                  ui::pictures::programIcon(size)))
            return false;
    const QString scalable = out + QStringLiteral("/scalable/apps");
    if (QDir().mkpath(scalable) &&
        writeFile(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"), ui::pictures::programIconSvg().toUtf8()))
        return true;
    std::fprintf(stderr, "vesmor-pictures: cannot write %s/%s.svg\n", qPrintable(scalable), qPrintable(name));
    return false;
}

bool writePage(const QString& out)
{
    for (const ui::pictures::Shown& shown : ui::pictures::ShownPictures)
        if (!save(out, QLatin1String(shown.file), shown.picture()))
            return false;
    const QString icons = out + QStringLiteral("/icons");
    for (const auto& sizes : {std::span<const int>(ui::pictures::IconSizes), std::span<const int>(ui::pictures::AppIconSizes)})
        for (int size : sizes)
            if (!save(icons, QStringLiteral("icon-%1x%1.png").arg(size), ui::pictures::programIcon(size)))
                return false;
    const int maskable = ui::pictures::MaskableIconSize;
    if (!save(icons, QStringLiteral("maskable-%1x%1.png").arg(maskable), ui::pictures::maskableIcon(maskable)))
        return false;
    if (writeFile(icons + QStringLiteral("/icon.svg"), ui::pictures::programIconSvg().toUtf8()))
        return true;
    std::fprintf(stderr, "vesmor-pictures: cannot write %s/icon.svg\n", qPrintable(icons));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ui::installFontSubstitutions();  // the help logo's letters, in the window's own face
    const bool icons = argc == 4 && std::strcmp(argv[1], "icons") == 0;
    const bool page = argc == 3 && std::strcmp(argv[1], "page") == 0;
    if (!icons && !page) {
        std::fputs("usage: vesmor-pictures icons OUTDIR NAME | vesmor-pictures page OUTDIR\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    return (icons ? writeIcons(out, QString::fromLocal8Bit(argv[3])) : writePage(out)) ? 0 : 1;
}
