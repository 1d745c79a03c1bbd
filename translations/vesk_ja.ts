<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>vesk</name>
    <message>
        <location filename="../support/failure.h" line="39"/>
        <source>The Besselian element files are missing!</source>
        <translation>ベッセル要素ファイルがありません！</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="41"/>
        <source>The Besselian element files are missing! 1 </source>
        <translation>ベッセル要素ファイルがありません！ 1 </translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="43"/>
        <source>Start vesk in the folder that holds the EC****.prn files.</source>
        <translation>EC****.prnファイルのあるディレクトリで起動して下さい。</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="44"/>
        <source>The Besselian element files have ended.</source>
        <translation>ベッセル要素ファイルが終了しました。</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="45"/>
        <source>A data file is damaged!</source>
        <translation>データファイルが壊れています！</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="20"/>
        <source>This Saros series has no eclipse within 400 years.</source>
        <translation>このサロスは４００年の間にありませんでした。</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="46"/>
        <source>The city file (location.new) is missing!</source>
        <translation>都市情報(location.new)ファイルがありません！</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="48"/>
        <source>Start vesk in the folder that holds location.new.</source>
        <translation>location.newファイルのあるディレクトリで起動して下さい。</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="50"/>
        <source>The lunar elevation file (LRO.dat) is missing!</source>
        <translation>月の標高ファイル(LRO.dat)がありません！</translation>
    </message>
    <message>
        <location filename="../support/failure.h" line="52"/>
        <source>vesk-make-lro of the package vesk-tools makes it from NASA PDS&apos;s LOLA lunar topography (33 MB):</source>
        <translation>vesk-tools パッケージの vesk-make-lro で NASA PDS の LOLA 月面地形から作れます（33 MB）：</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="23"/>
        <source>The path is outside this view: Home shows it.</source>
        <translation>経路はこの表示範囲の外にあります。Home キーで表示します。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="26"/>
        <source>The command is on the clipboard: paste it into a terminal.</source>
        <translation>コマンドをクリップボードにコピーしました。端末に貼り付けてください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="28"/>
        <source>The place lies outside the central path. Choose a place inside it.</source>
        <translation>観測地が中心帯の外にあります。中心帯の中の観測地を選んで下さい。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="30"/>
        <source>Enter a whole number.</source>
        <translation>整数を入力してください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="31"/>
        <source>Enter a whole number from %1 to %2.</source>
        <translation>%1 から %2 までの整数を入力してください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="32"/>
        <source>Enter a number.</source>
        <translation>数字を入力してください。</translation>
    </message>
    <message>
        <location filename="../screen/messages.h" line="33"/>
        <source>Enter a number from %1 to %2.</source>
        <translation>%1 から %2 までの数字を入力してください。</translation>
    </message>
