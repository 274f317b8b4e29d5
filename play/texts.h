// The game's words that belong to no single control: the titles, the
// notices under the view, the help and the quit box. Plain UTF-8, so every
// front end shows the very same characters (half-width katakana and
// full-width letters included) without writing them again.
#pragma once

#include "game/game.h"
#include "play/version.h"

#include <string_view>

namespace play {

// The program's name, and the main window's title.
inline constexpr std::string_view ApplicationTitle = "Vesmor";
inline constexpr std::string_view MainTitle =
    "Vesmor" VESMOR_VERSION " 夜は千の眼を持っている。あなたには一つの眼も残されていない。";

// The words of a notice under the view.
constexpr std::string_view noticeText(game::Notice notice)
{
    switch (notice) {
    case game::Notice::None: break;
    case game::Notice::Sunset: return "日が沈んだ";
    case game::Notice::Dusk: return "ずいぶん暗くなってきた";
    case game::Notice::MoonGone: return "  もう月も見えない";
    case game::Notice::SunGone: return "  もう日は沈んだ";
    case game::Notice::Splash: return "ボチャ";
    }
    return {};
}
// Every notice, in the order of game::Notice.
inline constexpr game::Notice Notices[] = {game::Notice::None,     game::Notice::Sunset,  game::Notice::Dusk,
                                           game::Notice::MoonGone, game::Notice::SunGone, game::Notice::Splash};

// The question asked before the game closes, and its two answers, "OK"
// first.
inline constexpr std::string_view QuitTitle = "確認";
inline constexpr std::string_view QuitQuestion = "VESMORを終了しますか？";
inline constexpr std::string_view QuitOk = "OK";
inline constexpr std::string_view QuitCancel = "ｷｬﾝｾﾙ";

// The help, laid out by hand: the text box never wraps, so every line is
// short enough for it. A paragraph opens with two ideographic spaces, a
// continuation line with one; the title is indented with plain spaces to
// stand near the middle.
inline constexpr std::string_view HelpLines[] = {
    "                                   *** VESMOR***",
    "",
    "　　子供のころ、夕暮れどきに、よく知っているはずの",
    "　路地で帰り道がわからなくなったことはありませんか。",
    "　日が沈むと、闇の迷路がクモの巣のように広がって、",
    "　右も左もわからなくなってしまいます。時間ばかりが",
    "　過ぎてゆき、迷路はますます広がっていくのです。",
    "　　これは、そんな日常の夕暮れの迷路から抜け出す",
    "　ちょっとしたゲームです。",
    "　スタートボタンを押すと、カウントダウンが始まります。",
    "　５分（３００秒）以内に闇の迷路から脱出してください。",
    "　↑ボタンで前に進み、←で左を向き、→で右を向きます。",
    "　歩いた道は地図に描かれます。それを手がかりにして、",
    "　左上（北西）にある出口を見つけてください。",
    "　５分が過ぎると闇のとりことなり、ゲームは終わりです。",
    "　　それではちょっと厳しすぎるので、Redoボタンを",
    "　押すと、捕まった位置からゲームを続けられます。",
    "　　Redoボタンを右クリックすると、時間を３分から",
    "　６分までの間で設定できます。",
    "　　地図には新しく歩いた道しか描かれないので、同じ",
    "　所をぐるぐる回ると、自分の位置がわからなくなります。",
    "　そんなときは？マークを押してください。地図の上に",
    "　現在の位置がピンク色で示されます。",
    "　　ゲームによっては、途中に水路があります。落ちない",
    "　ように気をつけてください。水路に落ちると体力を",
    "　消耗して気がせくので、時間が早く過ぎてしまいます。",
    "　急がば回れ、赤茶色の床で示される橋を探しましょう。",
    "　橋も水路も一ブロック手前まで来ないと見えないので、",
    "　踏み出す前に地図で自分の位置を確かめてください。",
    "　地図には水路がいつも描かれていますが、橋は描かれ",
    "　ていません。",
    "　　ときには、ちょっとした勇気（無謀？）で水路を渡る",
    "　と、出口までの近道になることもあります。",
    "　　どこかの袋小路の奥に、小さなお稲荷さんがあります。",
    "　立ち寄ると、橋のありかを教えてくれるかもしれません。",
    "　　マップは１０種類、スタート地点は７か所で、全部で",
    "　７０通りのゲームがランダムに選ばれます。自分で",
    "　マップを選びたいときは、スタートボタンを右クリック",
    "　して、１０種類の中から好きなものを選んでください。",
    "　このときのスタート地点は、いつも右下（南東）です。",
    "　　ゲームの途中でも、？マークを右クリックすると、",
    "　このヘルプをもう一度見ることができます。",
    "　　闇の物陰から、あなたの幸運を祈っています。",
};

} // namespace play
