// vesmor-web-facts OUTDIR: writes what the web page needs to know of the
// windows, at build time, from the same tables the desktop's widgets are
// made from:
//   OUTDIR/layout.json the controls, dialogs, menus and words
//   OUTDIR/fonts.json  for each face, the font that stands in for it and,
//                      style by style, every character the page can show
//                      in it, so the fonts it carries hold no more
#include "play/fonts.h"
#include "play/layout.h"
#include "play/texts.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace {

std::string json(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A colour as CSS writes it; the game's are 0x00BBGGRR.
std::string css(render::Colour colour)
{
    if (colour == play::NoColour)
        return "null";
    char text[16];
    std::snprintf(text, sizeof text, "\"#%02x%02x%02x\"", unsigned(colour & 0xFF), unsigned(colour >> 8 & 0xFF),
                  unsigned(colour >> 16 & 0xFF));
    return text;
}

const char* kindName(play::Kind kind)
{
    using play::Kind;
    switch (kind) {
    case Kind::Surface: return "surface";
    case Kind::PictureButton: return "pictureButton";
    case Kind::Picture: return "picture";
    case Kind::ScaledPicture: return "scaledPicture";
    case Kind::CountField: return "countField";
    case Kind::Text: return "text";
    case Kind::Panel: return "panel";
    case Kind::PushButton: return "pushButton";
    case Kind::Sunken: return "sunken";
    case Kind::Memo: return "memo";
    }
    return "";
}

const play::Font& fontOf(const play::Control& c)
{
    return c.font.face.empty() ? play::WindowFont : c.font;
}

std::string font(const play::Font& f)
{
    std::ostringstream out;
    out << "{\"face\": " << json(f.face) << ", \"size\": " << f.pixelSize << ", \"bold\": " << (f.bold ? "true" : "false")
        << ", \"italic\": " << (f.italic ? "true" : "false") << "}";
    return out.str();
}

// Items joined as a JSON list.
template <typename Items, typename Write>
std::string list(const Items& items, Write write)
{
    std::string out = "[";
    const char* comma = "";
    for (const auto& item : items) {
        out += comma + write(item);
        comma = ", ";
    }
    return out + "]";
}

std::string menu(std::span<const play::MenuItem> items)
{
    return list(items, [](const play::MenuItem& i) {
        std::ostringstream out;
        out << "{\"name\": " << json(i.name) << ", \"text\": " << json(i.text)
            << ", \"act\": " << json(play::action(i.act).name) << ", \"argument\": " << i.argument << "}";
        return out.str();
    });
}

// What the mouse plays on a control, by the rows' names.
std::string wiring(const play::Wiring& does)
{
    const auto act = [](const std::optional<play::Act>& a) { return a ? json(play::action(*a).name) : "null"; };
    return "{\"click\": " + act(does.click) + ", \"press\": " + act(does.press) + ", \"release\": " + act(does.release) +
           ", \"rightPress\": " + act(does.rightPress) + "}";
}

std::string controls(std::span<const play::Control> table)
{
    return list(table, [](const play::Control& c) {
        std::ostringstream out;
        out << "\n    {\"name\": " << json(c.name) << ", \"kind\": " << json(kindName(c.kind))
            << ", \"x\": " << c.place.x << ", \"y\": " << c.place.y << ", \"width\": " << c.place.width
            << ", \"height\": " << c.place.height << ", \"font\": " << font(fontOf(c)) << ", \"ink\": " << css(c.ink)
            << ", \"ground\": " << css(c.ground) << ", \"text\": " << json(c.text) << ", \"hint\": " << json(c.hint)
            << ", \"picture\": " << json(c.picture) << ", \"spoken\": " << json(c.spoken)
            << ", \"described\": " << json(c.described) << ", \"inside\": " << json(c.inside)
            << ", \"menu\": " << (c.menu.empty() ? "null" : menu(c.menu)) << ", \"does\": " << wiring(c.does) << "}";
        return out.str();
    });
}

std::string dialog(const play::Dialog& d)
{
    std::ostringstream out;
    out << "{\"name\": " << json(d.name) << ", \"title\": " << json(d.title) << ", \"width\": " << d.width
        << ", \"height\": " << d.height << ", \"controls\": " << controls(d.controls) << "}";
    return out.str();
}

std::string size(int width, int height)
{
    return "{\"width\": " + std::to_string(width) + ", \"height\": " + std::to_string(height) + "}";
}

std::string layoutJson()
{
    const auto text = [](std::string_view t) { return json(t); };
    std::ostringstream out;
    out << "{\n";
    out << "\"applicationTitle\": " << json(play::ApplicationTitle) << ",\n";
    out << "\"mainTitle\": " << json(play::MainTitle) << ",\n";
    out << "\"client\": " << size(play::ClientWidth, play::ClientHeight) << ",\n";
    out << "\"outer\": " << size(play::OuterWidth, play::OuterHeight) << ",\n";
    out << "\"frame\": {\"border\": " << play::FrameBorder << ", \"caption\": " << play::CaptionHeight
        << ", \"closeBox\": " << json(play::action(play::CloseBox).name) << "},\n";
    out << "\"windowFont\": " << font(play::WindowFont) << ",\n";
    out << "\"controls\": " << controls(play::MainControls) << ",\n";
    out << "\"about\": " << dialog(play::AboutBox) << ",\n";
    out << "\"help\": " << dialog(play::HelpDialog) << ",\n";
    out << "\"helpLines\": " << list(play::HelpLines, text) << ",\n";
    // By the game's notice number.
    out << "\"notices\": " << list(play::Notices, [](game::Notice n) { return json(play::noticeText(n)); }) << ",\n";
    out << "\"quit\": {\"title\": " << json(play::QuitTitle) << ", \"question\": " << json(play::QuitQuestion)
        << ", \"ok\": " << json(play::QuitOk) << ", \"cancel\": " << json(play::QuitCancel) << "},\n";
    // The action table's rows, by their names.
    out << "\"actions\": " << list(play::Actions, [](const play::Action& a) { return json(a.name); }) << "\n";
    out << "}\n";
    return out.str();
}

// Each character once, in the order of its bytes.
using Characters = std::set<std::string>;

void addCharacters(Characters& set, std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        set.insert(std::string(text.substr(i, length)));
        i += length;
    }
}