</context>
<context>
    <name>vesk::AboutDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="658"/>
        <source>About vesk</source>
        <translation>vesk のバージョン情報</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="661"/>
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
    <name>vesk::DisplayDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="262"/>
        <source>Display Mode</source>
        <translation>表示モードメニュー</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="304"/>
        <source>Latitude and longitude grid</source>
        <translation>緯度経度線表示</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="305"/>
        <source>Draws the lines of latitude and longitude over the map.</source>
        <translation>地図に緯度線と経度線を描きます。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="306"/>
        <source>Write KML files</source>
        <translation>KMLファイル出力</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="307"/>
        <source>Writes the path as KML documents for Google Earth into the working folder each time the map is drawn.</source>
        <translation>地図を描くたびに、経路を Google Earth 用の KML ファイルとして作業フォルダーに書き出します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="311"/>
        <source>Band of ΔT uncertainty (±2σ)</source>
        <translation>ΔTの不確かさの帯（±2σ）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="312"/>
        <source>Shades where the central path falls if ΔT (the Earth&apos;s clock error, which turns the globe under the shadow) lies within two standard errors of the model&apos;s, and tells on the local screen the chance that the eclipse was total or annular there.</source>
        <translation>ΔT（地球の自転の遅れ。影の下で地球を回します）がモデル値から標準誤差の2倍以内にあるとき中心帯が通りうる範囲を網掛けし、地方状況の画面にその地点で皆既または金環になった確率を示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="316"/>
        <source>Shade the central path</source>
        <translation>中心帯を塗る</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="317"/>
        <source>Shades the ground inside the limits of totality or annularity.</source>
        <translation>皆既帯または金環帯の内側を塗ります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="319"/>
        <source>Lines of equal duration</source>
        <translation>等継続時間線</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="320"/>
        <source>Draws curves of equal duration of totality or annularity inside the central path, labelled in minutes and seconds.</source>
        <translation>中心帯の中に皆既または金環の継続時間が等しい線を描き、分と秒で表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="324"/>
        <source>Limits with the lunar limb</source>
        <translation>月の縁の凹凸による限界線</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="325"/>
        <source>On regional maps, shades the graze zones between the limits corrected for the mountains and valleys of the Moon&apos;s limb (LRO) and draws their interior limits; the local screen says whether the place sees the central phase with them. Needs the lunar elevation file LRO.dat.</source>
        <translation>地域の地図で、月の縁の山と谷（LRO）で補正した限界線の間のグレーズ帯（ベイリー・ビーズの見える帯）に陰を付け、内側の限界線を描きます。その地点の画面は、補正した皆既（金環）が見えるかを示します。月の標高ファイル LRO.dat が必要です。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="330"/>
        <source>North up (else the zenith)</source>
        <translation>北を上に（既定は天頂が上）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="331"/>
        <source>Turns the view from the place so that celestial north is up and east on the left, as in a telescope&apos;s finder chart; else the zenith is up, as the eye sees the sky.</source>
        <translation>現地の見え方を、望遠鏡のファインダー図のように天の北を上・東を左にして描きます。既定では目で見るとおり天頂が上です。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="336"/>
        <source>Stephenson, Morrison &amp; Hohenkerk 2020 (smh2020)</source>
        <translation>Stephenson・Morrison・Hohenkerk 2020年版 (smh2020)</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="337"/>
        <source>Stephenson, Morrison &amp; Hohenkerk 2016 (smh2016)</source>
        <translation>Stephenson・Morrison・Hohenkerk 2016年版 (smh2016)</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="338"/>
        <source>Espenak &amp; Meeus 2006 (em2006)</source>
        <translation>Espenak・Meeus 2006年 (em2006)</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="341"/>
        <source>ΔT for DE431&apos;s lunar acceleration (ṅ)</source>
        <translation>ΔTをDE431の月の潮汐加速度(ṅ)に合わせる</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="342"/>
        <source>Corrects the model&apos;s ΔT from the lunar tidal acceleration it was derived with (ṅ -25.82 or -26″/cy²) to that of DE431, the ephemeris of the catalog (-25.80): about 8 s at 136 BC, an hour at -12000.</source>
        <translation>モデルのΔTを、その導出に使われた月の潮汐加速度(ṅ −25.82 または −26″/世紀²)から、カタログの暦DE431の値(−25.80)に補正します。紀元前136年で約8秒、−12000年で約1時間です。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="347"/>
        <source>Always</source>
        <translation>常に</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="348"/>
        <source>Never</source>
        <translation>なし</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="347"/>
        <source>On the globe (not the Mercator map)</source>
        <translation>地球儀の図のみ（メルカトル図を除く）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="350"/>
        <source>Use the CIA map</source>
        <translation>CIA MAPを使用</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="351"/>
        <source>Draws coasts, rivers and borders as lines (CIA World Data Bank II) instead of the coloured relief.</source>
        <translation>色分けした地形の代わりに、海岸線・河川・国境を線で描きます（CIA World Data Bank II）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="354"/>
        <source>Mercator projection</source>
        <translation>メルカトル図法</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="355"/>
        <source>Draws the whole world on the Mercator map instead of the globe.</source>
        <translation>地球儀の代わりにメルカトル図法で世界全体を描きます。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="360"/>
        <source>Map range</source>
        <translation>描画範囲</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="363"/>
        <source>Globe</source>
        <translation>地球儀</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="363"/>
        <source>The whole globe, centred on greatest eclipse.</source>
        <translation>食の最大の地点を中心にした地球全体。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="366"/>
        <source>Asia</source>
        <translation>アジア</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="366"/>
        <source>A regional globe of East Asia, with place names.</source>
        <translation>東アジアの地域図（地名つき）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="369"/>
        <source>Europe</source>
        <translation>ヨーロッパ</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="369"/>
        <source>A regional globe of Europe, with place names.</source>
        <translation>ヨーロッパの地域図（地名つき）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="373"/>
        <source>Typed values</source>
        <translation>値入力</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="374"/>
        <source>A globe about the longitude and latitude typed below, magnified as typed.</source>
        <translation>下に入力した経度・緯度を中心に、入力した倍率で描く地球儀。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="377"/>
        <location filename="../app/gui/dialogs.cpp" line="440"/>
        <source>Longitude:</source>
        <translation>経度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="378"/>
        <source>The longitude of the map&apos;s centre in degrees, east positive (-360 to 360).</source>
        <translation>地図の中心の経度（度、東経が正。-360～360）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="379"/>
        <source>Latitude:</source>
        <translation>緯度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="380"/>
        <source>The latitude of the map&apos;s centre in degrees, north positive (-90 to 90).</source>
        <translation>地図の中心の緯度（度、北緯が正。-90～90）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="381"/>
        <source>Magnification:</source>
        <translation>倍率：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="382"/>
        <source>The globe&apos;s radius in whole-globe radii (up to 5000): 20 shows a country, 1000 a town.</source>
        <translation>地球全体図の半径を1とした地球儀の半径（5000まで）。20で一国、1000で一つの町ほどの範囲です。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="388"/>
        <source>Display settings</source>
        <translation>表示設定</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="391"/>
        <source>Drawing step (minutes):</source>
        <translation>描画速度（分）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="392"/>
        <source>The time between the points of the curves, minutes (0.001 to 100): smaller draws smoother curves, more slowly.</source>
        <translation>曲線の点の時間間隔（分、0.001～100）。小さいほど滑らかですが、描画に時間がかかります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="395"/>
        <source>ΔT adjustment (s):</source>
        <translation>ΔT調整（秒）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="396"/>
        <source>Seconds added to the model&apos;s ΔT (-100000 to 100000). ΔT is how far the Earth&apos;s rotation lags uniform time; a larger ΔT moves the path west by 15 degrees an hour.</source>
        <translation>モデルの ΔT に加える秒数（-100000～100000）。ΔT は地球の自転が一様な時刻から遅れた量で、大きくすると経路が1時間につき15度西へ移ります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="399"/>
        <source>ΔT model:</source>
        <translation>ΔTモデル：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="400"/>
        <source>The model of ΔT the eclipse is computed with: the 2020 spline of Stephenson, Morrison &amp; Hohenkerk (the default), their 2016 spline, or the polynomials of Espenak &amp; Meeus that the NASA canons use.</source>
        <translation>日食の計算に使うΔTのモデル：Stephenson・Morrison・Hohenkerkの2020年版スプライン(既定)、同2016年版スプライン、またはNASAのカノンが使うEspenak・Meeusの多項式。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="405"/>
        <source>Legend:</source>
        <translation>凡例：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="406"/>
        <source>Where the legend of the map&apos;s colours and marks and the labels of its curves are drawn.</source>
        <translation>地図の色と記号の凡例、および曲線のラベルをどの地図に描くか。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="410"/>
        <source>Sun&apos;s radius (arcseconds at 1 au):</source>
        <translation>太陽半径（1 au での角度、秒）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="411"/>
        <source>The Sun&apos;s angular radius at 1 au that the shadow&apos;s cones are computed with (900 to 1000): 959.95 as on recent eclipse maps. Empty: the catalog&apos;s 696,000 km (959.63). The map&apos;s legend says which.</source>
        <translation>影の円錐を計算する太陽の視半径（1 au での値、900～1000 秒）：近年の日食図では 959.95。空欄ならカタログの 696,000 km（959.63 秒）。地図の凡例に使った値を示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="420"/>
        <source>Observing place</source>
        <translation>観測地設定</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="427"/>
        <source>Display mode</source>
        <translation>表示モード</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="429"/>
        <source>Eclipse path</source>
        <translation>日蝕経路</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="430"/>
        <source>The map of the eclipse&apos;s path with its curves and the panel of greatest eclipse and the contacts.</source>
        <translation>日蝕の経路と曲線、食の最大と接触の欄を示す地図。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="435"/>
        <source>Central line table</source>
        <translation>日蝕中心帯</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="436"/>
        <source>The central line by longitude: its limits, time, duration, width and the Sun&apos;s altitude.</source>
        <translation>経度ごとの中心線：限界線、時刻、継続時間、幅、太陽高度。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="441"/>
        <source>The first longitude of the table in degrees, east positive.</source>
        <translation>表の最初の経度（度、東経が正）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="442"/>
        <source>Step:</source>
        <translation>ステップ：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="443"/>
        <source>The longitude between the table&apos;s rows, degrees (0.01 to 100).</source>
        <translation>表の行の経度間隔（度、0.01～100）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="445"/>
        <source>Local circumstances</source>
        <translation>局地状況</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="446"/>
        <source>The eclipse seen from the observing place: its contacts, magnitude, the Sun&apos;s altitude and the clocks of the place.</source>
        <translation>観測地から見た日蝕：接触時刻、食分、太陽高度、その地の時計の時刻。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="450"/>
        <source>View from the place</source>
        <translation>現地の見え方</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="451"/>
        <source>The Sun and the Moon as the observing place sees them at the time slider&apos;s instant (else the maximum): their sizes, the horizon and the contacts on the Sun&apos;s limb.</source>
        <translation>観測地から見た太陽と月を、時刻スライダーの時刻（なければ食の最大）で描きます：見かけの大きさ、地平線、太陽の縁の接触位置。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="484"/>
        <source>Place:</source>
        <translation>地名：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="485"/>
        <source>Type a place name of the gazetteer and choose it, or its coordinates (&quot;36.36N 43.15E&quot;; two bare numbers are longitude, latitude): its position and height fill the fields above.</source>
        <translation>地名辞典の地名を入力して選ぶか、座標を入力します（「36.36N 43.15E」。記号のない二つの数は経度、緯度の順）。その位置と高さが上の欄に入ります。</translation>
    </message>
