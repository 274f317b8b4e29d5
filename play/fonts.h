// The fonts that stand in for the game's faces, for every front end: the
// faces it names are a Japanese desktop's ("ＭＳ Ｐゴシック", "Times New
// Roman", ...), which a free desktop does not have. The desktop asks for the
// first of a face's families that is installed; the web page carries the
// first family's files, cut to the characters the game shows.
#pragma once

#include "play/layout.h"

#include <array>
#include <string_view>

namespace play {

// Debian's font files of a family, one a style. A family with only a
// regular file serves every style from it, thickened and slanted as asked.
struct FontFiles {
    std::string_view regular;
    std::string_view bold = {};
    std::string_view italic = {};
    std::string_view boldItalic = {};
};

struct StandIn {
    std::string_view face;   // as the game names it
    std::string_view alias;  // its English name, which asks for the same
    // The closest look-alike first, down to any face that at least shows
    // Japanese, so that no text ever turns into empty boxes.
    std::array<std::string_view, 5> families;
    std::string_view name;  // the page's cut of the first family: "Vesmor <name>"
    FontFiles files;        // the first family's
};

inline constexpr FontFiles LiberationSerif{
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-Italic.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSerif-BoldItalic.ttf",
};
inline constexpr std::array<std::string_view, 5> SerifFamilies = {"Liberation Serif", "Tinos", "DejaVu Serif",
                                                                   "IPAPMincho", "IPAPGothic"};

inline constexpr StandIn StandIns[] = {
    {PGothicFace, "MS PGothic", {"IPAPGothic", "IPA Pゴシック", "VL PGothic", "Noto Sans CJK JP", "IPAGothic"},
     "PGothic", {"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"}},
    {GothicFace, "MS Gothic", {"IPAGothic", "IPAゴシック", "VL Gothic", "Noto Sans Mono CJK JP", "IPAPGothic"},
     "Gothic", {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"}},
    {MsSerifFace, {}, SerifFamilies, "Serif", LiberationSerif},
    {TimesFace, {}, SerifFamilies, "Serif", LiberationSerif},
};

constexpr const StandIn* standInFor(std::string_view face)
{
    for (const StandIn& s : StandIns)
        if (s.face == face)
            return &s;
    return nullptr;
}

// Every face a window names has its stand-ins.
constexpr bool everyFaceStandsIn()
{
    using Table = std::span<const Control>;
    for (Table table : {Table(MainControls), AboutBox.controls, HelpDialog.controls})
        for (const Control& c : table)
            if (!c.font.face.empty() && !standInFor(c.font.face))
                return false;
    return standInFor(WindowFont.face) != nullptr;
}
static_assert(everyFaceStandsIn());

} // namespace play
