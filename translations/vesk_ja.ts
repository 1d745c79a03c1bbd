<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="384"/>
        <source>About vesk</source>
        <translation>vesk のバージョン情報</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="387"/>
        <source>vesk version %1

Eclipse catalog: 71,251 solar eclipses computed from JPL DE431
(from -12999 August 31 to 16996 November 29, UT)

Sources of the data and their terms:
- JPL DE431 ephemeris (NASA Jet Propulsion Laboratory, public domain)
- ETOPO5 relief (NOAA National Geophysical Data Center, public domain)
- GSHHG coasts, rivers and borders (P. Wessel, W. H. F. Smith, LGPL 3)
- GeoNames gazetteer cities15000 (www.geonames.org, CC BY 4.0)
- timezone-boundary-builder time zone boundaries (OpenStreetMap contributors, ODbL)
- LRO LOLA lunar relief LDEM (NASA PDS, public domain)

vesk is free software, distributed under the GNU General Public License, version 3 or later (GPL-3.0-or-later).</source>
        <translation>vesk バージョン %1

日食カタログ: JPL DE431 から計算した 71,251 回の日食
（世界時 -12999年8月31日 から 16996年11月29日 まで）

データの出典と利用条件:
・JPL DE431 暦（NASA ジェット推進研究所、パブリックドメイン）
・ETOPO5 地形（NOAA 国立地球物理データセンター、パブリックドメイン）
・GSHHG 海岸線・河川・国境（P. Wessel, W. H. F. Smith、LGPL 3）
・GeoNames 地名辞典 cities15000（www.geonames.org、CC BY 4.0）
・タイムゾーン境界 timezone-boundary-builder（OpenStreetMap 寄稿者、ODbL）
・LRO LOLA 月面地形 LDEM（NASA PDS、パブリックドメイン）

vesk は GNU 一般公衆利用許諾書 第3版以降（GPL-3.0-or-later）の下で配布されるフリーソフトウェアです。</translation>
    </message>
</context>
<context>
    <name>DisplayDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="201"/>
        <source>Display Mode</source>
        <translation>表示モードメニュー</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="223"/>
        <source>Latitude and longitude grid</source>
        <translation>緯度経度線表示</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="224"/>
        <source>Write KML files</source>
        <translation>KMLファイル出力</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="225"/>
        <source>Band of ΔT uncertainty (±2σ)</source>
        <translation>ΔTの不確かさの帯（±2σ）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="227"/>
        <source>Shade the central path</source>
        <translation>中心帯を塗る</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="229"/>
        <source>Lines of equal duration</source>
        <translation>等継続時間線</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="232"/>
        <source>Always</source>
        <translation>常に</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="232"/>
        <source>Never</source>
        <translation>なし</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="232"/>
        <source>On the globe (not the Mercator map)</source>
        <translation>地球儀の図のみ（メルカトル図を除く）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="234"/>
        <source>Use the CIA map</source>
        <translation>CIA MAPを使用</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="235"/>
        <source>Mercator projection</source>
        <translation>メルカトル図法</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="241"/>
        <source>Map range</source>
        <translation>描画範囲</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="243"/>
        <source>Globe</source>
        <translation>地球儀</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="244"/>
        <source>Asia</source>
        <translation>アジア</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="245"/>
        <source>Europe</source>
        <translation>ヨーロッパ</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="248"/>
        <source>Typed values</source>
        <translation>値入力</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="249"/>
        <location filename="../app/gui/dialogs.cpp" line="274"/>
        <source>Longitude:</source>
        <translation>経度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="250"/>
        <source>Latitude:</source>
        <translation>緯度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="251"/>
        <source>Magnification:</source>
        <translation>倍率：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="252"/>
        <source>Display settings</source>
        <translation>表示設定</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="255"/>
        <source>Drawing step (minutes):</source>
        <translation>描画速度（分）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="257"/>
        <source>ΔT adjustment (s):</source>
        <translation>ΔT調整（秒）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="260"/>
        <source>Legend:</source>
        <translation>凡例：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="263"/>
        <source>Observing place</source>
        <translation>観測地設定</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="267"/>
        <source>Display mode</source>
        <translation>表示モード</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="269"/>
        <source>Eclipse path</source>
        <translation>日蝕経路</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="272"/>
        <source>Central line table</source>
        <translation>日蝕中心帯</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="275"/>
        <source>Step:</source>
        <translation>ステップ：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="277"/>
        <source>Local circumstances</source>
        <translation>局地状況</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="298"/>
        <source>Place:</source>
        <translation>地名：</translation>
    </message>
