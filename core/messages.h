// Messages that the program shows in place of a picture (white on black in the window, on
// standard error from the command line).
#pragma once

namespace vesk {

constexpr const char* messageNoCatalog = "ベッセル要素ファイルがありません！";
constexpr const char* messageNoCatalogDuringSearch = "ベッセル要素ファイルがありません！ 1 ";
constexpr const char* messageStartHere = "EC****.prnファイルのあるディレクトリで起動して下さい。";
constexpr const char* messageCatalogEnded = "ベッセル要素ファイルが終了しました。";
constexpr const char* messageDamagedDataFile = "データファイルが壊れています！";
constexpr const char* messageSarosNotFound = "このサロスは４００年の間にありませんでした。";
// Status bar messages of the window.
constexpr const char* messageNotCentral =
    "観測地が中心帯の外にあります。中心帯の中の観測地を選んで下さい。";
constexpr const char* messageListFull = "検索結果が100件に達したので、検索を打ち切りました。";

} // namespace vesk
