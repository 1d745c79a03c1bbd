<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="379"/>
        <source>vesk のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About vesk</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="382"/>
        <source>vesk バージョン %1

日食カタログ: JPL DE431 から計算した 71,251 回の日食
（世界時 -12999年8月31日 から 16996年11月29日 まで）

データの出典と利用条件:
・JPL DE431 暦（NASA ジェット推進研究所、パブリックドメイン）
・ETOPO5 地形（NOAA 国立地球物理データセンター、パブリックドメイン）
・GSHHG 海岸線・河川・国境（P. Wessel, W. H. F. Smith、LGPL 3）
・GeoNames 地名辞典 cities15000（www.geonames.org、CC BY 4.0）
・タイムゾーン境界 timezone-boundary-builder（OpenStreetMap 寄稿者、ODbL）
・LRO LOLA 月面地形 LDEM（NASA PDS、パブリックドメイン）

vesk は GNU 一般公衆利用許諾書 第3版以降（GPL-3.0-or-later）の下で配布されるフリーソフトウェアです。</source>
        <translation>vesk version %1

Eclipse catalog: 71,251 solar eclipses computed from JPL DE431
(from -12999 August 31 to 16996 November 29, UT)

Sources of the data and their terms:
- JPL DE431 ephemeris (NASA Jet Propulsion Laboratory, public domain)
- ETOPO5 relief (NOAA National Geophysical Data Center, public domain)
- GSHHG coasts, rivers and borders (P. Wessel, W. H. F. Smith, LGPL 3)
- GeoNames gazetteer cities15000 (www.geonames.org, CC BY 4.0)
- timezone-boundary-builder time zone boundaries (OpenStreetMap contributors, ODbL)
- LRO LOLA lunar relief LDEM (NASA PDS, public domain)

vesk is free software, distributed under the GNU General Public License, version 3 or later (GPL-3.0-or-later).</translation>
    </message>
</context>
<context>
    <name>DisplayDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="199"/>
        <source>表示モードメニュー</source>
        <translation>Display Mode</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="221"/>
        <source>緯度経度線表示</source>
        <translation>Latitude and longitude grid</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="222"/>
        <source>KMLファイル出力</source>
        <translation>Write KML files</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="223"/>
        <source>ΔTの不確かさの帯（±2σ）</source>
        <translation>Band of ΔT uncertainty (±2σ)</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="225"/>
        <source>中心帯を塗る</source>
        <translation>Shade the central path</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="227"/>
        <source>等継続時間線</source>
        <translation>Lines of equal duration</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="230"/>
        <source>地域図のみ</source>
        <translation>Regional maps only</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="230"/>
        <source>常に</source>
        <translation>Always</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="230"/>
        <source>なし</source>
        <translation>Never</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="232"/>
        <source>CIA MAPを使用</source>
        <translation>Use the CIA map</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="233"/>
        <source>メルカトル図法</source>
        <translation>Mercator projection</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="239"/>
        <source>描画範囲</source>
        <translation>Map range</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="241"/>
        <source>地球儀</source>
        <translation>Globe</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="242"/>
        <source>アジア</source>
        <translation>Asia</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="243"/>
        <source>ヨーロッパ</source>
        <translation>Europe</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="246"/>
        <source>値入力</source>
        <translation>Typed values</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="247"/>
        <location filename="../app/gui/dialogs.cpp" line="272"/>
        <source>経度：</source>
        <translation>Longitude:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="248"/>
        <source>緯度：</source>
        <translation>Latitude:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="249"/>
        <source>倍率：</source>
        <translation>Magnification:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="250"/>
        <source>表示設定</source>
        <translation>Display settings</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="253"/>
        <source>描画速度（分）：</source>
        <translation>Drawing step (minutes):</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="255"/>
        <source>ΔT調整（秒）：</source>
        <translation>ΔT adjustment (s):</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="258"/>
        <source>凡例：</source>
        <translation>Legend:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="261"/>
        <source>観測地設定</source>
        <translation>Observing place</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="265"/>
        <source>表示モード</source>
        <translation>Display mode</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="267"/>
        <source>日蝕経路</source>
        <translation>Eclipse path</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="270"/>
        <source>日蝕中心帯</source>
        <translation>Central line table</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="273"/>
        <source>ステップ：</source>
        <translation>Step:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="275"/>
        <source>局地状況</source>
        <translation>Local circumstances</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="296"/>
        <source>地名：</source>
        <translation>Place:</translation>
    </message>
