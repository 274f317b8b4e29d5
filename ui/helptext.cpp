#include "helptext.h"

namespace ui {

QStringList helpLines()
{
    // A paragraph opens with two ideographic spaces, a continuation line with
    // one; the title is indented with plain spaces to stand near the middle.
    return {
        QStringLiteral("                                   *** VESMOR***"),
        QString(),
        QStringLiteral("　　子供のころ、夕暮れどきに、よく知っているはずの"),
        QStringLiteral("　路地で帰り道がわからなくなったことはありませんか。"),
        QStringLiteral("　日が沈むと、闇の迷路がクモの巣のように広がって、"),
        QStringLiteral("　右も左もわからなくなってしまいます。時間ばかりが"),
        QStringLiteral("　過ぎてゆき、迷路はますます広がっていくのです。"),
        QStringLiteral("　　これは、そんな日常の夕暮れの迷路から抜け出す"),
        QStringLiteral("　ちょっとしたゲームです。"),
        QStringLiteral("　スタートボタンを押すと、カウントダウンが始まります。"),
        QStringLiteral("　５分（３００秒）以内に闇の迷路から脱出してください。"),
        QStringLiteral("　↑ボタンで前に進み、←で左を向き、→で右を向きます。"),
        QStringLiteral("　歩いた道は地図に描かれます。それを手がかりにして、"),
        QStringLiteral("　左上（北西）にある出口を見つけてください。"),
        QStringLiteral("　５分が過ぎると闇のとりことなり、ゲームは終わりです。"),
        QStringLiteral("　　それではちょっと厳しすぎるので、Redoボタンを"),
        QStringLiteral("　押すと、捕まった位置からゲームを続けられます。"),
        QStringLiteral("　　Redoボタンを右クリックすると、時間を３分から"),
        QStringLiteral("　６分までの間で設定できます。"),
        QStringLiteral("　　地図には新しく歩いた道しか描かれないので、同じ"),
        QStringLiteral("　所をぐるぐる回ると、自分の位置がわからなくなります。"),
        QStringLiteral("　そんなときは？マークを押してください。地図の上に"),
        QStringLiteral("　現在の位置がピンク色で示されます。"),
        QStringLiteral("　　ゲームによっては、途中に水路があります。落ちない"),
        QStringLiteral("　ように気をつけてください。水路に落ちると体力を"),
        QStringLiteral("　消耗して気がせくので、時間が早く過ぎてしまいます。"),
        QStringLiteral("　急がば回れ、赤茶色の床で示される橋を探しましょう。"),
        QStringLiteral("　橋も水路も一ブロック手前まで来ないと見えないので、"),
        QStringLiteral("　踏み出す前に地図で自分の位置を確かめてください。"),
        QStringLiteral("　地図には水路がいつも描かれていますが、橋は描かれ"),
        QStringLiteral("　ていません。"),
        QStringLiteral("　　ときには、ちょっとした勇気（無謀？）で水路を渡る"),
        QStringLiteral("　と、出口までの近道になることもあります。"),
        QStringLiteral("　　どこかの袋小路の奥に、小さなお稲荷さんがあります。"),
        QStringLiteral("　立ち寄ると、橋のありかを教えてくれるかもしれません。"),
        QStringLiteral("　　マップは１０種類、スタート地点は７か所で、全部で"),
        QStringLiteral("　７０通りのゲームがランダムに選ばれます。自分で"),
        QStringLiteral("　マップを選びたいときは、スタートボタンを右クリック"),
        QStringLiteral("　して、１０種類の中から好きなものを選んでください。"),
        QStringLiteral("　このときのスタート地点は、いつも右下（南東）です。"),
        QStringLiteral("　　ゲームの途中でも、？マークを右クリックすると、"),
        QStringLiteral("　このヘルプをもう一度見ることができます。"),
        QStringLiteral("　　闇の物陰から、あなたの幸運を祈っています。"),
    };
}

QString helpText()
{
    QString text;
    for (const QString& line : helpLines())
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace ui
