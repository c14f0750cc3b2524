<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>toluvek</name>
    <message>
        <source>&lt;水素&gt;  臨界圧 1.30MPa  臨界温度 33.2K</source>
        <translation>&lt;Hydrogen&gt;  critical pressure 1.30MPa  critical temperature 33.2K</translation>
    </message>
    <message>
        <source>&lt;酸素&gt; 臨界圧 5.04MPa  臨界温度 154.6K</source>
        <translation>&lt;Oxygen&gt; critical pressure 5.04MPa  critical temperature 154.6K</translation>
    </message>
    <message>
        <source>&lt;窒素&gt;  臨界圧 3.39MPa  臨界温度 126.2K</source>
        <translation>&lt;Nitrogen&gt;  critical pressure 3.39MPa  critical temperature 126.2K</translation>
    </message>
    <message>
        <source>&lt;一酸化炭素&gt;  臨界圧 3.49MPa  臨界温度 132.9K</source>
        <translation>&lt;Carbon monoxide&gt;  critical pressure 3.49MPa  critical temperature 132.9K</translation>
    </message>
    <message>
        <source>&lt;二酸化炭素&gt;  臨界圧 7.37MPa  臨界温度 304.2K</source>
        <translation>&lt;Carbon dioxide&gt;  critical pressure 7.37MPa  critical temperature 304.2K</translation>
    </message>
    <message>
        <source>&lt;水蒸気&gt;  臨界圧 22.04MPa  臨界温度 647.3K</source>
        <translation>&lt;Water vapour&gt;  critical pressure 22.04MPa  critical temperature 647.3K</translation>
    </message>
    <message>
        <source>&lt;メタノール&gt;  臨界圧 8.09MPa  臨界温度 512.6K</source>
        <translation>&lt;Methanol&gt;  critical pressure 8.09MPa  critical temperature 512.6K</translation>
    </message>
    <message>
        <source>&lt;メタン&gt;  臨界圧 4.60MPa  臨界温度 190.6K</source>
        <translation>&lt;Methane&gt;  critical pressure 4.60MPa  critical temperature 190.6K</translation>
    </message>
    <message>
        <source>&lt;エタン&gt;  臨界圧 4.88MPa  臨界温度 305.4K</source>
        <translation>&lt;Ethane&gt;  critical pressure 4.88MPa  critical temperature 305.4K</translation>
    </message>
    <message>
        <source>&lt;プロパン&gt;  臨界圧 4.24MPa  臨界温度 369.8K</source>
        <translation>&lt;Propane&gt;  critical pressure 4.24MPa  critical temperature 369.8K</translation>
    </message>
    <message>
        <source>&lt;ブタン&gt;  臨界圧 3.80MPa  臨界温度 425.2K</source>
        <translation>&lt;n-Butane&gt;  critical pressure 3.80MPa  critical temperature 425.2K</translation>
    </message>
    <message>
        <source>&lt;イソブタン&gt;  臨界圧 3.65MPa  臨界温度 408.1K</source>
        <translation>&lt;Isobutane&gt;  critical pressure 3.65MPa  critical temperature 408.1K</translation>
    </message>
    <message>
        <source>O2不足です</source>
        <translation>Not enough O2</translation>
    </message>
    <message>
        <source>燃焼しません</source>
        <translation>Does not burn</translation>
    </message>
    <message>
        <source>入力値が不正です。</source>
        <translation>The input is invalid.</translation>
    </message>
    <message>
        <source>解が見つかりません。</source>
        <translation>No solution found.</translation>
    </message>
    <message>
        <source>エラーメッセージ</source>
        <translation>Error message</translation>
    </message>
    <message>
        <source>総モル体積変化</source>
        <translation>Change of the total molar volume</translation>
    </message>
    <message>
        <source>データ保存</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>データファイルの選択</source>
        <translation>Choose a data file</translation>
    </message>
    <message>
        <source>適用範囲外の温度です（物性値の式は約</source>
        <translation>Temperature outside the range of the property fits (about </translation>
    </message>
    <message>
        <source>水分が含まれていません!</source>
        <translation>The gas contains no water!</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの選択でｴﾗｰが発生しました。</source>
        <translation>An error occurred while choosing the file.</translation>
    </message>
    <message>
        <source>エラーです</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの保存でｴﾗｰが発生しました。</source>
        <translation>An error occurred while saving the file.</translation>
    </message>
    <message>
        <source>総モル体積</source>
        <translation>Total molar volume</translation>
    </message>
    <message>
        <source>総モル体積 = </source>
        <translation>Total molar volume = </translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat</source>
        <translation>Text files(*.txt)|*.txt|Data files(*.dat)|*.dat</translation>
    </message>
    <message>
        <source>入力値を確認下さい。</source>
        <translation>Please check the input values.</translation>
    </message>
    <message>
        <source>圧力，温度が負です!!</source>
        <translation>Pressure and temperature are negative!!</translation>
    </message>
    <message>
        <source>絶対温度が負です!!</source>
        <translation>The absolute temperature is negative!!</translation>
    </message>
    <message>
        <source>圧力が負です!!</source>
        <translation>The pressure is negative!!</translation>
    </message>
    <message>
        <source>数値が入っていません!!</source>
        <translation>A value is missing!!</translation>
    </message>
    <message>
        <source>負のモル体積があります!!</source>
        <translation>A molar volume is negative!!</translation>
    </message>
    <message>
        <source>mol体積が全て０です！！</source>
        <translation>All molar volumes are 0!!</translation>
    </message>
    <message>
        <source>入力値エラー</source>
        <translation>Input error</translation>
    </message>
    <message>
        <source>大阪ガス(&amp;O)</source>
        <translation>Osaka Gas(&amp;O)</translation>
    </message>
    <message>
        <source>東京ガス(&amp;T)</source>
        <translation>Tokyo Gas(&amp;T)</translation>
    </message>
    <message>
        <source>広島ガス(&amp;H)</source>
        <translation>Hiroshima Gas(&amp;H)</translation>
    </message>
    <message>
        <source>エラー!</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>絶対零度以下です!</source>
        <translation>Below absolute zero!</translation>
    </message>
    <message>
        <source>外径</source>
        <translation variants="yes">
            <lengthvariant>Outer diameter</lengthvariant>
            <lengthvariant>Outer dia.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>内径</source>
        <translation variants="yes">
            <lengthvariant>Inner diameter</lengthvariant>
            <lengthvariant>Inner dia.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>管径</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source>流路断面積</source>
        <translation>Flow area</translation>
    </message>
    <message>
        <source>ガス流速</source>
        <translation>Gas velocity</translation>
    </message>
    <message>
        <source>水力直径</source>
        <translation variants="yes">
            <lengthvariant>Hydraulic diameter</lengthvariant>
            <lengthvariant>Hydraulic dia.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>Re数</source>
        <translation>Re</translation>
    </message>
    <message>
        <source>対流熱伝達率</source>
        <translation variants="yes">
            <lengthvariant>Heat transfer coefficient</lengthvariant>
            <lengthvariant>Heat transfer coeff.</lengthvariant>
            <lengthvariant>Heat transf. coeff.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>質量速度</source>
        <translation>Mass velocity</translation>
    </message>
    <message>
        <source>0で割りました!</source>
        <translation>Division by zero!</translation>
    </message>
    <message>
        <source>入力値が負です!</source>
        <translation>An input is negative!</translation>
    </message>
    <message>
        <source>←蒸発潜熱</source>
        <translation>←Latent heat</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ガス流量が負です!!</source>
        <translation>The gas flow is negative!!</translation>
    </message>
    <message>
        <source>解が見つかりません!</source>
        <translation>No solution found!</translation>
    </message>
    <message>
        <source>気</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>液</source>
        <translation>Liquid</translation>
    </message>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>追加する空気の量</source>
        <translation>Amount of air to add</translation>
    </message>
    <message>
        <source>合計Input</source>
        <translation>Total Input</translation>
    </message>
    <message>
        <source>合計値</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>空気追加</source>
        <translation>Add air</translation>
    </message>
    <message>
        <source>合計値入力</source>
        <translation>Enter total</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>%1の単位</source>
        <translation>Unit of %1</translation>
    </message>
    <message>
        <source>閉</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>圧 力</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <source>温 度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>熱 量</source>
        <translation>Heat</translation>
    </message>
    <message>
        <source>圧力</source>
        <translation variants="yes">
            <lengthvariant>Pressure</lengthvariant>
            <lengthvariant>Press.</lengthvariant>
            <lengthvariant>P</lengthvariant>
        </translation>
    </message>
    <message>
        <source>温度</source>
        <translation variants="yes">
            <lengthvariant>Temperature</lengthvariant>
            <lengthvariant>Temp.</lengthvariant>
            <lengthvariant>T</lengthvariant>
        </translation>
    </message>
    <message>
        <source>熱流量</source>
        <translation>Heat flow</translation>
    </message>
    <message>
        <source>熱量</source>
        <translation>Heat</translation>
    </message>
    <message>
        <source>%1の換算値</source>
        <translation>%1 converted</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>流量の単位</source>
        <translation>Unit of flow</translation>
    </message>
    <message>
        <source>流路</source>
        <translation>Duct</translation>
    </message>
    <message>
        <source>流路の形</source>
        <translation>Shape of the duct</translation>
    </message>
    <message>
        <source>円管</source>
        <translation>Circular</translation>
    </message>
    <message>
        <source>二重管</source>
        <translation>Double pipe</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangular</translation>
    </message>
    <message>
        <source>寸法1</source>
        <translation>Dimension 1</translation>
    </message>
    <message>
        <source>寸法2</source>
        <translation>Dimension 2</translation>
    </message>
    <message>
        <source>クリックで m と mm を切り替え、数値を換算</source>
        <translation>Click to switch between m and mm, converting the value</translation>
    </message>
    <message>
        <source>クリックで m と mm を切り替え、数値はそのまま</source>
        <translation>Click to switch between m and mm, keeping the number</translation>
    </message>
    <message>
        <source>計&#x3000;&#x3000;算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>流 量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>クリックで水のエンタルピを計算</source>
        <translation>Click for the enthalpy of water</translation>
    </message>
    <message>
        <source> 流量</source>
        <translation> flow</translation>
    </message>
    <message>
        <source>H2O 蒸発潜熱</source>
        <translation>H2O latent heat</translation>
    </message>
    <message>
        <source>CH3OH 蒸発潜熱</source>
        <translation>CH3OH latent heat</translation>
    </message>
    <message>
        <source>開始温度 ℃</source>
        <translation>Start temperature ℃</translation>
    </message>
    <message>
        <source>終了温度 ℃</source>
        <translation>End temperature ℃</translation>
    </message>
    <message>
        <source>計算</source>
        <translation variants="yes">
            <lengthvariant>Calculate</lengthvariant>
            <lengthvariant>Calc.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>計算機</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>（mol体積割合は比率が同じであれば絶対値は関係ありません。）</source>
        <translation>(Only the ratios of the molar volumes matter, not their absolute values.)</translation>
    </message>
    <message>
        <source>Clipboardボタンを押せば，クリップボードに計算結果をコピーできます。</source>
        <translation>The Clipboard button copies the results to the clipboard.</translation>
    </message>
    <message>
        <source>&quot;H2O&quot;をクリックすると飽和温度や液体のｴﾝﾀﾙﾋﾟ計算等ができます。</source>
        <translation>A click on &quot;H2O&quot; gives the saturation temperature, the enthalpy of liquid water and more.</translation>
    </message>
    <message>
        <source>１．使い方</source>
        <translation>1. How to use</translation>
    </message>
    <message>
        <source>&#x3000;温度，圧力と各化学種のmol体積割合を入力し，計算ボタンを押します。</source>
        <translation>Enter the temperature, the pressure and the molar volume of each species, then press Calculate.</translation>
    </message>
    <message>
        <source>２．計算の概要</source>
        <translation>2. What is calculated</translation>
    </message>
    <message>
        <source>各化学種の物性値は，種々の文献データを参照し，温度に関する多項式で近似して算出しています。常圧付近で利用でき，密度，動粘性係数以外は圧力を考慮しません。</source>
        <translation>The properties of each species are polynomial fits in the temperature to data from various sources. They hold near atmospheric pressure; apart from the density and the kinematic viscosity, the pressure is not taken into account.</translation>
    </message>
    <message>
        <source>３．出典</source>
        <translation>3. Sources</translation>
    </message>
    <message>
        <source>比熱は，文献 [1] 記載の式を使用しています。（適用範囲は200～1000K程度）</source>
        <translation>The specific heat uses the equations given in [1] (valid from about 200 to 1000 K).</translation>
    </message>
    <message>
        <source>粘性係数は，Chapman-Enskogの分子運動論から導出される計算値を多項式近似して使用しています。（詳細は文献[1]）</source>
        <translation>The viscosity uses polynomial fits to values derived from the Chapman-Enskog kinetic theory of gases (details in [1]).</translation>
    </message>
    <message>
        <source>熱伝導率は，文献[2][3]等に記載の数値を近似して使用しています。</source>
        <translation>The thermal conductivity uses fits to the values given in [2], [3] and other sources.</translation>
    </message>
    <message>
        <source>混合則の詳細は，文献[1][4]を参照下さい。粘性係数は，Sutherlandの式，Wilkeの方法を，熱伝導率は，Wassiljewaの式，Mason-Saxenaの式を用いています。</source>
        <translation>For the mixing rules see [1] and [4]: the viscosity uses Sutherland&apos;s equation and Wilke&apos;s method, the thermal conductivity the Wassiljewa equation and the Mason-Saxena equation.</translation>
    </message>
    <message>
        <source>Pr数については，Euckenの式による値も併記しました。非極性多原子分子に対して適用可能となっています。（文献[4]）</source>
        <translation>For the Prandtl number, the value by the Eucken equation is given as well; it applies to nonpolar polyatomic molecules ([4]).</translation>
    </message>
    <message>
        <source>ｴﾝﾀﾙﾋﾟｰは，文献[1][5]記載のデータをもとに温度に関する多項式近似をして使用しています。</source>
        <translation>The enthalpy uses polynomial fits in the temperature to the data given in [1] and [5].</translation>
    </message>
    <message>
        <source>[1] 化学工学会 編「化学工学便覧 改訂六版」丸善 (1999)
[2] 日本機械学会 編「伝熱工学資料 改訂第4版」日本機械学会 (1997)
[3] R. C. Reid, J. M. Prausnitz, T. K. Sherwood「The Properties of Gases and Liquids, Third Edition」McGraw-Hill (1977)
[4] R. B. Bird, W. E. Stewart, E. N. Lightfoot「Transport Phenomena」John Wiley &amp; Sons (1960)
[5] M. W. Chase, Jr. 編「NIST-JANAF Thermochemical Tables, Fourth Edition」American Chemical Society / American Institute of Physics (1998)</source>
        <translation>[1] The Society of Chemical Engineers, Japan (ed.), Chemical Engineering Handbook, 6th revised edition, Maruzen (1999)
[2] The Japan Society of Mechanical Engineers (ed.), Heat Transfer Data Book, 4th revised edition, JSME (1997)
[3] R. C. Reid, J. M. Prausnitz, T. K. Sherwood, The Properties of Gases and Liquids, Third Edition, McGraw-Hill (1977)
[4] R. B. Bird, W. E. Stewart, E. N. Lightfoot, Transport Phenomena, John Wiley &amp; Sons (1960)
[5] M. W. Chase, Jr. (ed.), NIST-JANAF Thermochemical Tables, Fourth Edition, American Chemical Society / American Institute of Physics (1998)</translation>
    </message>
    <message>
        <source>モル分率</source>
        <translation variants="yes">
            <lengthvariant>Mole fraction</lengthvariant>
            <lengthvariant>Mole frac.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>質量分率</source>
        <translation variants="yes">
            <lengthvariant>Mass fraction</lengthvariant>
            <lengthvariant>Mass frac.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>定圧比熱</source>
        <translation variants="yes">
            <lengthvariant>Specific heat</lengthvariant>
            <lengthvariant>Sp. heat</lengthvariant>
            <lengthvariant>cp</lengthvariant>
        </translation>
    </message>
    <message>
        <source>熱伝導率</source>
        <translation variants="yes">
            <lengthvariant>Conductivity</lengthvariant>
            <lengthvariant>Cond.</lengthvariant>
            <lengthvariant>λ</lengthvariant>
        </translation>
    </message>
    <message>
        <source>粘性係数</source>
        <translation variants="yes">
            <lengthvariant>Viscosity</lengthvariant>
            <lengthvariant>Visc.</lengthvariant>
            <lengthvariant>μ</lengthvariant>
        </translation>
    </message>
    <message>
        <source>Pr数</source>
        <translation>Pr</translation>
    </message>
    <message>
        <source>分子量</source>
        <translation variants="yes">
            <lengthvariant>Molar mass</lengthvariant>
            <lengthvariant>Mol. mass</lengthvariant>
            <lengthvariant>M</lengthvariant>
        </translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>ガス定数</source>
        <translation variants="yes">
            <lengthvariant>Gas constant</lengthvariant>
            <lengthvariant>Gas const.</lengthvariant>
            <lengthvariant>R</lengthvariant>
        </translation>
    </message>
    <message>
        <source>動粘性係数</source>
        <translation variants="yes">
            <lengthvariant>Kinematic viscosity</lengthvariant>
            <lengthvariant>Kin. visc.</lengthvariant>
            <lengthvariant>ν</lengthvariant>
        </translation>
    </message>
    <message>
        <source>圧力の単位</source>
        <translation>Unit of pressure</translation>
    </message>
    <message>
        <source>温度の単位</source>
        <translation>Unit of temperature</translation>
    </message>
    <message>
        <source>左クリックで組成入力、右クリックで総モル体積</source>
        <translation>Left click: enter the composition; right click: the total molar volume</translation>
    </message>
    <message>
        <source>  クリックで飽和温度</source>
        <translation>  Click for the saturation temperature</translation>
    </message>
    <message>
        <source>レポート</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>現在のガス組成でエンタルピ計算ができます</source>
        <translation>Calculates enthalpies for the current gas composition</translation>
    </message>
    <message>
        <source>計算結果をクリップボードに貼り付けます</source>
        <translation>Copies the results to the clipboard</translation>
    </message>
    <message>
        <source>燃焼温度</source>
        <translation variants="yes">
            <lengthvariant>Flame temperature</lengthvariant>
            <lengthvariant>Flame temp.</lengthvariant>
        </translation>
    </message>
    <message>
        <source>断熱完全燃焼した時の温度を計算します</source>
        <translation>Calculates the temperature of adiabatic complete combustion</translation>
    </message>
    <message>
        <source>混合</source>
        <translation>Mixing</translation>
    </message>
    <message>
        <source>流れA </source>
        <translation>Stream A </translation>
    </message>
    <message>
        <source>流れB </source>
        <translation>Stream B </translation>
    </message>
    <message>
        <source>混合 </source>
        <translation>Mixed </translation>
    </message>
    <message>
        <source>温度[℃]</source>
        <translation variants="yes">
            <lengthvariant>Temperature [℃]</lengthvariant>
            <lengthvariant>Temp. [℃]</lengthvariant>
            <lengthvariant>Temp.[℃]</lengthvariant>
        </translation>
    </message>
    <message>
        <source>ガス組成</source>
        <translation>Gas composition</translation>
    </message>
    <message>
        <source>合計が1になっていない場合，自動で調整されます</source>
        <translation>Fractions that do not add up to 1 are scaled to 1</translation>
    </message>
    <message>
        <source>続行</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>値戻す</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>
フォルダーが見つかりません。フォルダー名を確認してください。</source>
        <translation>
Folder not found. Please check the folder name.</translation>
    </message>
    <message>
        <source>飽和温度</source>
        <translation>Saturation temperature</translation>
    </message>
    <message>
        <source>水蒸気分圧</source>
        <translation>Partial pressure of water vapour</translation>
    </message>
    <message>
        <source>次回の起動から英語 (English) で表示します。</source>
        <translation>The program will be in English from the next start.</translation>
    </message>
    <message>
        <source>次回の起動から日本語で表示します。</source>
        <translation>The program will be in Japanese from the next start.</translation>
    </message>
    <message>
        <source>水の流量</source>
        <translation>Water flow</translation>
    </message>
    <message>
        <source>開始温度 ℃ 液</source>
        <translation>Start temperature ℃ liquid</translation>
    </message>
    <message>
        <source>℃，液   →</source>
        <translation>℃, liquid   →</translation>
    </message>
    <message>
        <source>相</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>終了時の相</source>
        <translation>Phase at the end</translation>
    </message>
    <message>
        <source>蒸発潜熱</source>
        <translation>Latent heat</translation>
    </message>
</context>
</TS>
