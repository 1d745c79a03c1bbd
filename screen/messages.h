// SPDX-License-Identifier: GPL-3.0-or-later
// Messages that the program shows in place of a picture (white on black in the window, on
// standard error from the command line), in the status bar and in the dialogs. Japanese is the
// source text; the window shows the translation for its language (context "vesk").
#pragma once

// Marks a message for Qt's translation tools (lupdate reads it as QT_TR_NOOP); the text itself
// is unchanged.
#define VESK_MESSAGE(text) text

namespace vesk {

constexpr const char* messageNoCatalog = VESK_MESSAGE("ベッセル要素ファイルがありません！");
constexpr const char* messageNoCatalogDuringSearch =
    VESK_MESSAGE("ベッセル要素ファイルがありません！ 1 ");
constexpr const char* messageStartHere =
    VESK_MESSAGE("EC****.prnファイルのあるディレクトリで起動して下さい。");
constexpr const char* messageCatalogEnded = VESK_MESSAGE("ベッセル要素ファイルが終了しました。");
constexpr const char* messageDamagedDataFile = VESK_MESSAGE("データファイルが壊れています！");
constexpr const char* messageSarosNotFound =
    VESK_MESSAGE("このサロスは４００年の間にありませんでした。");
constexpr const char* messageNoCityTable =
    VESK_MESSAGE("都市情報(location.new)ファイルがありません！");
constexpr const char* messageStartWithCityTable =
    VESK_MESSAGE("location.newファイルのあるディレクトリで起動して下さい。");
// The limb screen without the lunar grid.
constexpr const char* messageNoLunarGrid = VESK_MESSAGE("月の標高ファイル(LRO.dat)がありません！");
constexpr const char* messageLunarGridTool = VESK_MESSAGE(
    "vesk-tools パッケージの vesk-make-lro で NASA PDS の LOLA 月面地形から作れます（33 MB）：");
// The command that makes the grid from the PDS product LDEM_16 into the user's data folder.
constexpr const char* lunarGridCommand =
    "vesk-make-lro --url https://pds-geosciences.wustl.edu/lro/lro-l-lola-3-rdr-v1/lrolol_1xxx/"
    "data/lola_gdr/cylindrical/img/ldem_16.lbl --out ~/.local/share/vesk/LRO.dat";
// Status bar messages of the window.
constexpr const char* messageNotCentral =
    VESK_MESSAGE("観測地が中心帯の外にあります。中心帯の中の観測地を選んで下さい。");
constexpr const char* messageListFull =
    VESK_MESSAGE("検索結果が100件に達したので、検索を打ち切りました。");
// The checks of the dialogs' fields (%1 and %2: the bounds).
constexpr const char* messageInteger = VESK_MESSAGE("整数を入力してください。");
constexpr const char* messageIntegerBetween =
    VESK_MESSAGE("%1 から %2 までの整数を入力してください。");
constexpr const char* messageNumber = VESK_MESSAGE("数字を入力してください。");
constexpr const char* messageNumberBetween =
    VESK_MESSAGE("%1 から %2 までの数字を入力してください。");

} // namespace vesk