</context>
<context>
    <name>vesk::EclipseListDialog</name>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="51"/>
        <source>Eclipse List</source>
        <translation>日蝕検索リスト表示</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="74"/>
        <source>The first year searched, -13000 to 16999 (a year before 1 also as &quot;763 BC&quot;).</source>
        <translation>検索する最初の年（-13000～16999。紀元前は「763 BC」とも入力できます）。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="77"/>
        <source>How many years are searched from the first year (1 to 5000).</source>
        <translation>最初の年から検索する年数（1～5000）。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="78"/>
        <source>Search</source>
        <translation>検索開始</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="61"/>
        <source>The eclipses found: date, type, Saros series and member; for a place search also the maximum there, its magnitude, obscuration and the Sun&apos;s altitude. A double click shows the whole eclipse.</source>
        <translation>見つかった日蝕：日付、種類、サロス系列と番号。地点の検索ではその地点での食の最大、食分、食面積比と太陽高度も示します。ダブルクリックで日蝕の全体を表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="69"/>
        <source>The most eclipses listed (1 to 10000): the search stops when it has found so many.</source>
        <translation>一覧に載せる日蝕の最大数（1～10000）：この数が見つかると検索を止めます。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="79"/>
        <source>Lists the eclipses of those years that the search mode finds, up to the limit.</source>
        <translation>その年の範囲で検索モードが見つける日蝕を、最大数まで一覧にします。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="81"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="81"/>
        <source>Stops a search that is running.</source>
        <translation>実行中の検索を止めます。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="88"/>
        <source>Draw eclipse</source>
        <translation>日蝕描画</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="89"/>
        <source>Shows the eclipse selected in the list in the window.</source>
        <translation>一覧で選んだ日蝕をウィンドウに表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="90"/>
        <source>Close</source>
        <translation>終了</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="91"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="95"/>
        <source>First year</source>
        <translation>検索開始年</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="97"/>
        <source>Years searched</source>
        <translation>調査期間（年）</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="99"/>
        <source>Most eclipses</source>
        <translation>最大件数</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="142"/>
        <source>Date (UT)</source>
        <translation>日付（UT）</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="142"/>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="142"/>
        <source>Saros</source>
        <translation>サロス</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="144"/>
        <source>Chance of the sighting</source>
        <translation>その見え方の確率</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="145"/>
        <source>Chance of a central eclipse</source>
        <translation>中心食の確率</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="147"/>
        <source>Maximum (UT)</source>
        <translation>食の最大（UT）</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="147"/>
        <source>On the place&apos;s clocks</source>
        <translation>その地の時計</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="147"/>
        <source>Magnitude</source>
        <translation>食分</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="148"/>
        <source>Obscuration</source>
        <translation>食面積比</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="148"/>
        <source>Sun&apos;s altitude</source>
        <translation>太陽高度</translation>
    </message>
    <message>
        <location filename="../app/gui/list_dialog.cpp" line="254"/>
        <source>The search stopped at %1 eclipses: a larger limit or fewer years lists the rest.</source>
        <translation>%1 件で検索を止めました。最大件数を増やすか年数を減らすと残りも一覧にできます。</translation>
    </message>