std::string style(const play::Font& f)
{
    return f.bold ? (f.italic ? "bolditalic" : "bold") : (f.italic ? "italic" : "regular");
}

// The font files of a stand-in, by style.
std::string files(const play::FontFiles& f)
{
    std::string out = "{\"regular\": " + json(f.regular);
    for (const auto& [style, file] : {std::pair{"bold", f.bold}, {"italic", f.italic}, {"bolditalic", f.boldItalic}})
        if (!file.empty())
            out += std::string(", \"") + style + "\": " + json(file);
    return out + "}";
}

// What each face shows, style by style: captions, and what the game writes
// into the controls as it runs; and the font that stands in for it.
std::string fontsJson()
{
    std::map<std::string, std::map<std::string, Characters>> faces;
    const auto add = [&](const play::Font& f, std::string_view text) {
        addCharacters(faces[std::string(f.face)][style(f)], text);
    };
    const auto addTable = [&](std::span<const play::Control> table) {
        for (const play::Control& c : table) {
            add(fontOf(c), c.text);
            add(play::WindowFont, c.hint);  // tool-tips wear the window font
        }
    };
    addTable(play::MainControls);
    addTable(play::AboutBox.controls);
    addTable(play::HelpDialog.controls);
    const play::Font& count = fontOf(play::control(play::MainControls, "TimeEdit"));
    add(count, "-0123456789");  // the count, below 0 for a moment when the water speeds it up
    add(fontOf(play::control(play::MainControls, "Label2")), "0123456789");
    for (game::Notice n : play::Notices)
        add(fontOf(play::control(play::MainControls, "Label4")), play::noticeText(n));
    for (std::string_view line : play::HelpLines)
        add(fontOf(play::control(play::HelpDialog.controls, "Memo1")), line);
    for (const play::Control& c : play::MainControls)
        for (const play::MenuItem& i : c.menu)
            add(play::WindowFont, i.text);
    // The titles shown in the title bars, and the quit box.
    for (std::string_view text : {play::MainTitle, play::AboutBox.title, play::HelpDialog.title, play::QuitTitle,
                                  play::QuitQuestion, play::QuitOk, play::QuitCancel})
        add(play::WindowFont, text);

    std::ostringstream out;
    out << "{\n";
    const char* faceComma = "";
    for (const auto& [face, styles] : faces) {
        const play::StandIn& standIn = *play::standInFor(face);
        out << faceComma << "  " << json(face) << ": {\"name\": " << json(standIn.name)
            << ", \"files\": " << files(standIn.files) << ", \"styles\": {";
        const char* styleComma = "";
        for (const auto& [name, characters] : styles) {
            std::string all;
            for (const std::string& c : characters)
                all += c;
            out << styleComma << json(name) << ": " << json(all);
            styleComma = ", ";
        }
        out << "}}";
        faceComma = ",\n";
    }
    out << "\n}\n";
    return out.str();
}

bool write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (out)
        return true;
    std::cerr << "vesmor-web-facts: cannot write " << path << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: vesmor-web-facts OUTDIR\n";
        return 2;
    }
    const std::string folder = argv[1];
    return write(folder + "/layout.json", layoutJson()) && write(folder + "/fonts.json", fontsJson()) ? 0 : 1;
}
