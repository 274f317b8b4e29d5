// What the windows show and where, as plain data: every control of the main
// window, the about box and the help dialog with its place, font, colours,
// text, hint and picture, what the mouse plays on it, and the items of the
// two right-click menus. The desktop's widgets and the web page are both
// made from these tables.
//
// What each front end draws of its own, beyond these tables:
//   - the desktop: the main window's decorations (frames, trays, strips,
//     discs and lines, ui/decorations.cpp, also written as a picture for the
//     page), the look of its standard controls, and the close question, a
//     standard message box; the window manager draws the frames;
//   - the page: the frames and title bars around its windows (the sizes
//     below), the button faces, menus and tool-tips in the classic style,
//     the close question (it has no message box to ask), and the lines that
//     say the game has ended or stopped (style.css, the page's modules).
//
// Places are client coordinates in pixels (left, top, width, height); a
// width of 0 means the control is sized to its text. Colours are 0x00BBGGRR.
#pragma once

#include "actions.h"
#include "play/version.h"
#include "render/colours.h"

#include <optional>
#include <span>
#include <string_view>

namespace play {

// The faces as the game names them (full-width letters and the full-width
// space are part of the name). Each front end maps them onto fonts it has.
inline constexpr std::string_view PGothicFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view GothicFace = "ＭＳ ゴシック";
inline constexpr std::string_view MsSerifFace = "MS Serif";
inline constexpr std::string_view TimesFace = "Times New Roman";

struct Font {
    std::string_view face;  // none: the window's font
    int pixelSize = 0;      // the characters' height
    bool bold = false;
    bool italic = false;
};
// Every window's own font, in black.
inline constexpr Font WindowFont{PGothicFace, 12};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class Kind {
    Surface,        // one of the game's bitmaps shown unscaled: the view, the overview map
    PictureButton,  // a movement button showing its glyph; never takes the focus
    Picture,        // a picture at its natural size, from the top left
    ScaledPicture,  // a picture scaled to the control
    CountField,     // the countdown's read-only field
    Text,           // a caption
    Panel,          // a centred caption on its own ground, hidden at start
    PushButton,     // a push button with a caption
    Sunken,         // a flat area with a sunken one-pixel edge
    Memo,           // the help's read-only text box with a vertical scroll bar
};

inline constexpr render::Colour NoColour = -1;  // the style's own

// One item of a right-click menu: a row of the action table with its
// argument.
struct MenuItem {
    std::string_view name;
    std::string_view text;
    Act act;
    int argument;
};

// PopupMenu1, Start's: the maze.
inline constexpr MenuItem PopupMenu1[] = {
    {"map01", "map 0", Act::ChooseMaze, 0}, {"map11", "map 1", Act::ChooseMaze, 1},
    {"map21", "map 2", Act::ChooseMaze, 2}, {"map31", "map 3", Act::ChooseMaze, 3},
    {"map41", "map 4", Act::ChooseMaze, 4}, {"map51", "map 5", Act::ChooseMaze, 5},
    {"map61", "map 6", Act::ChooseMaze, 6}, {"map71", "map 7", Act::ChooseMaze, 7},
    {"map81", "map 8", Act::ChooseMaze, 8}, {"map91", "map 9", Act::ChooseMaze, 9},
};
// PopupMenu2, Redo's: the time limit.
inline constexpr MenuItem PopupMenu2[] = {
    {"K1801", "180秒", Act::ChooseTime, 180},
    {"K2401", "240秒", Act::ChooseTime, 240},
    {"K3001", "300秒", Act::ChooseTime, 300},
    {"K3601", "360秒", Act::ChooseTime, 360},
};
// The two menus offer every maze and every time limit the game has, in order.
static_assert([] {
    if (std::size(PopupMenu1) != game::MazeCount || std::size(PopupMenu2) != std::size(game::TimeLimits))
        return false;
    for (int i = 0; i < game::MazeCount; ++i)
        if (PopupMenu1[i].argument != i)
            return false;
    for (std::size_t i = 0; i < std::size(game::TimeLimits); ++i)
        if (PopupMenu2[i].argument != game::TimeLimits[i])
            return false;
    return true;
}());

// What the mouse plays on a control, each a row of the action table.
struct Wiring {
    std::optional<Act> click = {};    // the left button pressed and let go over it
    std::optional<Act> press = {};    // any other button than the right pressed on it
    // A button let go after a press on it: over it for a picture button;
    // wherever it is let go for a caption, which holds the mouse.
    std::optional<Act> release = {};
    std::optional<Act> rightPress = {};  // the right button pressed on it (a control with a menu opens that)
};

struct Control {
    std::string_view name;
    Kind kind;
    Rect place;
    Font font = {};
    render::Colour ink = NoColour;     // the text's colour
    render::Colour ground = NoColour;  // the background's
    std::string_view text = {};        // the caption at start
    std::string_view hint = {};        // the tool-tip, which also names the control aloud
    std::string_view picture = {};     // the picture shown, by the name of its file without ".png"
    std::string_view spoken = {};      // the name read aloud where no hint or caption gives one
    std::string_view described = {};   // what a screen reader adds about it
    std::string_view inside = {};      // the control it lies in, whose corner its place counts from
    std::span<const MenuItem> menu = {};  // the menu a right click opens
    Wiring does = {};
};

// The frame around a window's client area: a border on the left, right and
// bottom, and the title bar above.
inline constexpr int FrameBorder = 4;
inline constexpr int CaptionHeight = 14;
// The main window's close box in its title bar asks as "Exit" does.
inline constexpr Act CloseBox = Act::Quit;

// The main window's client area; the game sets the outer size of its
// window, frame and title bar included, to OuterWidth x OuterHeight.
inline constexpr int ClientWidth = 529;
inline constexpr int ClientHeight = 462;
inline constexpr int OuterWidth = ClientWidth + 2 * FrameBorder;
inline constexpr int OuterHeight = ClientHeight + CaptionHeight + FrameBorder;
static_assert(OuterWidth == 537 && OuterHeight == 480);

// The main window's controls in painting order: a later one lies over an
// earlier one where they overlap. The decorations behind them (frames,
// trays, strips, discs and lines) are painted on the window itself.
inline constexpr Control MainControls[] = {
    {.name = "View", .kind = Kind::Surface, .place = {31, 31, render::SceneSize, render::SceneSize}},
    {.name = "RightBtn", .kind = Kind::PictureButton, .place = {141, 406, 40, 30}, .hint = "右に向きます",
     .picture = "right", .does = {.click = Act::Right}},
    {.name = "MaeBtn", .kind = Kind::PictureButton, .place = {81, 406, 40, 30}, .hint = "正面に進みます",
     .picture = "forward", .does = {.click = Act::Forward, .release = Act::Release}},
    {.name = "LeftBtn", .kind = Kind::PictureButton, .place = {19, 406, 40, 30}, .hint = "左に向きます",
     .picture = "left", .does = {.click = Act::Left}},
    {.name = "Image1", .kind = Kind::ScaledPicture, .place = {442, 16, 32, 32}, .hint = "ﾊﾞｰｼﾞｮﾝ情報",
     .picture = "icon", .does = {.click = Act::About}},
    {.name = "TimeEdit", .kind = Kind::CountField, .place = {440, 142, 37, 19}, .font = {GothicFace, 17, true},
     .ink = render::Black, .ground = render::White, .text = "300", .spoken = "残り時間"},
    {.name = "Image3", .kind = Kind::Picture, .place = {395, 161, 17, 20}, .picture = "north"},
    {.name = "Image2", .kind = Kind::Surface, .place = {398, 184, render::MapSize, render::MapSize}},
    {.name = "Label4", .kind = Kind::Text, .place = {397, 356, 0, 0}, .font = WindowFont, .ink = render::Black},
    {.name = "Label5", .kind = Kind::Text, .place = {196, 400, 16, 36}, .font = {TimesFace, 32, true},
     .ink = render::Red, .text = "?", .hint = "現在地・右ｸﾘｯｸでﾍﾙﾌﾟ",
     .does = {.press = Act::Probe, .release = Act::Unprobe, .rightPress = Act::Help}},
    {.name = "Label1", .kind = Kind::Text, .place = {428, 406, 58, 27}, .font = {MsSerifFace, 24, true, true},
     .ink = render::Yellow, .ground = render::Black, .text = "Exit", .spoken = "Exit",
     .does = {.click = Act::Quit}},
    {.name = "Label2", .kind = Kind::Text, .place = {500, 413, 0, 0}, .font = WindowFont, .ink = render::Black},
    {.name = "Button1", .kind = Kind::PushButton, .place = {229, 406, 65, 30}, .font = {MsSerifFace, 19, true, true},
     .ink = render::White, .text = "Redo", .hint = "終了地点から再ｽﾀｰﾄ・右クリックで時間の設定", .menu = PopupMenu2,
     .does = {.click = Act::Redo}},
    {.name = "Panel1", .kind = Kind::Panel, .place = {95, 174, 198, 41}, .font = {MsSerifFace, 19, true},
     .ink = render::White, .ground = render::Black, .text = "You are trapped!"},
    {.name = "Panel2", .kind = Kind::Panel, .place = {102, 46, 185, 41}, .font = {MsSerifFace, 20, true},
     .ink = render::Yellow, .ground = render::Navy, .text = "Congratulation!"},
    {.name = "Button3", .kind = Kind::PushButton, .place = {305, 406, 66, 30}, .font = {MsSerifFace, 20, true, true},
     .text = "Start", .hint = "右ｸﾘｯｸでﾏｯﾌﾟの選択", .menu = PopupMenu1,
     .does = {.click = Act::Start}},
};

// A dialog: its title, its client size, its controls. Both dialogs wear the
// window font in black on the button face, and close only by their "OK"
// (the default button) or the close box.
struct Dialog {
    std::string_view name;
    std::string_view title;
    int width;
    int height;
    std::span<const Control> controls;
};

inline constexpr Control AboutControls[] = {
    {.name = "Panel1", .kind = Kind::Sunken, .place = {8, 8, 277, 158}},
    {.name = "ProgramIcon", .kind = Kind::ScaledPicture, .place = {5, 4, 150, 150}, .picture = "about",
     .spoken = "Vesmor", .inside = "Panel1"},
    {.name = "Label1", .kind = Kind::Text, .place = {176, 20, 0, 0}, .font = {PGothicFace, 20, true, true},
     .ink = render::Navy, .text = "Vesmor", .inside = "Panel1"},
    {.name = "Label2", .kind = Kind::Text, .place = {199, 41, 0, 0}, .text = "ver " VESMOR_VERSION, .inside = "Panel1"},
    {.name = "Label3", .kind = Kind::Text, .place = {186, 92, 0, 0}, .text = VESMOR_RELEASE_DATE,
     .inside = "Panel1"},
    {.name = "OKButton", .kind = Kind::PushButton, .place = {118, 175, 64, 33}, .font = {TimesFace, 12, true},
     .ink = render::Black, .text = "OK", .described = "ﾊﾞｰｼﾞｮﾝ情報を閉じます"},
};
inline constexpr Dialog AboutBox{"TAboutBox", "ﾊﾞｰｼﾞｮﾝ情報", 294, 214, AboutControls};

inline constexpr Control HelpControls[] = {
    {.name = "Bevel1", .kind = Kind::Sunken, .place = {4, 8, 396, 247}},
    {.name = "Memo1", .kind = Kind::Memo, .place = {12, 16, 384, 231}, .font = WindowFont, .ink = render::Silver,
     .ground = render::Navy},  // the help's lines (texts.h)
    {.name = "OKBtn", .kind = Kind::PushButton, .place = {41, 268, 145, 31}, .font = {MsSerifFace, 16, true, true},
     .ink = render::Black, .text = "OK", .described = "ヘルプを閉じます"},
    {.name = "Image1", .kind = Kind::ScaledPicture, .place = {315, 258, 45, 50}, .picture = "logo",
     .spoken = "Vesmor"},
};
inline constexpr Dialog HelpDialog{"THelpDlg", "Help", 404, 310, HelpControls};

// The control of a table by its name; every name asked for is there.
constexpr const Control& control(std::span<const Control> table, std::string_view name)
{
    for (const Control& c : table)
        if (c.name == name)
            return c;
    return table.front();
}

} // namespace play
