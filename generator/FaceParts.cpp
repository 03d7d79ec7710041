#include "FaceParts.h"

#include <iterator>

namespace {

using Pair = FaceParts::Pair;
using Frame = FaceParts::Frame;
using Arms = FaceParts::Arms;
using MoodStyle = FaceParts::MoodStyle;
using AnimalStyle = FaceParts::AnimalStyle;
using ActionStyle = FaceParts::ActionStyle;
using ThingStyle = FaceParts::ThingStyle;
using Mood = PromptMeaning::Mood;
using Animal = PromptMeaning::Animal;
using Action = PromptMeaning::Action;
using Thing = PromptMeaning::Thing;

using Texts = const char *const[];

constexpr Pair none { "", "" };
constexpr Arms noArms { "", "", "", "" };

// ---- Moods ----------------------------------------------------------------------------------

constexpr Pair neutralEyes[] = { { "•", "•" }, { "･", "･" }, { "◕", "◕" }, { "^", "^" },
    { "ᵔ", "ᵔ" }, { "´", "`" }, { "・", "・" }, { "ᵕ", "ᵕ" } };
constexpr Texts neutralMouths = { "‿", "ω", "▽", "ᴗ", "◡", "∀", "ᵕ", "ｰ" };
constexpr Pair neutralCheeks[] = { none, none, none, { "｡", "｡" }, { "✿", "" }, { "*", "*" },
    { "", "✿" } };
constexpr Arms neutralArms[] = { noArms, noArms, noArms, { "", "", "", "ﾉ" },
    { "ヽ", "", "", "ノ" }, { "", "", "", "ノ" } };
constexpr Pair neutralDecorations[] = { { "", " ✧" }, { "", " ♪" }, { "", "☆" }, { "✿", "" },
    { "", "~" } };

constexpr Pair happyEyes[] = { { "^", "^" }, { "◕", "◕" }, { "ᵔ", "ᵔ" }, { "•", "•" }, { "◠", "◠" },
    { "´", "`" }, { "＾", "＾" }, { "⌒", "⌒" }, { "˘", "˘" }, { "･", "･" } };
constexpr Texts happyMouths = { "▽", "‿", "◡", "ᴗ", "∀", "ヮ", "ω", "▿", "ᗜ" };
constexpr Pair happyCheeks[] = { none, none, { "｡", "｡" }, { "*", "*" }, { "๑", "๑" }, { "✿", "" },
    { "", "✿" }, { "o", "o" } };
constexpr Arms happyArms[] = { noArms, noArms, { "ヽ", "", "", "ノ" }, { "＼", "", "", "／" },
    { "٩", "", "", "۶" }, { "", "ﾉ", "", "ﾉ" }, { "o", "", "", "o" }, { "⌒", "", "", "ノ" } };
constexpr Pair happyDecorations[] = { { "", " ✧" }, { "", " ♪" }, { "☆", "" }, { "", "☆" },
    { "", "*:･ﾟ✧" }, { "✧", "" }, { "", " ♫" } };

constexpr Pair excitedEyes[] = { { "≧", "≦" }, { ">", "<" }, { "☆", "☆" }, { "✧", "✧" },
    { "★", "★" }, { "°", "°" }, { "◕", "◕" }, { "ﾟ", "ﾟ" } };
constexpr Texts excitedMouths = { "▽", "∀", "ヮ", "ω", "◇", "ᗜ", "o", "▿" };
constexpr Pair excitedCheeks[] = { none, none, { "*", "*" }, { "๑", "๑" }, { "ﾉ", "" } };
constexpr Arms excitedArms[] = { { "ヽ", "", "", "ノ" }, { "＼", "", "", "／" },
    { "٩", "", "", "۶" }, { "", "ﾉ", "", "ﾉ" }, { "ヾ", "", "", "ノ" }, noArms };
constexpr Pair excitedDecorations[] = { { "", "*:･ﾟ✧" }, { "☆*:.｡.", ".｡.:*☆" }, { "✧", "" },
    { "", "!!" }, { "", " ☆" }, { "⁽⁽", "⁾⁾" }, { "", "✧*。" } };

constexpr Pair loveEyes[] = { { "♡", "♡" }, { "♥", "♥" }, { "˘", "˘" }, { "◕", "◕" }, { "´", "`" },
    { "ˊ", "ˋ" }, { "•", "•" }, { "ღ", "ღ" } };
constexpr Texts loveMouths = { "‿", "³", "з", "ε", "ω", "◡", "ᴗ", "∀" };
constexpr Pair loveCheeks[] = { none, none, { "｡", "｡" }, { "*", "*" }, { "ღ", "" }, { "⁄", "⁄" } };
constexpr Arms loveArms[] = { noArms, noArms, { "", "づ", "", "づ" }, { "", "っ", "", "っ" },
    { "", "つ", "", "つ" }, { "ヽ", "", "", "ノ" } };
constexpr Pair loveDecorations[] = { { "", "♡" }, { "♡", "" }, { "", " ❤" }, { "", " ♥" },
    { "", "～♡" }, { "♡", "♡" }, { "", "ღ" }, { "", " 💕" } };

constexpr Pair shyEyes[] = { { ">", "<" }, { "•", "•" }, { "◡", "◡" }, { "^", "^" }, { "/", "＼" },
    { "ﾉ", "ﾉ" }, { "⁄•", "•⁄" } };
constexpr Texts shyMouths = { "ω", "▽", "◡", "﹏", "_", "ᴗ", "ε" };
constexpr Pair shyCheeks[] = { { "⁄⁄", "⁄⁄" }, { "*", "*" }, { "//", "//" }, { "〃", "〃" },
    { "///", "///" }, { "⁄", "⁄" } };
constexpr Arms shyArms[] = { noArms, noArms, noArms, { "", "", "", "ゞ" } };
constexpr Pair shyDecorations[] = { { "", " ♡" }, { "", "｡o○" }, { "", " 💦" } };

constexpr Pair sadEyes[] = { { "╥", "╥" }, { "；", "；" }, { "T", "T" }, { "´•", "•`" },
    { "｡•́", "•̀｡" }, { "ಥ", "ಥ" }, { "︶", "︶" }, { "´；", "；`" }, { "ᗒ", "ᗕ" } };
constexpr Texts sadMouths = { "﹏", "︿", "_", "⌓", "ω", "︵", "д", "^" };
constexpr Pair sadCheeks[] = { none, none, { "｡", "｡" } };
constexpr Arms sadArms[] = { noArms, noArms, noArms, { "", "っ", "", "っ" } };
constexpr Pair sadDecorations[] = { { "", "…" }, { "", " ｡ﾟ" }, { "｡゜", "゜｡" }, { "", " ..." } };

constexpr Pair cryingEyes[] = { { "╥", "╥" }, { "T", "T" }, { "ಥ", "ಥ" }, { "；", "；" },
    { "ᗒ", "ᗕ" }, { "இ", "இ" }, { "´；", "；`" } };
constexpr Texts cryingMouths = { "﹏", "Д", "□", "ω", "益", "_", "д", "o" };
constexpr Pair cryingCheeks[] = { none, none, { "｡", "｡" } };
constexpr Arms cryingArms[] = { noArms, noArms, { "ヽ", "", "", "ﾉ" }, { "", "ノ", "", "" } };
constexpr Pair cryingDecorations[] = { { "｡゜", "゜｡" }, { "", " ｡ﾟ" }, { "ﾟ｡", "｡ﾟ" },
    { "", " 💧" }, { "｡･ﾟﾟ･", "･ﾟﾟ･｡" } };

constexpr Pair angryEyes[] = { { "ಠ", "ಠ" }, { "`", "´" }, { "｀", "´" }, { "▼", "▼" },
    { "Ò", "Ó" }, { "ò", "ó" }, { "⇀", "↼" }, { "◣", "◢" } };
constexpr Texts angryMouths = { "益", "皿", "Д", "‸", "︿", "ロ", "д", "_" };
constexpr Pair angryCheeks[] = { none, { "╬", "" }, { "#", "" }, { "", "╬" }, { "＃", "" },
    { "", "メ" } };
constexpr Arms angryArms[] = { noArms, noArms, { "", "ノ", "", "ノ" }, { "ヽ", "", "", "ノ" },
    { "ᕙ", "", "", "ᕗ" }, { "ψ", "", "", "ψ" } };
constexpr Pair angryDecorations[] = { { "", " 💢" }, { "💢", "" }, { "", "!!" }, { "", " ﾑｶｯ" } };

constexpr Pair annoyedEyes[] = { { "￣", "￣" }, { "¬", "¬" }, { "→", "→" }, { "≖", "≖" },
    { "ー", "ー" }, { "-", "-" }, { "￢", "￢" }, { "눈", "눈" } };
constexpr Texts annoyedMouths = { "︿", "ヘ", "_", "^", "д", "､", "ー", "." };
constexpr Pair annoyedCheeks[] = { none, none, { "＃", "" }, { "｡", "｡" }, { "；", "" } };
constexpr Arms annoyedArms[] = { noArms, noArms, noArms, { "┐", "", "", "┌" } };
constexpr Pair annoyedDecorations[] = { { "", "…" }, { "", "ゞ" }, { "", " ﾊｧ" } };

constexpr Pair surprisedEyes[] = { { "⊙", "⊙" }, { "°", "°" }, { "O", "O" }, { "◎", "◎" },
    { "ﾟ", "ﾟ" }, { "o", "O" }, { "●", "●" }, { "◉", "◉" }, { "ʘ", "ʘ" } };
constexpr Texts surprisedMouths = { "□", "Д", "ロ", "o", "○", "ω", "◇", "△" };
constexpr Pair surprisedCheeks[] = { none, none, { "", ";" }, { "；", "" } };
constexpr Arms surprisedArms[] = { noArms, noArms, { "ヽ", "", "", "ﾉ" }, { "", "", "", "ノ" } };
constexpr Pair surprisedDecorations[] = { { "Σ", "" }, { "", "!!" }, { "", "！" }, { "", "!?" },
    { "Σ", "!" }, { "", " ‼" } };

constexpr Pair scaredEyes[] = { { "°", "°" }, { "ﾟ", "ﾟ" }, { "꒪", "꒪" }, { "⊙", "⊙" },
    { "◎", "◎" }, { "Ο", "Ο" } };
constexpr Texts scaredMouths = { "Д", "□", "﹏", "ロ", "д", "Δ" };
constexpr Pair scaredCheeks[] = { none, { "；", "" }, { ";;", "" }, { "", "；；" } };
constexpr Arms scaredArms[] = { noArms, noArms, { "ヽ", "", "", "ﾉ" } };
constexpr Pair scaredDecorations[] = { { "((( ", " )))" }, { "", " ｶﾞｸﾌﾞﾙ" }, { "", "!!" },
    { "", " 💦" } };

constexpr Pair confusedEyes[] = { { "・", "・" }, { "⊙", "◎" }, { "ŏ", "ŏ" }, { "＠", "＠" },
    { "◉", "◉" }, { "´･", "･`" }, { "ー", "ー" }, { "☉", "☉" }, { "¯", "¯" } };
constexpr Texts confusedMouths = { "_", "︿", "⌓", "～", "ω", "⍨", "ー", "．" };
constexpr Pair confusedCheeks[] = { none, none, { "", ";" }, { "｡", "｡" } };
constexpr Arms confusedArms[] = { noArms, noArms, { "┐", "", "", "┌" }, { "", "", "ヾ", "" },
    { "", "", "", "ゞ" } };
constexpr Pair confusedDecorations[] = { { "", "?" }, { "", "？" }, { "", "??" }, { "", "?!" },
    { "", " ？？" } };

constexpr Pair doubtfulEyes[] = { { "¬", "¬" }, { "≖", "≖" }, { "→", "→" }, { "￢", "￢" },
    { "<", "<" }, { ">", ">" }, { "눈", "눈" } };
constexpr Texts doubtfulMouths = { "_", "‿", "ー", "､", ".", "~" };
constexpr Pair doubtfulCheeks[] = { none, none, { "", ";" } };
constexpr Arms doubtfulArms[] = { noArms };
constexpr Pair doubtfulDecorations[] = { { "", "…" }, { "", " ?" }, { "", "..." } };

constexpr Pair sleepyEyes[] = { { "-", "-" }, { "ᴗ", "ᴗ" }, { "˘", "˘" }, { "∪", "∪" },
    { "＿", "＿" }, { "ᵕ", "ᵕ" }, { "ꈍ", "ꈍ" }, { "︶", "︶" }, { "－", "－" }, { "_", "_" } };
constexpr Texts sleepyMouths = { "ω", "｡", ".", "ᴗ", "o", "ε", "_", "⌓" };
constexpr Pair sleepyCheeks[] = { none, none, { "｡", "｡" }, { "⁎", "⁎" }, { "´", "`" } };
constexpr Arms sleepyArms[] = { noArms };
constexpr Pair sleepyDecorations[] = { { "", " zzZ" }, { "", "zzZ" }, { "", "…zzzZZ" },
    { "", "｡｡zzz" }, { "", " Zzz" }, { "", " z z Z" }, { "", " 💤zZ" }, { "", ".｡oO zZ" } };

constexpr Pair painEyes[] = { { ">", "<" }, { "×", "×" }, { "⋟", "⋞" }, { "≧", "≦" }, { "☼", "☼" },
    { "x", "x" }, { "@", "@" } };
constexpr Texts painMouths = { "﹏", "_", "□", "Д", "益", "ロ" };
constexpr Pair painCheeks[] = { none, none, { "；", "" } };
constexpr Arms painArms[] = { noArms, noArms, { "~", "", "", "~" } };
constexpr Pair painDecorations[] = { { "", "!" }, { "", " ｲﾀｲ" }, { "", " 💥" } };

constexpr Pair indifferentEyes[] = { { "￣", "￣" }, { "・", "・" }, { "´･", "･`" }, { "-", "-" },
    { "ー", "ー" }, { "˙", "˙" }, { "•", "•" } };
constexpr Texts indifferentMouths = { "ー", "_", "ω", "▽", "ヮ", "‿", "-" };
constexpr Pair indifferentCheeks[] = { none };
constexpr Arms indifferentArms[] = { noArms, noArms, { "┐", "", "", "┌" },
    { "¯\\_", "", "", "_/¯" }, { "╮", "", "", "╭" } };
constexpr Pair indifferentDecorations[] = { { "", "…" }, { "", " ~" } };

constexpr Pair smugEyes[] = { { "¬", "¬" }, { "￣", "￣" }, { "≖", "≖" }, { "ˇ", "ˇ" },
    { "◔", "◔" }, { "´･", "･`" } };
constexpr Texts smugMouths = { "‿", "ー", "∀", "ω", "▽", "ᴗ", "ε" };
constexpr Pair smugCheeks[] = { none, none, { "*", "" }, { "", "*" } };
constexpr Arms smugArms[] = { noArms, noArms, { "", "", "", "σ" }, { "", "", "", "ﾉ" } };
constexpr Pair smugDecorations[] = { { "", " ♪" }, { "", "✧" }, { "", " ﾆﾔﾘ" } };

constexpr Pair coolEyes[] = { { "⌐■", "■" }, { "▀", "▀" }, { "■", "■" }, { "⌐◨", "◨" } };
constexpr Texts coolMouths = { "_", "‿", "ー", "ᴗ", "ω", "∀" };
constexpr Pair coolCheeks[] = { none };
constexpr Arms coolArms[] = { noArms, { "ヾ", "", "", "ノ" }, { "d", "", "", "b" },
    { "", "", "", "b" } };
constexpr Pair coolDecorations[] = { { "", " ✧" }, { "", "♪" }, { "", " ☆" } };

constexpr Pair determinedEyes[] = { { "ò", "ó" }, { "•̀", "•́" }, { "`", "´" }, { "ᗒ", "ᗕ" },
    { "￣", "￣" }, { "⇀", "↼" } };
constexpr Texts determinedMouths = { "_", "‸", "ω", "ᴗ", "▽", "皿", "へ" };
constexpr Pair determinedCheeks[] = { none, none, { "", "ˇ" } };
constexpr Arms determinedArms[] = { { "", "ง", "", "ง" }, { "ᕦ", "", "", "ᕤ" },
    { "ᕙ", "", "", "ᕗ" }, { "٩", "", "", "۶" }, noArms };
constexpr Pair determinedDecorations[] = { { "", "✧" }, { "", "!" }, { "", " 🔥" } };

constexpr Pair playfulEyes[] = { { "^", "~" }, { "•", "-" }, { "^", "-" }, { "･", "<" },
    { "~", "^" }, { "-", "^" }, { "◕", "-" }, { "･", "ゝ" } };
constexpr Texts playfulMouths = { "‿", "ω", "▽", "ᴗ", "_", "∀", "ڡ", "з" };
constexpr Pair playfulCheeks[] = { none, none, { "｡", "｡" }, { "๑", "๑" } };
constexpr Arms playfulArms[] = { noArms, noArms, { "", "", "", "ﾉ" }, { "", "", "", "ゞ" },
    { "", "", "", "b" } };
constexpr Pair playfulDecorations[] = { { "", "☆" }, { "", "-☆" }, { "", "✧" }, { "", "≡☆" },
    { "", "〜☆" } };

constexpr Pair calmEyes[] = { { "˘", "˘" }, { "ᵕ", "ᵕ" }, { "◡", "◡" }, { "´", "`" }, { "-", "-" },
    { "ᴗ", "ᴗ" }, { "︶", "︶" }, { "￣", "￣" } };
constexpr Texts calmMouths = { "‿", "ᴗ", "ω", "ー", "▽", "◡", "ᵕ", "_" };
constexpr Pair calmCheeks[] = { none, none, { "*", "*" }, { "｡", "｡" } };
constexpr Arms calmArms[] = { noArms, noArms, noArms, { "", "", "", "ノ" } };
constexpr Pair calmDecorations[] = { { "", " ~" }, { "", " ♪" }, { "", "～" }, { "✿", "" } };

constexpr Pair cuteEyes[] = { { "•", "•" }, { "･", "･" }, { "◕", "◕" }, { "ᵔ", "ᵔ" }, { "❛", "❛" },
    { "｡•", "•｡" }, { "ꈍ", "ꈍ" } };
constexpr Texts cuteMouths = { "ω", "ᴗ", "ㅅ", "‿", "◡", "ᵕ", "ㅂ" };
constexpr Pair cuteCheeks[] = { { "๑", "๑" }, { "｡", "｡" }, { "✿", "" }, { "", "❀" }, { "⁎", "⁎" },
    none };
constexpr Arms cuteArms[] = { noArms, noArms, { "", "っ", "", "っ" }, { "", "ฅ", "ฅ", "" } };
constexpr Pair cuteDecorations[] = { { "", " ✿" }, { "", " ♡" }, { "✧", "" }, { "", "❀" } };

constexpr MoodStyle moodStyles[] = {
    // Order follows PromptMeaning::Mood.
    { neutralEyes, neutralMouths, neutralCheeks, neutralArms, neutralDecorations, 40 },
    { happyEyes, happyMouths, happyCheeks, happyArms, happyDecorations, 55 },
    { excitedEyes, excitedMouths, excitedCheeks, excitedArms, excitedDecorations, 75 },
    { loveEyes, loveMouths, loveCheeks, loveArms, loveDecorations, 100 },
    { shyEyes, shyMouths, shyCheeks, shyArms, shyDecorations, 35 },
    { sadEyes, sadMouths, sadCheeks, sadArms, sadDecorations, 35 },
    { cryingEyes, cryingMouths, cryingCheeks, cryingArms, cryingDecorations, 60 },
    { angryEyes, angryMouths, angryCheeks, angryArms, angryDecorations, 35 },
    { annoyedEyes, annoyedMouths, annoyedCheeks, annoyedArms, annoyedDecorations, 30 },
    { surprisedEyes, surprisedMouths, surprisedCheeks, surprisedArms, surprisedDecorations, 70 },
    { scaredEyes, scaredMouths, scaredCheeks, scaredArms, scaredDecorations, 55 },
    { confusedEyes, confusedMouths, confusedCheeks, confusedArms, confusedDecorations, 70 },
    { doubtfulEyes, doubtfulMouths, doubtfulCheeks, doubtfulArms, doubtfulDecorations, 30 },
    { sleepyEyes, sleepyMouths, sleepyCheeks, sleepyArms, sleepyDecorations, 100 },
    { painEyes, painMouths, painCheeks, painArms, painDecorations, 40 },
    { indifferentEyes, indifferentMouths, indifferentCheeks, indifferentArms,
        indifferentDecorations, 20 },
    { smugEyes, smugMouths, smugCheeks, smugArms, smugDecorations, 30 },
    { coolEyes, coolMouths, coolCheeks, coolArms, coolDecorations, 50 },
    { determinedEyes, determinedMouths, determinedCheeks, determinedArms, determinedDecorations,
        40 },
    { playfulEyes, playfulMouths, playfulCheeks, playfulArms, playfulDecorations, 70 },
    { calmEyes, calmMouths, calmCheeks, calmArms, calmDecorations, 40 },
    { cuteEyes, cuteMouths, cuteCheeks, cuteArms, cuteDecorations, 50 },
};
static_assert(std::size(moodStyles) == size_t(Mood::Cute) + 1);

// ---- Animals --------------------------------------------------------------------------------

constexpr Frame catFrames[] = { { "(=", "=)", true }, { "(=^", "^=)", true }, { "ฅ(", ")ฅ", false },
    { "ฅ^", "^ฅ", false }, { "(^", "^)", true }, { "ଲ(", ")ଲ", false } };
constexpr Texts catMouths = { "ω", "ﻌ", "ェ", "ㅅ", "ｪ" };
constexpr Pair catEyes[] = { { "･", "･" }, { "•", "•" }, { "・", "・" }, { "◕", "◕" },
    { "ⓛ", "ⓛ" } };
constexpr Arms catPaws[] = { { "ฅ", "", "", "ฅ" }, { "", "", "", "ฅ" } };

constexpr Frame bearFrames[] = { { "ʕ", "ʔ", true }, { "ʕ", "ʔ", true }, { "ʕ ", " ʔ", true } };
constexpr Texts bearMouths = { "ᴥ", "ᴥ", "ᴥ", "ﻌ", "ω", "ᴗ" };
constexpr Pair bearEyes[] = { { "•", "•" }, { "ᵔ", "ᵔ" }, { "◕", "◕" }, { "·", "·" },
    { "￫", "￩" } };
constexpr Arms bearPaws[] = { { "", "っ", "", "っ" }, { "", "ノ", "", "ノ" } };

constexpr Frame dogFrames[] = { { "U", "U", false }, { "∪", "∪", false }, { "▼", "▼", true },
    { "(", "ʋ)", true }, { "◖", "◗", true }, { "૮", "ა", true } };
constexpr Texts dogMouths = { "ᴥ", "ᴥ", "ω", "ﻌ" };
constexpr Pair dogEyes[] = { { "・", "・" }, { "•", "•" }, { "◕", "◕" }, { "⚆", "⚆" },
    { "ᵔ", "ᵔ" } };
constexpr Arms dogPaws[] = { { "", "", "", "ﾉ" }, { "", "", "", "ฅ" } };

constexpr Frame rabbitFrames[] = { { "／(", ")＼", true }, { "(", ")", true },
    { "⁽⁽ଘ(", ")ଓ⁾⁾", false }, { "/(", ")\\", true }, { "(\\_/)(", ")", false } };
constexpr Texts rabbitMouths = { "ㅅ", "×", "ᆺ", "ω", "x" };
constexpr Pair rabbitEyes[] = { { "•", "•" }, { "・", "・" }, { "ˊ", "ˋ" }, { "･", "･" },
    { "^", "^" } };
constexpr Arms rabbitPaws[] = { { "", "", "", "ﾉ" }, { "", "っ", "", "っ" } };

constexpr Frame pigFrames[] = { { "(", ")", true }, { "( ", " )", true }, { "(´", "`)", true } };
constexpr Texts pigMouths = { "(oo)", "(00)", "(∞)", "(OO)", "(●●)" };
constexpr Pair pigEyes[] = { { "・", "・" }, { "￣", "￣" }, { "◕", "◕" }, { "•", "•" },
    { "´", "ˋ" } };
constexpr Arms pigPaws[] = { { "ヾ", "", "", "ﾉ" }, { "╰", "", "", "╯" } };

constexpr Frame birdFrames[] = { { "(", ")", true }, { "（", "）", true },
    { "ヾ(", ")ノ〃", false } };
constexpr Texts birdMouths = { "∋", "⊝", "θ", "Θ", "◇", "ε" };
constexpr Pair birdEyes[] = { { "•", "•" }, { "・", "・" }, { "◉", "◉" }, { "ﾟ", "ﾟ" },
    { "ʘ", "ʘ" } };
constexpr Arms birdPaws[] = { { "ヾ", "", "", "ノ〃" }, { "", "", "", "ﾉ" } };

constexpr Frame spiderFrames[] = { { "/╲/\\╭(", ")╮/\\╱\\", false }, { "/\\(", ")/\\", false },
    { "╱╲(", ")╱╲", false }, { "/╲/\\(", ")/\\╱\\", false } };
constexpr Pair spiderEyes[] = { { "•", "•" }, { "◕", "◕" }, { "°", "°" }, { "ఠ", "ఠ" } };

// Fish are drawn by the composer from FaceParts::fish(); their entry here is not used.
constexpr Frame fishFrames[] = { { "<", "><", false } };

constexpr AnimalStyle animalStyles[] = {
    // Order follows PromptMeaning::Animal.
    { catFrames, catMouths, catEyes, catPaws, false, 0 },
    { bearFrames, bearMouths, bearEyes, bearPaws, true, 0 },
    { dogFrames, dogMouths, dogEyes, dogPaws, false, 0 },
    { rabbitFrames, rabbitMouths, rabbitEyes, rabbitPaws, true, 0 },
    { pigFrames, pigMouths, pigEyes, pigPaws, true, 0 },
    { birdFrames, birdMouths, birdEyes, birdPaws, true, 0 },
    { fishFrames, {}, {}, {}, false, 0 },
    { spiderFrames, {}, spiderEyes, {}, false, 50 },
};
static_assert(std::size(animalStyles) == size_t(Animal::Spider) + 1);

constexpr Texts fishHeads = { "<", ">", "ζ", "<" };
constexpr Texts fishScales = { ")" };
constexpr Texts fishTails = { "><", "彡", "<<", "><<", "ミ" };
constexpr Pair fishWater[] = { none, none, { "～", "" }, { "", " ｡o○" }, { "", " ﾟ｡" },
    { "≈", "≈" } };
constexpr FaceParts::FishStyle fishStyle { fishHeads, fishScales, fishTails, fishWater };

// ---- Actions --------------------------------------------------------------------------------

constexpr Arms runningArms[] = { { "┌", "", "", "┘" }, { "┏", "", "", "┛" }, { "", "ノ", "", "ノ" },
    { "", "っ", "", "っ" } };
constexpr Pair runningDecorations[] = { { "ε=ε=", "" }, { "ε=ε=ε=", "" }, { "─=≡Σ((", "))" },
    { "≡≡≡", "" }, { "", "=3=3" }, { "ε===", "" } };

constexpr Arms writingArms[] = { { "φ", "", "", "" }, { "", "", "", "φ__" }, { "✍", "", "", "" },
    { "_φ", "", "", "" }, { "", "", "", "✎" } };

constexpr Arms hidingArms[] = { noArms, { "", "", "", "ﾉ" } };
constexpr Pair hidingDecorations[] = { { "|", "" }, { "┬┴┬┴┤", "" }, { "┻┳|", "" }, { "|", "`" } };

constexpr Arms wavingArms[] = { { "", "", "", "ﾉ" }, { "", "", "", "ノ" }, { "ヾ", "", "", "ﾉ" },
    { "", "", "", "/" }, { "", "", "", "ﾉ~" }, { "", "", "", "ノ゛" } };
constexpr Pair wavingDecorations[] = { { "", "~" }, { "", " ♪" }, { "", " Hi!" }, { "", "〜" } };

constexpr Arms huggingArms[] = { { "", "つ", "", "つ" }, { "⊂", "", "⊂", "" },
    { "", "づ", "", "づ" }, { "", "っ", "", "っ" }, { "⊂", "", "", "⊃" } };
constexpr Pair huggingDecorations[] = { { "", " ♡" }, { "", "～" } };

constexpr Arms dancingArms[] = { { "┌", "", "", "┘" }, { "┗", "", "", "┓" }, { "ヘ", "", "ヘ", "" },
    { "", "〜", "", "〜" }, { "♪┏", "", "", "┛♪" }, { "└", "", "", "┐" } };
constexpr Pair dancingDecorations[] = { { "", " ♪" }, { "♪", "♪" }, { "", "♬" } };

constexpr Arms singingArms[] = { noArms, { "ヾ", "", "", "ノ" }, { "", "", "", "ﾉ" },
    { "", "", "", "/" } };
constexpr Pair singingDecorations[] = { { "", " ♪" }, { "", "♫♪" }, { "♪", "♪" }, { "", " ♬♪♫" },
    { "♬", "" } };
constexpr Texts singingMouths = { "o", "〇", "∀", "▽", "3", "O" };

constexpr Arms tableFlipArms[] = { { "", "╯", "", "╯︵ ┻━┻" }, { "", "ノ", "", "ノ彡┻━┻" },
    { "", "ﾉ", "", "ﾉ ﾐ ┸━┸" }, { "", "╯", "", "╯︵ ┻━━┻" } };
constexpr Arms tableFlipIntenseArms[] = { { "┻━┻ ︵ヽ", "", "", "ﾉ︵ ┻━┻" },
    { "┻━┻ ︵", "╯", "", "╯︵ ┻━┻" } };

constexpr Arms tableUnflipArms[] = { { "┬─┬ノ", "", "ノ", "" }, { "┬──┬◡ﾉ", "", "ﾉ", "" },
    { "┬─┬ ", "", "", "" } };

constexpr Arms magicArms[] = { { "", "∩", "", "⊃━☆ﾟ.*･｡ﾟ" }, { "╰", "", "", "つ──☆*:・ﾟ" },
    { "", "ﾉ", "", "ﾉ*:･ﾟ✧" }, { "", "", "", "⊃━✿✿✿" }, { "", "", "", "━☆ﾟ.*" } };

constexpr Arms eatingArms[] = { { "", "", "", "っ" }, { "", "っ", "", "っ" }, noArms,
    { "", "", "", "つ" } };
constexpr Texts eatingMouths = { "ڡ", "﹃", "ڡ", "~", "ε", "ω" };

constexpr Arms kissingArms[] = { noArms, { "", "づ", "", "づ" }, { "", "", "", "ノ" } };
constexpr Pair kissingDecorations[] = { { "", "♡" }, { "", " chu♡" }, { "", "～♡" }, { "", " ❤" },
    { "", "~♥" } };
constexpr Texts kissingMouths = { "³", "з", "ε", "3" };

constexpr Arms fightingArms[] = { { "", "ง", "", "ง" }, { "ᕦ", "", "", "ᕤ" }, { "ᕙ", "", "", "ᕗ" },
    { "", "", "", "o彡゜" }, { "", "", "", "ﾉ三三⊃" } };
constexpr Pair fightingDecorations[] = { { "", " 💥" }, { "", "!!" } };

constexpr Arms cheeringArms[] = { { "＼", "", "", "／" }, { "٩", "", "", "۶" },
    { "ヽ", "", "", "ノ" }, { "", "ﾉ", "", "ﾉ" } };
constexpr Pair cheeringDecorations[] = { { "☆*:.｡.", ".｡.:*☆" }, { "", "*:･ﾟ✧" }, { "", " 🎉" },
    { "", "♪" }, { "✧", "✧" } };

constexpr Arms thinkingArms[] = { noArms, { "σ", "", "", "" }, { "", "", "", "ゞ" },
    { "", "", "", "ヾ" } };
constexpr Pair thinkingDecorations[] = { { "", "…" }, { "", " ?" }, { "", " ｡o○" }, { "", " 💭" } };
constexpr Pair thinkingEyes[] = { { "・", "・" }, { "￣", "￣" }, { "¬", "¬" }, { "-", "-" },
    { "◔", "◔" } };

constexpr Arms shruggingArms[] = { { "¯\\_", "", "", "_/¯" }, { "┐", "", "", "┌" },
    { "╮", "", "", "╭" }, { "ヽ", "", "", "ノ" } };

constexpr Arms bowingArms[] = { { "m", "", "", "m" }, { "<", "", "", ">" }, { "", "シ", "", "シ" },
    { "人", "", "", "" }, { "", "", "", "人" } };
constexpr Pair bowingEyes[] = { { "_", "_" }, { ".", "." }, { "＿", "＿" } };
constexpr Texts bowingMouths = { " ", "  ", "．" };

constexpr Arms jumpingArms[] = { { "⁽⁽ଘ", "", "", "ଓ⁾⁾" }, { "＼", "", "", "／" },
    { "ヽ", "", "", "ノ" }, { "٩", "", "", "۶" } };
constexpr Pair jumpingDecorations[] = { { "", " ⁾⁾" }, { "₍₍", "₎₎" }, { "", "ﾋﾟｮﾝ" } };

constexpr Arms flyingArms[] = { { "ヾ", "", "", "ノ〃" }, { "~", "", "", "~" },
    { "ε", "", "", "з" }, { "⊂", "", "", "⊃" } };
constexpr Pair flyingDecorations[] = { { "", " ≡3" }, { "", "～" }, { "", " ☁" } };

constexpr Arms swimmingArms[] = { noArms, { "", "", "", "ﾉ" }, { "", "つ", "", "つ" } };
constexpr Pair swimmingDecorations[] = { { "～", "～" }, { "≈", "≈" }, { "", " ｡o○" },
    { "", "~~~" } };

constexpr Arms walkingArms[] = { { "ᕕ", "", "", "ᕗ" }, { "", "", "", "ﾉ" }, { "└", "", "", "┐" },
    { "ヘ", "", "ヘ", "" } };
constexpr Pair walkingDecorations[] = { { "", " ♪" }, { "", "～" }, { "", " ｽﾀｽﾀ" } };

constexpr Arms pointingArms[] = { { "", "", "", "☞" }, { "☜", "", "", "" }, { "", "", "", "σ" },
    { "", "", "", "👉" } };

constexpr Arms salutingArms[] = { { "", "", "", "ゞ" }, { "", "", "", "7" }, { "", "", "", "ゝ" } };
constexpr Pair salutingEyes[] = { { "￣", "￣" }, { "`", "´" }, { "•̀", "•́" } };

constexpr Arms gamingArms[] = { { "", "", "", "っ🎮" }, { "", "", "", "つ🎮" }, { "🎮", "", "", "" } };
constexpr Pair gamingDecorations[] = { { "", " ✧" }, { "", " GG" }, { "", " ☆" } };

constexpr ActionStyle actionStyles[] = {
    // Order follows PromptMeaning::Action.
    { runningArms, {}, runningDecorations, 90, {}, {}, Mood::Excited },
    { writingArms, {}, {}, 0, {}, {}, Mood::Calm },
    { hidingArms, {}, hidingDecorations, 100, {}, {}, Mood::Shy },
    { wavingArms, {}, wavingDecorations, 40, {}, {}, Mood::Happy },
    { huggingArms, {}, huggingDecorations, 40, {}, {}, Mood::Love },
    { dancingArms, {}, dancingDecorations, 70, {}, {}, Mood::Happy },
    { singingArms, {}, singingDecorations, 100, singingMouths, {}, Mood::Happy },
    { tableFlipArms, tableFlipIntenseArms, {}, 0, {}, {}, Mood::Angry },
    { tableUnflipArms, {}, {}, 0, {}, {}, Mood::Calm },
    { magicArms, {}, {}, 0, {}, {}, Mood::Excited },
    { eatingArms, {}, {}, 0, eatingMouths, {}, Mood::Happy },
    { kissingArms, {}, kissingDecorations, 100, kissingMouths, {}, Mood::Love },
    { fightingArms, {}, fightingDecorations, 40, {}, {}, Mood::Determined },
    { cheeringArms, {}, cheeringDecorations, 80, {}, {}, Mood::Excited },
    { thinkingArms, {}, thinkingDecorations, 80, {}, thinkingEyes, Mood::Calm },
    { shruggingArms, {}, {}, 0, {}, {}, Mood::Indifferent },
    { bowingArms, {}, {}, 0, bowingMouths, bowingEyes, Mood::Shy },
    { jumpingArms, {}, jumpingDecorations, 50, {}, {}, Mood::Excited },
    { flyingArms, {}, flyingDecorations, 60, {}, {}, Mood::Happy },
    { swimmingArms, {}, swimmingDecorations, 100, {}, {}, Mood::Happy },
    { walkingArms, {}, walkingDecorations, 50, {}, {}, Mood::Happy },
    { pointingArms, {}, {}, 0, {}, {}, Mood::Smug },
    { salutingArms, {}, {}, 0, {}, salutingEyes, Mood::Determined },
    { gamingArms, {}, gamingDecorations, 40, {}, {}, Mood::Excited },
};
static_assert(std::size(actionStyles) == size_t(Action::Gaming) + 1);

// ---- Things ---------------------------------------------------------------------------------

constexpr Texts musicGlyphs = { "♪", "♫", "♬", "♪♫", "♬♪♫", "♪~" };
constexpr Texts foodGlyphs = { "🍙", "🍔", "🍕", "🍰", "🍜", "🍣", "🍩", "🍪", "🍡", "🌭" };
constexpr Texts burgerGlyphs = { "🍔", "🍟" };
constexpr Texts pizzaGlyphs = { "🍕" };
constexpr Texts cakeGlyphs = { "🍰", "🎂", "🧁" };
constexpr Texts sushiGlyphs = { "🍣" };
constexpr Texts noodlesGlyphs = { "🍜", "🍝" };
constexpr Texts riceGlyphs = { "🍙", "🍚", "🍛", "🍱" };
constexpr Texts iceCreamGlyphs = { "🍦", "🍨" };
constexpr Texts cookieGlyphs = { "🍪" };
constexpr Texts candyGlyphs = { "🍬", "🍭", "🍡" };
constexpr Texts donutGlyphs = { "🍩" };
constexpr Texts fruitGlyphs = { "🍎", "🍓", "🍌", "🍒", "🍑", "🍉" };
constexpr Texts breadGlyphs = { "🍞", "🥐", "🥪" };
constexpr Texts chocolateGlyphs = { "🍫" };
constexpr Texts coffeeGlyphs = { "☕", "♨" };
constexpr Texts teaGlyphs = { "旦", "🍵", "☕" };
constexpr Texts beerGlyphs = { "🍺", "🍻", "🍶" };
constexpr Texts wineGlyphs = { "🍷", "🍸", "🥂" };
constexpr Texts flowerGlyphs = { "✿", "❀", "🌸", "🌷", "✾" };
constexpr Texts starGlyphs = { "☆", "★", "✩", "⭐", "☆彡" };
constexpr Texts sunGlyphs = { "☀", "☼", "🌞" };
constexpr Texts moonGlyphs = { "☾", "☽", "🌙", "☪" };
constexpr Texts snowGlyphs = { "❄", "❅", "☃", "❆" };
constexpr Texts rainGlyphs = { "☂", "☔", "🌧", "☁" };
constexpr Texts fireGlyphs = { "🔥", "炎" };
constexpr Texts heartGlyphs = { "♡", "♥", "❤", "💕", "💖" };
constexpr Texts moneyGlyphs = { "💰", "＄", "💸", "￥" };
constexpr Texts giftGlyphs = { "🎁" };
constexpr Texts bookGlyphs = { "📖", "📚" };
constexpr Texts letterGlyphs = { "✉", "💌" };
constexpr Texts phoneGlyphs = { "📱", "☎" };
constexpr Texts computerGlyphs = { "💻", "⌨" };
constexpr Texts ballGlyphs = { "⚽", "🏀", "⚾", "🎾" };
constexpr Texts balloonGlyphs = { "🎈" };
constexpr Texts cameraGlyphs = { "📷", "📸" };
constexpr Texts crownGlyphs = { "👑", "♔" };
constexpr Texts ghostGlyphs = { "👻" };
constexpr Texts pumpkinGlyphs = { "🎃" };
constexpr Texts treeGlyphs = { "🎄", "🌲", "🌳" };
constexpr Texts sweatGlyphs = { "💦", "💧" };
constexpr Texts gunGlyphs = { "▄︻┻═━一", "︻デ═一", "▄︻̷┻═━一", "━╤デ╦︻" };
constexpr Texts swordGlyphs = { "⚔", "🗡", "o==[]::::>", "†" };
constexpr Texts sparklesGlyphs = { "✧", "✨", "*:･ﾟ✧", "☆ﾟ.*･｡" };

constexpr ThingStyle thingStyles[] = {
    // Order follows PromptMeaning::Thing.
    { musicGlyphs, false },
    { foodGlyphs, true },
    { burgerGlyphs, true },
    { pizzaGlyphs, true },
    { cakeGlyphs, true },
    { sushiGlyphs, true },
    { noodlesGlyphs, true },
    { riceGlyphs, true },
    { iceCreamGlyphs, true },
    { cookieGlyphs, true },
    { candyGlyphs, true },
    { donutGlyphs, true },
    { fruitGlyphs, true },
    { breadGlyphs, true },
    { chocolateGlyphs, true },
    { coffeeGlyphs, true },
    { teaGlyphs, true },
    { beerGlyphs, true },
    { wineGlyphs, true },
    { flowerGlyphs, false },
    { starGlyphs, false },
    { sunGlyphs, false },
    { moonGlyphs, false },
    { snowGlyphs, false },
    { rainGlyphs, false },
    { fireGlyphs, false },
    { heartGlyphs, false },
    { moneyGlyphs, true },
    { giftGlyphs, true },
    { bookGlyphs, true },
    { letterGlyphs, true },
    { phoneGlyphs, true },
    { computerGlyphs, true },
    { ballGlyphs, true },
    { balloonGlyphs, true },
    { cameraGlyphs, true },
    { crownGlyphs, false },
    { ghostGlyphs, false },
    { pumpkinGlyphs, false },
    { treeGlyphs, false },
    { sweatGlyphs, false },
    { gunGlyphs, true },
    { swordGlyphs, true },
    { sparklesGlyphs, false },
};
static_assert(std::size(thingStyles) == size_t(Thing::Sparkles) + 1);

constexpr Frame humanFrameList[] = { { "(", ")", true }, { "(", ")", true }, { "(", ")", true },
    { "（", "）", true }, { "( ", " )", true }, { "꒰", "꒱", true } };

constexpr Arms holdingArmList[] = { { "", "", "", "っ" }, { "", "", "", "つ" },
    { "", "", "", "ノ" } };

} // namespace

const FaceParts::MoodStyle &FaceParts::mood(PromptMeaning::Mood mood)
{
    return moodStyles[size_t(mood)];
}

const FaceParts::AnimalStyle &FaceParts::animal(PromptMeaning::Animal animal)
{
    return animalStyles[size_t(animal)];
}

const FaceParts::ActionStyle &FaceParts::action(PromptMeaning::Action action)
{
    return actionStyles[size_t(action)];
}

const FaceParts::ThingStyle &FaceParts::thing(PromptMeaning::Thing thing)
{
    return thingStyles[size_t(thing)];
}

const FaceParts::FishStyle &FaceParts::fish()
{
    return fishStyle;
}

std::span<const FaceParts::Frame> FaceParts::humanFrames()
{
    return humanFrameList;
}

std::span<const FaceParts::Arms> FaceParts::holdingArms()
{
    return holdingArmList;
}
