// The help page "tkhelp\index.html": how to play, in Japanese.
#include "tools/mkdata/generator.h"

namespace mkdata {
namespace {

const char* const kPage = R"(<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<title>デラゾド ヘルプ</title>
<style>
body { font-family: sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.7; color: #222; }
h1 { border-bottom: 3px solid #35507a; }
h2 { color: #35507a; margin-top: 1.6em; }
table { border-collapse: collapse; }
td, th { border: 1px solid #999; padding: 0.2em 0.6em; }
</style>
</head>
<body>
<h1>デラゾドの遊び方</h1>
<p>デラゾドは、ヘクス（六角形のマス）のマップで戦う現代戦のターン制戦略シミュレーションです。
最大8か国が陸・海・空の部隊を動かし、生産と補給をやりくりしながら勝利条件を目指します。</p>

<h2>ゲームを始める</h2>
<ul>
<li>「ゲーム」メニューの「新規ゲーム」でマップを選ぶと、そのマップの設定でゲームが始まります。</li>
<li>保存したゲームは「再開」で続きから遊べます。「名前を付けて保存」でいつでも保存できます。</li>
<li>初めて起動したときは「通常モード」か「シンプルモード」を選びます。シンプルモードはルールが少なく、
各フェイズの説明も表示されるので、はじめての方に向いています。</li>
</ul>

<h2>ターンとフェイズ</h2>
<p>各国は順番に自分のターンを進めます。1ターンは次のフェイズからなります。</p>
<table>
<tr><th>フェイズ</th><th>内容</th></tr>
<tr><td>開始</td><td>ターンの始まり。チャイムが鳴り、自国の本拠地が表示されます。</td></tr>
<tr><td>ミサイル</td><td>発射済みのミサイルが飛び、目標に着弾します。</td></tr>
<tr><td>収入</td><td>支配している都市や施設から資金が入ります。</td></tr>
<tr><td>補給・補充</td><td>補給線のつながった部隊が燃料・弾薬を補給し、損害を補充・修理します。</td></tr>
<tr><td>行動</td><td>部隊を動かし、攻撃し、占領します。</td></tr>
<tr><td>生産</td><td>資金を使って新しい部隊を生産します。</td></tr>
</table>

<h2>部隊を動かす</h2>
<ol>
<li>自国の部隊をクリックして選びます。左の情報パネルに部隊の状態が表示されます。</li>
<li>コマンドパレットから命令（移動・攻撃・占領など）を選びます。</li>
<li>移動できるヘクスが示されるので、行き先をクリックします。途中の経由地を指定することもできます。</li>
<li>敵の部隊に攻撃すると戦闘になり、結果が戦闘シーンまたは簡易ウィンドウで表示されます。</li>
</ol>
<p>矢印キーでマップをスクロールできます。</p>

<h2>補給と燃料</h2>
<p>部隊は移動や攻撃で燃料と弾薬を使います。首都や補給施設から補給線がつながっていないと補給を受けられません。
補給の切れた部隊は動けなくなるので、前線を伸ばしすぎないよう注意しましょう。</p>

<h2>生産</h2>
<p>生産フェイズでは、都市や工場、港、空港などのヘクスをクリックして部隊を生産します。
生産できる兵器は国の生産タイプによって決まります。資金が足りないと生産できません。</p>

<h2>勝利と敗北</h2>
<p>マップごとに勝利条件が決められています。敵国の首都や重要な拠点を占領して、敵国を降伏させることが勝利への近道です。
自国の首都を守ることも忘れずに。</p>

<h2>環境設定</h2>
<p>「環境設定」では効果音やBGM、音量、戦闘の表示方法、アニメーション、確認ダイアログの表示などを変更できます。
変更は「OK」を押したときに保存され、次回の起動でも使われます。</p>

<h2>ターンを終える</h2>
<p>行動が終わったら「行動フェイズ終了」または「ターン終了」を選びます。コンピュータの国は自動で行動します。
自分のターンをコンピュータに任せることもできます。</p>
</body>
</html>
)";

void writeHelpPages(const std::filesystem::path& programFolder)
{
    writeFile(programFolder / "tkhelp" / "index.html", std::string(kPage));
}

} // namespace

MKDATA_GENERATOR("help_pages", writeHelpPages);

} // namespace mkdata