</context>
<context>
    <name>EclipseListDialog</name>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="34"/>
        <source>Eclipse List</source>
        <translation>日蝕検索リスト表示</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="41"/>
        <source>Search</source>
        <translation>検索開始</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="42"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="46"/>
        <source>Draw eclipse</source>
        <translation>日蝕描画</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="47"/>
        <source>Close</source>
        <translation>終了</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="48"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="52"/>
        <source>First year</source>
        <translation>検索開始年</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="54"/>
        <source>Years searched</source>
        <translation>調査期間（年）</translation>
    </message>
</context>
<context>
    <name>ExchangeDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="48"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="117"/>
        <source>From the list</source>
        <translation>選択</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="120"/>
        <source>Typed</source>
        <translation>入力</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="121"/>
        <source>Longitude:</source>
        <translation>経度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="122"/>
        <source>Latitude:</source>
        <translation>緯度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="123"/>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="168"/>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/gui/main_window.cpp" line="181"/>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="182"/>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="185"/>
        <source>&amp;Export Picture...</source>
        <translation>画像の書き出し(&amp;E)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="187"/>
        <source>Export &amp;KML...</source>
        <translation>KML の書き出し(&amp;K)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="189"/>
        <source>&amp;Print...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="192"/>
        <source>Print Pre&amp;view...</source>
        <translation>印刷プレビュー(&amp;V)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="194"/>
        <source>P&amp;rint Setup...</source>
        <translation>プリンタの設定(&amp;R)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="196"/>
        <source>Print on &amp;White</source>
        <translation>白地に印刷(&amp;W)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="198"/>
        <source>Print the black background white, every colour inverted</source>
        <translation>黒い背景を白に、色を反転して印刷する</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="200"/>
        <source>E&amp;xit</source>
        <translation>アプリケーションの終了(&amp;X)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="207"/>
        <source>&amp;About vesk...</source>
        <translation>vesk のバージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="208"/>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="211"/>
        <source>&amp;Toolbar</source>
        <translation>ツール バー(&amp;T)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="212"/>
        <source>&amp;Status Bar</source>
        <translation>ステータス バー(&amp;S)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="221"/>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="224"/>
        <source>Time S&amp;lider</source>
        <translation>時刻スライダー(&amp;L)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="227"/>
        <source>Time Slider</source>
        <translation>時刻スライダー</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="245"/>
        <source>Text Si&amp;ze</source>
        <translation>文字の大きさ(&amp;Z)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="254"/>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="257"/>
        <source>Year/Mo&amp;nth</source>
        <translation>年月設定(&amp;N)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="258"/>
        <source>&amp;Display Mode</source>
        <translation>表示モード(&amp;D)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="259"/>
        <source>Search &amp;Mode</source>
        <translation>検索モード(&amp;M)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="272"/>
        <source>&amp;Previous Eclipse</source>
        <translation>前の日蝕(&amp;P)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="273"/>
        <source>&amp;Next Eclipse</source>
        <translation>次の日蝕(&amp;N)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="275"/>
        <source>Zoom &amp;In</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="276"/>
        <source>Zoom &amp;Out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="277"/>
        <source>W&amp;hole Globe</source>
        <translation>地球全体(&amp;H)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="279"/>
        <source>&amp;West</source>
        <translation>西へ(&amp;W)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="280"/>
        <source>&amp;East</source>
        <translation>東へ(&amp;E)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="281"/>
        <source>North (&amp;Up)</source>
        <translation>北へ(&amp;U)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="282"/>
        <source>South (&amp;Down)</source>
        <translation>南へ(&amp;D)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="284"/>
        <source>&amp;Redraw</source>
        <translation>再描画(&amp;R)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="285"/>
        <source>&amp;Go</source>
        <translation>移動(&amp;G)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="303"/>
        <source>Toolbar</source>
        <translation>ツール バー</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="315"/>
        <source>Previous eclipse</source>
        <translation>前の日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="315"/>
        <source>Show the previous eclipse</source>
        <translation>前の日蝕を表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="317"/>
        <source>Next eclipse</source>
        <translation>次の日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="317"/>
        <source>Show the next eclipse</source>
        <translation>次の日蝕を表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="319"/>
        <source>Eclipse list</source>
        <translation>日蝕リスト</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="319"/>
        <source>The list of the eclipses found</source>
        <translation>日蝕検索結果のリスト</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="322"/>
        <source>Zoom in</source>
        <translation>拡大</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="323"/>
        <source>Zoom in on the regional map (a left double click enters it)</source>
        <translation>地図拡大モード時拡大（拡大モードへは左ダブルクリックで）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="325"/>
        <source>Zoom out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="326"/>
        <source>Zoom out on the regional map (a left double click enters it)</source>
        <translation>地図拡大モード時縮小（拡大モードへは左ダブルクリックで）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="328"/>
        <source>Whole globe</source>
        <translation>地図拡大解除</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="328"/>
        <source>Leave the regional map (the whole globe)</source>
        <translation>拡大モードの解除（地球儀表示）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="331"/>
        <source>Local circumstances</source>
        <translation>局地情報表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="331"/>
        <source>From the map to the local circumstances</source>
        <translation>地図表示から局地情報の表示へ</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="333"/>
        <source>Back to the map</source>
        <translation>地図表示へ戻る</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="334"/>
        <source>Back to the map from the local circumstances or the central line table</source>
        <translation>局地情報表示や日蝕帯表示から地図表示に戻る</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="336"/>
        <source>The sky at the maximum, inside the central path</source>
        <translation>皆既帯での星空の表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="338"/>
        <source>The contacts corrected for the lunar limb, inside the central path</source>
        <translation>皆既帯での月縁補正の表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="356"/>
        <source>Type a place name to observe from it (local circumstances)</source>
        <translation>地名を入力して観測地に選ぶ（局地状況を表示）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="364"/>
        <location filename="../app/gui/main_window.cpp" line="367"/>
        <source>Ready</source>
        <translation>レディ</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="384"/>
        <source>PNG image (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="387"/>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG 図形 (*.svg)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="388"/>
        <source>PDF document (*.pdf)</source>
        <translation>PDF 文書 (*.pdf)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="398"/>
        <source>Folder for the KML documents</source>
        <translation>KML の書き出し先</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="405"/>
        <source>KML documents written to %1</source>
        <translation>KML を書き出しました: %1</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="416"/>
        <source>Saved: %1</source>
        <translation>保存しました: %1</translation>
    </message>
</context>
<context>
    <name>MapView</name>
    <message>
        <location filename="../app/gui/map_view.cpp" line="144"/>
        <location filename="../app/gui/map_view.cpp" line="215"/>
        <source>Drawing…</source>
        <translation>描画中…</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="201"/>
        <source>KML written: %1</source>
        <translation>KML を書きました: %1</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="421"/>
        <source>No eclipse is shown: there is no path to write.</source>
        <translation>日蝕が表示されていないため、書き出す経路がありません。</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="429"/>
        <source>Cannot write %1: the name must end in .png, .svg or .pdf.</source>
        <translation>%1 に書き込めません：名前の末尾は .png、.svg、.pdf のいずれかにしてください。</translation>
    </message>
</context>
<context>
    <name>PlaceField</name>
    <message>
        <location filename="../app/gui/place_field.cpp" line="13"/>
        <source>Place name</source>
        <translation>地名</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="64"/>
        <source>No gazetteer (cities15000.txt of libtimezonemap-data)</source>
        <translation>地名辞典（libtimezonemap-data の cities15000.txt）がありません</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="79"/>
        <source>No place called &quot;%1&quot;</source>
        <translation>「%1」という地名は見つかりません</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="82"/>
        <source>&quot;%1&quot; names several places: choose one from the list</source>
        <translation>「%1」は複数の地名に当たります。一覧から選んで下さい</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="318"/>
        <source>Search Mode</source>
        <translation>検索モードメニュー</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="323"/>
        <source>Partial</source>
        <translation>部分日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="323"/>
        <source>Total</source>
        <translation>皆既日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="323"/>
        <source>Annular</source>
        <translation>金環日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="324"/>
        <source>Hybrid (annular-total)</source>
        <translation>金環皆既日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="324"/>
        <source>Total without a central line</source>
        <translation>中心線のない皆既日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="325"/>
        <source>Annular without a central line</source>
        <translation>中心線のない金環日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="330"/>
        <source>Search from year/month</source>
        <translation>検索開始年月設定</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="348"/>
        <source>Search mode</source>
        <translation>検索モード</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="350"/>
        <source>All</source>
        <translation>全て</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="351"/>
        <source>Eclipse type</source>
        <translation>日蝕タイプ</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="354"/>
        <location filename="../app/gui/dialogs.cpp" line="362"/>
        <source>Years searched back:</source>
        <translation>過去検索範囲（年）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="356"/>
        <source>Place / magnitude</source>
        <translation>観測地／食分</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="358"/>
        <source>Observing place</source>
        <translation>観測地</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="361"/>
        <source>Magnitude:</source>
        <translation>食分：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="363"/>
        <source>Probability of a central eclipse (0: by magnitude):</source>
        <translation>中心食の確率（0で食分）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="366"/>
        <source>Saros series</source>
        <translation>サロス番号</translation>
    </message>
</context>
<context>
    <name>TimeSlider</name>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="37"/>
        <location filename="../app/gui/time_slider.cpp" line="57"/>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="41"/>
        <source>%1 min/s</source>
        <translation>%1 分/秒</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="57"/>
        <source>Pause</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>YearMonthDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="186"/>
        <source>Year and Month</source>
        <translation>年月設定メニュー</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="191"/>
        <source>Year(&amp;P)  (-13000 to 16999) :</source>
        <translation>年(&amp;P)（-13000〜16999）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="192"/>
        <source>Month(&amp;M)  (1 to 12) :</source>
        <translation>月(&amp;M)（1〜12）：</translation>
    </message>
</context>
<context>
    <name>vesk</name>
    <message>
        <location filename="../screen/messages.h" line="14"/>
        <source>The Besselian element files are missing!</source>
        <translation>ベッセル要素ファイルがありません！</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="16"/>
        <source>The Besselian element files are missing! 1 </source>
        <translation>ベッセル要素ファイルがありません！ 1 </translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="18"/>
        <source>Start vesk in the folder that holds the EC****.prn files.</source>
        <translation>EC****.prnファイルのあるディレクトリで起動して下さい。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="19"/>
        <source>The Besselian element files have ended.</source>
        <translation>ベッセル要素ファイルが終了しました。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="20"/>
        <source>A data file is damaged!</source>
        <translation>データファイルが壊れています！</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="22"/>
        <source>This Saros series has no eclipse within 400 years.</source>
        <translation>このサロスは４００年の間にありませんでした。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="23"/>
        <source>The city file (location.new) is missing!</source>
        <translation>都市情報(location.new)ファイルがありません！</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="25"/>
        <source>Start vesk in the folder that holds location.new.</source>
        <translation>location.newファイルのあるディレクトリで起動して下さい。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="28"/>
        <source>The lunar elevation file (LRO.dat) is missing!</source>
        <translation>月の標高ファイル(LRO.dat)がありません！</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="30"/>
        <source>vesk-make-lro of the package vesk-tools makes it from NASA PDS&apos;s LOLA lunar topography (33 MB):</source>
        <translation>vesk-tools パッケージの vesk-make-lro で NASA PDS の LOLA 月面地形から作れます（33 MB）：</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="38"/>
        <source>The place lies outside the central path. Choose a place inside it.</source>
        <translation>観測地が中心帯の外にあります。中心帯の中の観測地を選んで下さい。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="39"/>
        <source>The search stopped at 100 eclipses found.</source>
        <translation>検索結果が100件に達したので、検索を打ち切りました。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="41"/>
        <source>Enter a whole number.</source>
        <translation>整数を入力してください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="42"/>
        <source>Enter a whole number from %1 to %2.</source>
        <translation>%1 から %2 までの整数を入力してください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="43"/>
        <source>Enter a number.</source>
        <translation>数字を入力してください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="44"/>
        <source>Enter a number from %1 to %2.</source>
        <translation>%1 から %2 までの数字を入力してください。</translation>
    </message>
</context>
</TS>
