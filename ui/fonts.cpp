#include "fonts.h"

#include "play/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QStringList>

#include <cstdio>

namespace ui {

void installFontSubstitutions()
{
    for (const play::StandIn& standIn : play::StandIns) {
        QStringList families;
        for (std::string_view family : standIn.families)
            if (!family.empty())
                families << QString::fromUtf8(family);
        for (std::string_view name : {standIn.face, standIn.alias})
            if (!name.empty())
                QFont::insertSubstitutions(QString::fromUtf8(name), families);
    }
}

// Asks only the face the game's own font resolves to, which the window
// loads anyway, rather than the database of every installed font.
void warnWithoutJapaneseFont()
{
    const QFontMetrics window(gameFont(PGothicFace, 12));
    if (!window.inFontUcs4(U'夜') || !window.inFontUcs4(U'ｷ'))
        std::fputs("vesmor: no installed font can show the game's Japanese texts, so they will be empty boxes;"
                   " installing the package fonts-ipafont-gothic brings one\n",
                   stderr);
}

namespace {

// The face itself when it is installed, else the first installed look-alike
// from its substitution list: the font the toolkit would settle on. Asked
// for a face that is not installed, the toolkit first has the font
// configuration sort every installed font as that face's stand-ins (at
// start-up a dozen sorts, some milliseconds in all) before it tries the next
// name; naming the installed face first skips them and gives the same font.
QString installedFace(const QString& face)
{
    static QHash<QString, QString> resolved;  // the installed fonts do not change while the game runs
    const auto known = resolved.constFind(face);
    if (known != resolved.constEnd())
        return *known;
    const QStringList installed = QFontDatabase::families();
    QString found = face;  // none installed: asked by its own name, the toolkit picks a stand-in
    for (const QString& candidate : QStringList{face} + QFont::substitutes(face))
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            found = candidate;
            break;
        }
    resolved.insert(face, found);
    return found;
}

} // namespace

QFont gameFont(const QString& face, int pixelSize, bool bold, bool italic)
{
    QFont font(installedFace(face));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace ui