</context>
<context>
    <name>vesk::ExchangeDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="76"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="144"/>
        <source>The cities of the city list: the one chosen is the observing place, with its position and height.</source>
        <translation>都市リストの都市。選んだ都市が、その位置と標高とともに観測地になります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="160"/>
        <source>From the list</source>
        <translation>選択</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="161"/>
        <source>Observe from the city chosen in the city list.</source>
        <translation>都市リストで選んだ都市から観測します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="165"/>
        <source>Typed</source>
        <translation>入力</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="166"/>
        <source>Observe from the longitude, latitude and height typed.</source>
        <translation>入力した経度・緯度・標高から観測します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="168"/>
        <source>Longitude:</source>
        <translation>経度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="169"/>
        <source>The observer&apos;s longitude in degrees, east positive and west negative (-360 to 360).</source>
        <translation>観測地の経度（度、東経が正、西経が負。-360～360）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="172"/>
        <source>Latitude:</source>
        <translation>緯度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="173"/>
        <source>The observer&apos;s latitude in degrees, north positive and south negative (-90 to 90).</source>
        <translation>観測地の緯度（度、北緯が正、南緯が負。-90～90）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="176"/>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="177"/>
        <source>The observer&apos;s height above sea level in metres (0 to 4000); left empty, the relief grid&apos;s height there. It moves the contacts by up to seconds.</source>
        <translation>観測地の標高（メートル、0～4000）。空欄なら地形データのその地点の標高です。接触時刻が最大で数秒変わります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="225"/>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>vesk::MainWindow</name>
    <message>
        <location filename="../app/gui/main_window.cpp" line="475"/>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="478"/>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="483"/>
        <source>&amp;Export Picture...</source>
        <translation>画像の書き出し(&amp;E)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="487"/>
        <source>Export &amp;KML...</source>
        <translation>KML の書き出し(&amp;K)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="499"/>
        <source>&amp;Print...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="503"/>
        <source>Print Pre&amp;view...</source>
        <translation>印刷プレビュー(&amp;V)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="506"/>
        <source>P&amp;rint Setup...</source>
        <translation>プリンタの設定(&amp;R)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="509"/>
        <source>Print on &amp;White</source>
        <translation>白地に印刷(&amp;W)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="513"/>
        <source>Print the black background white, every colour inverted</source>
        <translation>黒い背景を白に、色を反転して印刷する</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="515"/>
        <source>E&amp;xit</source>
        <translation>アプリケーションの終了(&amp;X)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="586"/>
        <source>&amp;About vesk...</source>
        <translation>vesk のバージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="223"/>
        <source>Shows the previous eclipse that the search mode finds (Page Up).</source>
        <translation>検索モードに合う前の日蝕を表示します（Page Up）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="228"/>
        <source>Shows the next eclipse that the search mode finds (Page Down).</source>
        <translation>検索モードに合う次の日蝕を表示します（Page Down）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="259"/>
        <source>Leaves the regional map for the whole globe, centred on greatest eclipse (Home).</source>
        <translation>地域図から、食の最大の地点を中心にした地球全体図に戻ります（Home）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="479"/>
        <source>Opens another window on the same eclipse and settings; each window then goes its own way (Ctrl+N).</source>
        <translation>同じ日蝕と設定で別のウィンドウを開きます。以後はそれぞれ独立に動きます（Ctrl+N）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="484"/>
        <source>Saves the screen shown as a PNG, SVG or PDF file, by the name&apos;s ending (Ctrl+S).</source>
        <translation>表示中の画面を、名前の拡張子に応じて PNG・SVG・PDF ファイルに保存します（Ctrl+S）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="488"/>
        <source>Writes the path of the eclipse shown as KML documents for Google Earth into a folder.</source>
        <translation>表示中の日蝕の経路を Google Earth 用の KML ファイルとしてフォルダーに書き出します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="493"/>
        <source>Save Repor&amp;t...</source>
        <translation>引用用レポートを保存(&amp;T)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="494"/>
        <source>Writes a page to cite of the eclipse shown, seen from the observer&apos;s place, as PDF or SVG: a map of the place with the path and the band of ΔT, the local circumstances in UT, mean and apparent time and time-degrees, the ranges of ΔT with their probabilities, the radii and the sources.</source>
        <translation>表示中の日蝕を観測地から見た、引用用の1ページを PDF または SVG で書き出します：経路と ΔT の幅を描いた観測地の地図、UT・地方平時・地方視太陽時・時度（タイム・ディグリー）による局地状況、ΔT の範囲とその確率、半径、出典。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="501"/>
        <source>Prints the screen shown on one page (Ctrl+P).</source>
        <translation>表示中の画面を1ページに印刷します（Ctrl+P）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="505"/>
        <source>Shows the printed page before it is printed.</source>
        <translation>印刷する前に印刷されるページを表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="508"/>
        <source>Chooses the paper, its orientation and the margins of the printed page.</source>
        <translation>印刷の用紙、向き、余白を選びます。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="510"/>
        <source>Prints the black background white, every colour inverted, to save ink; the screen stays as it is.</source>
        <translation>インクを節約するため、黒い背景を白にし、すべての色を反転して印刷します。画面はそのままです。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="516"/>
        <source>Closes every vesk window and quits (Ctrl+Q).</source>
        <translation>vesk のすべてのウィンドウを閉じて終了します（Ctrl+Q）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="587"/>
        <source>The program&apos;s version, its catalog of eclipses and its licence.</source>
        <translation>プログラムのバージョン、日蝕カタログ、ライセンス。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="523"/>
        <source>&amp;Toolbar</source>
        <translation>ツール バー(&amp;T)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="523"/>
        <source>Shows or hides the toolbar.</source>
        <translation>ツールバーを表示または非表示にします。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="524"/>
        <source>&amp;Status Bar</source>
        <translation>ステータス バー(&amp;S)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="525"/>
        <source>Shows or hides the status bar, which reads out the eclipse at the map point under the pointer.</source>
        <translation>ステータスバーを表示または非表示にします。ステータスバーにはポインターの下の地点での日蝕が表示されます。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="535"/>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="539"/>
        <source>Time S&amp;lider</source>
        <translation>時刻スライダー(&amp;L)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="540"/>
        <source>Shows a slider below the map that draws the shadow at any instant of the eclipse, and plays it.</source>
        <translation>地図の下にスライダーを表示し、日蝕中の任意の時刻の影を描き、再生します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="544"/>
        <source>Time Slider</source>
        <translation>時刻スライダー</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="568"/>
        <source>Text Si&amp;ze</source>
        <translation>文字の大きさ(&amp;Z)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="574"/>
        <source>Draws the text of the panels, tables and reports at %1 % of its size.</source>
        <translation>欄・表・報告の文字を %1 % の大きさで描きます。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="590"/>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="593"/>
        <source>Click it, then a control, to read what the control does (Shift+F1).</source>
        <translation>これをクリックしてから部品をクリックすると、その働きが表示されます（Shift+F1）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="595"/>
        <source>User &amp;Guide</source>
        <translation>利用の手引き(&amp;G)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="596"/>
        <source>Opens the guide: what every line, colour and mark of each screen means, with pictures (F1).</source>
        <translation>手引きを開きます：各画面のすべての行・色・記号の意味を図とともに説明します（F1）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="599"/>
        <source>&amp;Ancient Eclipses and ΔT</source>
        <translation>古代の日蝕と ΔT(&amp;A)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="601"/>
        <source>Opens the guide&apos;s page on the uncertainty of ΔT: how sure the path and the chance of totality are for an ancient eclipse.</source>
        <translation>手引きの ΔT の不確かさのページを開きます：古代の日蝕で経路と皆既の確率がどれほど確かか。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="603"/>
        <source>G&amp;lossary</source>
        <translation>用語集(&amp;L)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="604"/>
        <source>Opens the guide&apos;s glossary: Besselian elements, ΔT, the types of eclipse, magnitude, Saros, the calendars and the kinds of local time.</source>
        <translation>手引きの用語集を開きます：ベッセル要素、ΔT、日蝕の種類、食分、サロス、暦、地方時の種類。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="206"/>
        <source>Year/Mo&amp;nth</source>
        <translation>年月設定(&amp;N)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="207"/>
        <source>Chooses the year and month of the eclipse shown (-13000 to 16999; a year before 1 also as &quot;763 BC&quot;).</source>
        <translation>表示する日蝕の年と月を選びます（-13000～16999。紀元前は「763 BC」とも入力できます）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="211"/>
        <source>&amp;Display Mode</source>
        <translation>表示モード(&amp;D)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="217"/>
        <source>Search &amp;Mode</source>
        <translation>検索モード(&amp;M)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="218"/>
        <source>Chooses the eclipses that Previous and Next step through: all, one type, those seen from a place, or one Saros series.</source>
        <translation>「前」「次」でたどる日蝕を選びます：すべて、一つの種類、ある地点から見えるもの、一つのサロス系列。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="222"/>
        <source>&amp;Previous Eclipse</source>
        <translation>前の日蝕(&amp;P)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="227"/>
        <source>&amp;Next Eclipse</source>
        <translation>次の日蝕(&amp;N)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="250"/>
        <source>Zoom &amp;In</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="251"/>
        <source>Doubles the map&apos;s magnification about its centre (+); the whole globe becomes a regional map.</source>
        <translation>地図の中心を保って倍率を2倍にします（+）。地球全体図は地域図になります。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="255"/>
        <source>Zoom &amp;Out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="256"/>
        <source>Halves the map&apos;s magnification about its centre (-).</source>
        <translation>地図の中心を保って倍率を半分にします（-）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="258"/>
        <source>W&amp;hole Globe</source>
        <translation>地球全体(&amp;H)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="264"/>
        <source>&amp;West</source>
        <translation>西へ(&amp;W)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="265"/>
        <source>Moves the regional map&apos;s centre west (Left arrow).</source>
        <translation>地域図の中心を西へ動かします（←）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="267"/>
        <source>&amp;East</source>
        <translation>東へ(&amp;E)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="268"/>
        <source>Moves the regional map&apos;s centre east (Right arrow).</source>
        <translation>地域図の中心を東へ動かします（→）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="270"/>
        <source>North (&amp;Up)</source>
        <translation>北へ(&amp;U)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="271"/>
        <source>Moves the regional map&apos;s centre north (Up arrow).</source>
        <translation>地域図の中心を北へ動かします（↑）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="273"/>
        <source>South (&amp;Down)</source>
        <translation>南へ(&amp;D)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="274"/>
        <source>Moves the regional map&apos;s centre south (Down arrow).</source>
        <translation>地域図の中心を南へ動かします（↓）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="276"/>
        <source>&amp;Redraw</source>
        <translation>再描画(&amp;R)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="277"/>
        <source>Draws the screen again, reading again the data files that changed (F5).</source>
        <translation>変更されたデータファイルを読み直して画面を描き直します（F5）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="391"/>
        <source>Settings reset: the next start begins from them too.</source>
        <translation>設定を初期状態に戻しました。次回の起動もこの設定から始まります。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="490"/>
        <source>Export &amp;GeoJSON...</source>
        <translation>GeoJSON の書き出し(&amp;G)...</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="491"/>
        <source>Writes the path of the eclipse shown as a GeoJSON document (YYYYMM.geojson) for GIS programs and web maps into a folder.</source>
        <translation>表示中の日食の経路を、GIS ソフトやウェブ地図用の GeoJSON 文書（YYYYMM.geojson）としてフォルダに書き出します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="562"/>
        <source>&amp;Pin the Map</source>
        <translation>地図を固定(&amp;P)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="563"/>
        <source>Keeps a zoomed map where it is when another eclipse is chosen; without it the map moves to an eclipse whose path it leaves out.</source>
        <translation>別の日食を選んでも拡大した地図をその場所に留めます。固定しないときは、経路が範囲外にある日食を選ぶと地図がその日食へ移ります。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="606"/>
        <source>&amp;Reset Settings</source>
        <translation>設定の初期化(&amp;R)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="607"/>
        <source>Forgets the place, the eclipse, the map and the options kept from the last run, and shows this month&apos;s eclipse with the settings a first start has.</source>
        <translation>前回から引き継いだ観測地・日食・地図・表示オプションを忘れ、初回起動時の設定で今月の日食を表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="626"/>
        <source>&amp;Go</source>
        <translation>移動(&amp;G)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="631"/>
        <source>Doubles the map&apos;s magnification about its centre (=, the key of + on most keyboards).</source>
        <translation>地図の中心を保って倍率を2倍にします（=。多くのキーボードで + と同じキー）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="641"/>
        <source>Toolbar</source>
        <translation>ツール バー</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="233"/>
        <source>Lists the eclipses that the search mode finds over a span of years; a double click shows one.</source>
        <translation>検索モードに合う日蝕を年の範囲で一覧にします。ダブルクリックで表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="239"/>
        <source>Doubles the map&apos;s magnification (a left double click on the map first centres it on that point).</source>
        <translation>地図の倍率を2倍にします（地図を左ダブルクリックすると、先にその地点が中心になります）。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="246"/>
        <source>Halves the map&apos;s magnification.</source>
        <translation>地図の倍率を半分にします。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="281"/>
        <source>Shows the eclipse seen from the observing place: its contacts, magnitude, the Sun&apos;s altitude and the place&apos;s clocks.</source>
        <translation>観測地から見た日蝕を表示します：接触時刻、食分、太陽高度、その地の時計の時刻。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="287"/>
        <source>Shows the Sun and the Moon as the observing place sees them at the time slider&apos;s instant (else the maximum), with the horizon and the contacts.</source>
        <translation>観測地から見た太陽と月を、時刻スライダーの時刻（なければ食の最大）で、地平線と接触位置とともに表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="290"/>
        <source>The view from the place</source>
        <translation>現地の見え方</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="293"/>
        <source>Goes back to the map from the local circumstances or the central line table.</source>
        <translation>地方状況または中心線の表から地図に戻ります。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="225"/>
        <source>Show the previous eclipse</source>
        <translation>前の日蝕を表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="212"/>
        <source>Chooses the screen (the map, the central line table, the local circumstances or the view from the place), the map&apos;s range and settings, and the observing place.</source>
        <translation>画面（地図、中心線の表、地方状況、現地の見え方）、地図の範囲と設定、観測地を選びます。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="230"/>
        <source>Show the next eclipse</source>
        <translation>次の日蝕を表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="236"/>
        <source>The list of the eclipses found</source>
        <translation>日蝕検索結果のリスト</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="242"/>
        <source>Zoom in on the regional map (a left double click enters it)</source>
        <translation>地図拡大モード時拡大（拡大モードへは左ダブルクリックで）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="247"/>
        <source>Zoom out on the regional map (a left double click enters it)</source>
        <translation>地図拡大モード時縮小（拡大モードへは左ダブルクリックで）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="262"/>
        <source>Leave the regional map (the whole globe)</source>
        <translation>拡大モードの解除（地球儀表示）</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="284"/>
        <source>From the map to the local circumstances</source>
        <translation>地図表示から局地情報の表示へ</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="296"/>
        <source>Back to the map from the local circumstances or the central line table</source>
        <translation>局地情報表示や日蝕帯表示から地図表示に戻る</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="300"/>
        <source>Draws the sky at the maximum seen from the observing place inside the central path: the darkened Sun, the planets and the bright stars.</source>
        <translation>中心帯の中の観測地から見た食の最大時の空を描きます：隠された太陽、惑星、明るい恒星。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="303"/>
        <source>The sky at the maximum, inside the central path</source>
        <translation>皆既帯での星空の表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="306"/>
        <source>Corrects the second and third contacts at the observing place for the mountains and valleys of the Moon&apos;s limb (LRO LOLA heights).</source>
        <translation>観測地での第2・第3接触を、月の縁の山と谷（LRO LOLA の高度）で補正します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="309"/>
        <source>The contacts corrected for the lunar limb, inside the central path</source>
        <translation>皆既帯での月縁補正の表示</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="655"/>
        <source>Type a place name and choose it from the list, or type its coordinates (&quot;36.36N 43.15E&quot;; two bare numbers are longitude, latitude), to observe from it: the local circumstances with its height and the civil time of its clocks.</source>
        <translation>地名を入力して一覧から選ぶか、座標を入力すると（「36.36N 43.15E」。記号のない二つの数は経度、緯度の順）、その地点から観測します：その高さでの地方状況と、その地の時計の常用時。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="668"/>
        <location filename="../app/gui/main_window.cpp" line="671"/>
        <source>Ready</source>
        <translation>レディ</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="687"/>
        <source>The lunar grid (LRO.dat) is not installed: the screen then shows the command that makes it.</source>
        <translation>月の標高ファイル(LRO.dat)がインストールされていません：画面にそれを作るコマンドを表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="697"/>
        <source>PNG image (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="700"/>
        <location filename="../app/gui/main_window.cpp" line="736"/>
        <source>SVG drawing (*.svg)</source>
        <translation>SVG 図形 (*.svg)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="701"/>
        <location filename="../app/gui/main_window.cpp" line="733"/>
        <source>PDF document (*.pdf)</source>
        <translation>PDF 文書 (*.pdf)</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="723"/>
        <source>Folder for the KML documents</source>
        <translation>KML の書き出し先</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="724"/>
        <source>KML documents written to %1</source>
        <translation>KML を書き出しました: %1</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="728"/>
        <source>Folder for the GeoJSON document</source>
        <translation>GeoJSON 文書を書き出すフォルダ</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="729"/>
        <source>GeoJSON document written to %1</source>
        <translation>GeoJSON 文書を %1 に書き出しました</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="752"/>
        <source>The user&apos;s guide is not installed: its pages are looked for in guide/ and ../share/vesk/guide/ beside the program.</source>
        <translation>利用の手引きがインストールされていません。プログラムの隣の guide/ と ../share/vesk/guide/ を探しました。</translation>
    </message>
    <message>
        <location filename="../app/gui/main_window.cpp" line="746"/>
        <location filename="../app/gui/main_window.cpp" line="773"/>
        <source>Saved: %1</source>
        <translation>保存しました: %1</translation>
    </message>
</context>
<context>
    <name>vesk::MapView</name>
    <message>
        <location filename="../app/gui/map_view.cpp" line="236"/>
        <location filename="../app/gui/map_view.cpp" line="245"/>
        <source>Drawing…</source>
        <translation>描画中…</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="221"/>
        <source>KML written: %1</source>
        <translation>KML を書きました: %1</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="398"/>
        <source>Copy the command</source>
        <translation>コマンドをコピー</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="400"/>
        <source>Copies the command that makes the lunar grid, to paste it into a terminal.</source>
        <translation>月の標高ファイルを作るコマンドをコピーします。端末に貼り付けて実行してください。</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="503"/>
        <location filename="../app/gui/map_view.cpp" line="509"/>
        <source>No eclipse is shown: there is no path to write.</source>
        <translation>日蝕が表示されていないため、書き出す経路がありません。</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="516"/>
        <source>Cannot write %1: the name must end in .png, .svg or .pdf.</source>
        <translation>%1 に書き込めません：名前の末尾は .png、.svg、.pdf のいずれかにしてください。</translation>
    </message>
    <message>
        <location filename="../app/gui/map_view.cpp" line="525"/>
        <source>No eclipse is shown: there is nothing to report.</source>
        <translation>日蝕が表示されていないため、レポートにする内容がありません。</translation>
    </message>
</context>
<context>
    <name>vesk::PlaceField</name>
    <message>
        <location filename="../app/gui/place_field.cpp" line="16"/>
        <source>Place name</source>
        <translation>地名</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="88"/>
        <source>Read as %1</source>
        <translation>%1 と読みました</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="95"/>
        <source>No gazetteer (cities15000.txt of libtimezonemap-data)</source>
        <translation>地名辞典（libtimezonemap-data の cities15000.txt）がありません</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="110"/>
        <source>No place called &quot;%1&quot;</source>
        <translation>「%1」という地名は見つかりません</translation>
    </message>
    <message>
        <location filename="../app/gui/place_field.cpp" line="113"/>
        <source>&quot;%1&quot; names several places: choose one from the list</source>
        <translation>「%1」は複数の地名に当たります。一覧から選んで下さい</translation>
    </message>
</context>
<context>
    <name>vesk::SearchDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="513"/>
        <source>Search Mode</source>
        <translation>検索モードメニュー</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="537"/>
        <source>The type of eclipse that the search steps through.</source>
        <translation>検索でたどる日蝕の種類。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="533"/>
        <source>Partial</source>
        <translation>部分日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="533"/>
        <location filename="../app/gui/dialogs.cpp" line="539"/>
        <source>Total</source>
        <translation>皆既日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="533"/>
        <location filename="../app/gui/dialogs.cpp" line="540"/>
        <source>Annular</source>
        <translation>金環日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="534"/>
        <source>Hybrid (annular-total)</source>
        <translation>金環皆既日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="534"/>
        <source>Total without a central line</source>
        <translation>中心線のない皆既日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="535"/>
        <source>Annular without a central line</source>
        <translation>中心線のない金環日蝕</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="567"/>
        <source>Search from year/month</source>
        <translation>検索開始年月設定</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="568"/>
        <source>Chooses the year and month from which Previous and Next search.</source>
        <translation>「前」「次」の検索を始める年と月を選びます。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="539"/>
        <source>— (by magnitude or probability)</source>
        <translation>―（食分または確率で検索）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="540"/>
        <source>Total or annular</source>
        <translation>皆既または金環</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="541"/>
        <source>At least the magnitude above</source>
        <translation>上の食分以上</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="545"/>
        <source>Any time with the Sun up</source>
        <translation>太陽が出ている間ならいつでも</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="545"/>
        <source>Sun&apos;s altitude (degrees)</source>
        <translation>太陽高度（度）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="546"/>
        <source>Local apparent time (hours)</source>
        <translation>地方視太陽時（時）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="546"/>
        <source>Hours after sunrise</source>
        <translation>日の出後の時間（時）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="547"/>
        <source>Hours before sunset</source>
        <translation>日の入り前の時間（時）</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="547"/>
        <source>Time-degrees after sunrise</source>
        <translation>日の出後の時度</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="548"/>
        <source>Time-degrees before sunset</source>
        <translation>日の入り前の時度</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="581"/>
        <source>How many years before the month shown the eclipse list searches (0 to 1000).</source>
        <translation>日蝕一覧が表示中の月からさかのぼって検索する年数（0～1000）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="625"/>
        <source>Search mode</source>
        <translation>検索モード</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="628"/>
        <source>All</source>
        <translation>全て</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="628"/>
        <source>Previous and Next step through every eclipse.</source>
        <translation>「前」「次」ですべての日蝕をたどります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="629"/>
        <source>Eclipse type</source>
        <translation>日蝕タイプ</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="630"/>
        <source>Previous and Next step through eclipses of the type chosen.</source>
        <translation>「前」「次」で選んだ種類の日蝕をたどります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="590"/>
        <location filename="../app/gui/dialogs.cpp" line="602"/>
        <source>Years searched back:</source>
        <translation>過去検索範囲（年）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="633"/>
        <source>Place / magnitude</source>
        <translation>観測地／食分</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="634"/>
        <source>Previous and Next step through eclipses seen from the observing place with the Sun up and at least the magnitude typed.</source>
        <translation>「前」「次」で、観測地から太陽が出ている間に入力した食分以上で見える日蝕をたどります。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="597"/>
        <source>Observing place</source>
        <translation>観測地</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="599"/>
        <source>Magnitude:</source>
        <translation>食分：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="600"/>
        <source>The least magnitude at the place, 0 to 1.5: the share of the Sun&apos;s diameter that the Moon covers (1 or more: total).</source>
        <translation>その地点での最小の食分（0～1.5）：月が覆う太陽の直径の割合（1以上で皆既）。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="603"/>
        <source>Probability of a central eclipse (0: by magnitude):</source>
        <translation>中心食の確率（0で食分）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="604"/>
        <source>The least chance, 0 to 1, that the eclipse was total or annular at the place given the uncertainty of ΔT; 0 searches by the magnitude instead.</source>
        <translation>ΔT の不確かさを考えて、その地点で皆既または金環になった確率の最小値（0～1）。0 なら食分で検索します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="606"/>
        <source>Seen in the record:</source>
        <translation>記録の見え方：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="607"/>
        <source>Which eclipse a record describes: what it says was seen at the place with the Sun up. The list then gives every eclipse seen so with at least the probability above (0: 0.01) under the uncertainty of ΔT, the likeliest first.</source>
        <translation>記録がどの日蝕を伝えているか：その地点で太陽が出ている間に何が見えたと記録にあるか。一覧には、ΔT の不確かさのもとでそう見えた確率が上の確率（0 なら 0.01）以上の日蝕を、確率の高い順に並べます。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="611"/>
        <source>When in the day:</source>
        <translation>一日のいつ：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="612"/>
        <source>When the record says it was seen, at the maximum: the Sun&apos;s altitude, the local apparent time, or the time after sunrise or before sunset (1 time-degree is 4 minutes), from and to the values below.</source>
        <translation>記録が伝える見えた時刻（食の最大時）：太陽高度、地方視太陽時、または日の出後・日の入り前の時間（1時度は4分）を、下の値の範囲で指定します。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="616"/>
        <source>The span&apos;s start.</source>
        <translation>範囲の始め。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="617"/>
        <source>to</source>
        <translation>～</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="618"/>
        <source>The span&apos;s end.</source>
        <translation>範囲の終わり。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="619"/>
        <source>From:</source>
        <translation>範囲：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="638"/>
        <source>Saros series</source>
        <translation>サロス番号</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="639"/>
        <source>Previous and Next step through one Saros series: eclipses 18 years 11 days apart that repeat each other.</source>
        <translation>「前」「次」で一つのサロス系列をたどります：18年11日おきに似た日蝕が繰り返す系列です。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="642"/>
        <source>The number of the Saros series (-400 to 400).</source>
        <translation>サロス系列の番号（-400～400）。</translation>
    </message>
</context>
<context>
    <name>vesk::TimeSlider</name>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="37"/>
        <source>The instant of the shadow drawn over the map and of the screens of the place, from the first contact to the last: the arrow keys step ten seconds, Shift with an arrow a minute, End goes to the last contact. Page Up and Down still change the eclipse, Home still shows the whole globe.</source>
        <translation>地図に描く影と、その地の画面の時刻（最初の接触から最後の接触まで）。矢印キーで10秒、Shift＋矢印キーで1分動き、End で最後の接触へ移ります。Page Up / Page Down は日食を替え、Home は地球全体を表示します。</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="46"/>
        <location filename="../app/gui/time_slider.cpp" line="68"/>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="47"/>
        <source>Moves the shadow through the eclipse at the rate chosen beside.</source>
        <translation>横で選んだ速さで、影を日蝕の始めから終わりまで動かします。</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="50"/>
        <source>How many minutes of the eclipse pass in a second of playing.</source>
        <translation>再生の1秒間に進む日蝕の分数。</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="52"/>
        <source>%1 min/s</source>
        <translation>%1 分/秒</translation>
    </message>
    <message>
        <location filename="../app/gui/time_slider.cpp" line="68"/>
        <source>Pause</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>vesk::YearMonthDialog</name>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="243"/>
        <source>Year and Month</source>
        <translation>年月設定メニュー</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="248"/>
        <source>Year(&amp;P)  (-13000 to 16999) :</source>
        <translation>年(&amp;P)（-13000〜16999）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="249"/>
        <source>The year in astronomical numbering, -13000 to 16999: year 0 is 1 BC and -762 is 763 BC, which may also be typed as &quot;763 BC&quot;. Dates before 1582 October 15 are of the Julian calendar.</source>
        <translation>天文学的な年の数え方の年（-13000～16999）：0年は紀元前1年、-762年は紀元前763年で、「763 BC」とも入力できます。1582年10月15日より前の日付はユリウス暦です。</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="252"/>
        <source>Month(&amp;M)  (1 to 12) :</source>
        <translation>月(&amp;M)（1〜12）：</translation>
    </message>
    <message>
        <location filename="../app/gui/dialogs.cpp" line="253"/>
        <source>The month, 1 to 12: the window shows the eclipse of that month, or says that it has none.</source>
        <translation>月（1～12）。その月の日蝕を表示し、なければその旨を示します。</translation>
    </message>
</context>
</TS>
