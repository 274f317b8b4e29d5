// vesmor-shown-pictures OUTDIR: writes every built-in picture exactly as the
// desktop's windows show it, as OUTDIR/NAME.png, for the web page, which
// draws no pictures of its own: the three movement glyphs (transparent
// where the button face shows through), the north arrow as far as it shows,
// the patterned strip at its shown size, the program icon, the about box's
// picture and the help's logo scaled to their controls, and the main
// window's decorations, everything it paints behind its controls.
#include "ui/decorations.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

using namespace ui;

QImage decorations()
{
    QImage image(ClientWidth, ClientHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDecorations(painter);
    return image;
}

struct Shown {
    const char* file;
    QImage (*picture)();
};

const Shown ShownPictures[] = {
    {"left.png", [] { return pictures::buttonGlyph(pictures::leftGlyph()).toImage(); }},
    {"forward.png", [] { return pictures::buttonGlyph(pictures::maeGlyph()).toImage(); }},
    {"right.png", [] { return pictures::buttonGlyph(pictures::rightGlyph()).toImage(); }},
    {"north.png", [] { return pictures::northArrow().copy(0, 0, 17, 16); }},
    {"strip.png", [] { return pictures::strip().scaled(15, 115, Qt::IgnoreAspectRatio, Qt::FastTransformation); }},
    {"icon.png", [] { return pictures::programIcon(); }},
    {"about.png", [] { return pictures::aboutPicture().scaled(150, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); }},
    {"logo.png", [] { return pictures::helpLogo().scaled(45, 50, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); }},
    {"decorations.png", decorations},
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vesmor-shown-pictures OUTDIR\n", stderr);
        return 2;
    }
    installFontSubstitutions();  // the logo's letters, in the windows' own faces
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const Shown& shown : ShownPictures) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(shown.file);
        if (!shown.picture().save(path)) {
            std::fprintf(stderr, "vesmor-shown-pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