</context>
<context>
    <name>EclipseListDialog</name>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="32"/>
        <source>日蝕検索リスト表示</source>
        <translation>Eclipse List</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="39"/>
        <source>検索開始</source>
        <translation>Search</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="40"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="44"/>
        <source>日蝕描画</source>
        <translation>Draw eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="45"/>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="46"/>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="50"/>
        <source>検索開始年</source>
        <translation>First year</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="52"/>
        <source>調査期間（年）</source>
        <translation>Years searched</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/gui/main_window.cpp" line="210"/>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="227"/>
        <source>ﾌﾟﾘﾝﾀの設定(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="233"/>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="240"/>
        <source>vesk のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About vesk...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="241"/>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="244"/>
        <source>ﾂｰﾙ ﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="245"/>
        <source>ｽﾃｰﾀｽ ﾊﾞｰ(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="209"/>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="213"/>
        <source>画像の書き出し(&amp;E)...</source>
        <translation>&amp;Export Picture...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="215"/>
        <source>KML の書き出し(&amp;K)...</source>
        <translation>Export &amp;KML...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="217"/>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="223"/>
        <source>印刷プレビュー(&amp;V)...</source>
        <translation>Print Pre&amp;view...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="229"/>
        <source>白地に印刷(&amp;W)</source>
        <translation>Print on &amp;White</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="231"/>
        <source>黒い背景を白に、色を反転して印刷する</source>
        <translation>Print the black background white, every colour inverted</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="260"/>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="263"/>
        <source>時刻スライダー(&amp;L)</source>
        <translation>Time S&amp;lider</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="266"/>
        <source>時刻スライダー</source>
        <translation>Time Slider</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="289"/>
        <source>文字の大きさ(&amp;Z)</source>
        <translation>Text Si&amp;ze</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="301"/>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="305"/>
        <source>年月設定(&amp;N)</source>
        <translation>Year/Mo&amp;nth</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="306"/>
        <source>表示モード(&amp;D)</source>
        <translation>&amp;Display Mode</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="307"/>
        <source>検索モード(&amp;M)</source>
        <translation>Search &amp;Mode</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="319"/>
        <source>前の日蝕(&amp;P)</source>
        <translation>&amp;Previous Eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="320"/>
        <source>次の日蝕(&amp;N)</source>
        <translation>&amp;Next Eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="322"/>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="323"/>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="324"/>
        <source>地球全体(&amp;H)</source>
        <translation>W&amp;hole Globe</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="326"/>
        <source>西へ(&amp;W)</source>
        <translation>&amp;West</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="327"/>
        <source>東へ(&amp;E)</source>
        <translation>&amp;East</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="328"/>
        <source>北へ(&amp;U)</source>
        <translation>North (&amp;Up)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="329"/>
        <source>南へ(&amp;D)</source>
        <translation>South (&amp;Down)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="331"/>
        <source>再描画(&amp;R)</source>
        <translation>&amp;Redraw</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="332"/>
        <source>移動(&amp;G)</source>
        <translation>&amp;Go</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="350"/>
        <source>ﾂｰﾙ ﾊﾞｰ</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="361"/>
        <source>前の日蝕</source>
        <translation>Previous eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="361"/>
        <source>前の日蝕を表示</source>
        <translation>Show the previous eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="363"/>
        <source>次の日蝕</source>
        <translation>Next eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="363"/>
        <source>次の日蝕を表示</source>
        <translation>Show the next eclipse</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="364"/>
        <source>日蝕リスト</source>
        <translation>Eclipse list</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="364"/>
        <source>日蝕検索結果のリスト</source>
        <translation>The list of the eclipses found</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="367"/>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="367"/>
        <source>地図拡大モード時拡大（拡大モードへは左ダブルクリックで）</source>
        <translation>Zoom in on the regional map (a left double click enters it)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="369"/>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="369"/>
        <source>地図拡大モード時縮小（拡大モードへは左ダブルクリックで）</source>
        <translation>Zoom out on the regional map (a left double click enters it)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="371"/>
        <source>地図拡大解除</source>
        <translation>Whole globe</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="371"/>
        <source>拡大モードの解除（地球儀表示）</source>
        <translation>Leave the regional map (the whole globe)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="374"/>
        <source>局地情報表示</source>
        <translation>Local circumstances</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="374"/>
        <source>地図表示から局地情報の表示へ</source>
        <translation>From the map to the local circumstances</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="376"/>
        <source>地図表示へ戻る</source>
        <translation>Back to the map</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="376"/>
        <source>局地情報表示や日蝕帯表示から地図表示に戻る</source>
        <translation>Back to the map from the local circumstances or the central line table</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="378"/>
        <source>皆既帯での星空の表示</source>
        <translation>The sky at the maximum, inside the central path</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="379"/>
        <source>皆既帯での月縁補正の表示</source>
        <translation>The contacts corrected for the lunar limb, inside the central path</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="397"/>
        <source>地名を入力して観測地に選ぶ（局地状況を表示）</source>
        <translation>Type a place name to observe from it (local circumstances)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="408"/>
        <location filename="../app/gui/main_window.cpp" line="411"/>
        <source>ﾚﾃﾞｨ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="436"/>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="439"/>
        <source>SVG 図形 (*.svg)</source>
        <translation>SVG drawing (*.svg)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="440"/>
        <source>PDF 文書 (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="453"/>
        <source>KML の書き出し先</source>
        <translation>Folder for the KML documents</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="460"/>
        <source>KML を書き出しました: %1</source>
        <translation>KML documents written to %1</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="466"/>
        <source>保存する画面がありません</source>
        <translation>There is no screen to save</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="474"/>
        <source>保存しました: %1</source>
        <translation>Saved: %1</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="316"/>
        <source>検索モードメニュー</source>
        <translation>Search Mode</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="320"/>
        <source>部分日蝕</source>
        <translation>Partial</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="320"/>
        <source>皆既日蝕</source>
        <translation>Total</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="320"/>
        <source>金環日蝕</source>
        <translation>Annular</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="321"/>
        <source>金環皆既日蝕</source>
        <translation>Hybrid (annular-total)</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="321"/>
        <source>中心線のない皆既日蝕</source>
        <translation>Total without a central line</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="322"/>
        <source>中心線のない金環日蝕</source>
        <translation>Annular without a central line</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="327"/>
        <source>検索開始年月設定</source>
        <translation>Search from year/month</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="345"/>
        <source>検索モード</source>
        <translation>Search mode</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="347"/>
        <source>全て</source>
        <translation>All</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="348"/>
        <source>日蝕タイプ</source>
        <translation>Eclipse type</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="351"/>
        <location filename="../app/gui/dialogs.cpp" line="358"/>
        <source>過去検索範囲（年）：</source>
        <translation>Years searched back:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="353"/>
        <source>観測地／食分</source>
        <translation>Place / magnitude</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="354"/>
        <source>観測地</source>
        <translation>Observing place</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="357"/>
        <source>食分：</source>
        <translation>Magnitude:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="359"/>
        <source>中心食の確率（0で食分）：</source>
        <translation>Probability of a central eclipse (0: by magnitude):</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="361"/>
        <source>サロス番号</source>
        <translation>Saros series</translation>
    </message>
</context>
<context>
    <name>MapView</name>
    <message>
        <location filename="../app/gui/map_view.cpp" line="116"/>
        <location filename="../app/gui/map_view.cpp" line="178"/>
        <source>描画中…</source>
        <translation>Drawing…</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="164"/>
        <source>KML を書きました: %1</source>
        <translation>KML written: %1</translation>
    </message>
</context>
<context>
    <name>YearMonthDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="184"/>
        <source>年月設定メニュー</source>
        <translation>Year and Month</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="189"/>
        <source>年(&amp;P)（-13000〜16999）：</source>
        <translation>Year(&amp;P)  (-13000 to 16999) :</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="190"/>
        <source>月(&amp;M)（1〜12）：</source>
        <translation>Month(&amp;M)  (1 to 12) :</translation>
    </message>
</context>
<context>
    <name>ExchangeDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="48"/>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="117"/>
        <source>選択</source>
        <translation>From the list</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="119"/>
        <source>入力</source>
        <translation>Typed</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="120"/>
        <source>経度：</source>
        <translation>Longitude:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="121"/>
        <source>緯度：</source>
        <translation>Latitude:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="122"/>
        <source>高度：</source>
        <translation>Height:</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="167"/>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>PlaceField</name>
    <message>
        <location filename="../app/gui/place_field.cpp" line="13"/>
        <source>地名</source>
        <translation>Place name</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="64"/>
        <source>地名辞典（libtimezonemap-data の cities15000.txt）がありません</source>
        <translation>No gazetteer (cities15000.txt of libtimezonemap-data)</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="79"/>
        <source>「%1」という地名は見つかりません</source>
        <translation>No place called &quot;%1&quot;</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="82"/>
        <source>「%1」は複数の地名に当たります。一覧から選んで下さい</source>
        <translation>&quot;%1&quot; names several places: choose one from the list</translation>
    </message>
</context>
<context>
    <name>TimeSlider</name>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="37"/>
        <location filename="../app/gui/time_slider.cpp" line="57"/>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="41"/>
        <source>%1 分/秒</source>
        <translation>%1 min/s</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="57"/>
        <source>停止</source>
        <translation>Pause</translation>
    </message>
</context>
<context>
    <name>vesk</name>
    <message>
        <location filename="../screen/messages.h" line="13"/>
        <source>ベッセル要素ファイルがありません！</source>
        <translation>The Besselian element files are missing!</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="15"/>
        <source>ベッセル要素ファイルがありません！ 1 </source>
        <translation>The Besselian element files are missing! 1 </translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="17"/>
        <source>EC****.prnファイルのあるディレクトリで起動して下さい。</source>
        <translation>Start vesk in the folder that holds the EC****.prn files.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="18"/>
        <source>ベッセル要素ファイルが終了しました。</source>
        <translation>The Besselian element files have ended.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="19"/>
        <source>データファイルが壊れています！</source>
        <translation>A data file is damaged!</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="21"/>
        <source>このサロスは４００年の間にありませんでした。</source>
        <translation>This Saros series has no eclipse within 400 years.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="23"/>
        <source>都市情報(location.new)ファイルがありません！</source>
        <translation>The city file (location.new) is missing!</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="25"/>
        <source>location.newファイルのあるディレクトリで起動して下さい。</source>
        <translation>Start vesk in the folder that holds location.new.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="27"/>
        <source>月の標高ファイル(LRO.dat)がありません！</source>
        <translation>The lunar elevation file (LRO.dat) is missing!</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="28"/>
        <source>vesk-tools パッケージの vesk-make-lro で NASA PDS の LOLA 月面地形から作れます（33 MB）：</source>
        <translation>vesk-make-lro of the package vesk-tools makes it from NASA PDS&apos;s LOLA lunar topography (33 MB):</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="36"/>
        <source>観測地が中心帯の外にあります。中心帯の中の観測地を選んで下さい。</source>
        <translation>The place lies outside the central path. Choose a place inside it.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="38"/>
        <source>検索結果が100件に達したので、検索を打ち切りました。</source>
        <translation>The search stopped at 100 eclipses found.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="40"/>
        <source>整数を入力してください。</source>
        <translation>Enter a whole number.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="42"/>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="43"/>
        <source>数字を入力してください。</source>
        <translation>Enter a number.</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="45"/>
        <source>%1 から %2 までの数字を入力してください。</source>
        <translation>Enter a number from %1 to %2.</translation>
    </message>
</context>
</TS>
