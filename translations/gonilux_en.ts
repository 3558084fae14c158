<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Datasheet</name>
    <message>
        <source>无法读取：%1</source>
        <translation>cannot read: %1</translation>
    </message>
    <message>
        <source>文件头损坏：第 %1 行</source>
        <translation>damaged header: Line %1</translation>
    </message>
    <message>
        <source>没有可用的光强表</source>
        <translation>no usable intensity table</translation>
    </message>
    <message>
        <source>Gonilux 光度数据表</source>
        <translation>Gonilux photometric datasheet</translation>
    </message>
    <message>
        <source>光源：</source>
        <translation>Lamp: </translation>
    </message>
    <message>
        <source>无法生成数据表：</source>
        <translation>No datasheet:</translation>
    </message>
    <message>
        <source>光强分布（极坐标）</source>
        <translation>Light distribution (polar)</translation>
    </message>
    <message>
        <source>光强分布（直角坐标）</source>
        <translation>Light distribution (cartesian)</translation>
    </message>
    <message>
        <source>等照度图（安装高度 %1 m）</source>
        <translation>Isolux diagram (mounting height %1 m)</translation>
    </message>
    <message>
        <source>主要数据</source>
        <translation>Main figures</translation>
    </message>
    <message>
        <source>区域光通量</source>
        <translation>Zonal lumens</translation>
    </message>
    <message>
        <source>光束角 %1</source>
        <translation>beam %1</translation>
    </message>
    <message>
        <source>第 %1 页</source>
        <translation>page %1</translation>
    </message>
    <message>
        <source>光度数据目录</source>
        <translation>Photometric catalogue</translation>
    </message>
    <message>
        <source>%1 个文件</source>
        <translation>%1 files</translation>
    </message>
    <message>
        <source>目录 %1 / %2</source>
        <translation>Contents %1 / %2</translation>
    </message>
    <message>
        <source>绝对光度</source>
        <translation>absolute photometry</translation>
    </message>
    <message>
        <source>灯具光通量</source>
        <translation>Luminaire flux</translation>
    </message>
    <message>
        <source>光源光通量</source>
        <translation>Lamp flux</translation>
    </message>
    <message>
        <source>光输出比</source>
        <translation>Light output ratio</translation>
    </message>
    <message>
        <source>输入功率</source>
        <translation>Input power</translation>
    </message>
    <message>
        <source>光效</source>
        <translation>Efficacy</translation>
    </message>
    <message>
        <source>最大光强</source>
        <translation>Maximum intensity</translation>
    </message>
    <message>
        <source>最大光强方向</source>
        <translation>Peak direction</translation>
    </message>
    <message>
        <source>下射 / 上射</source>
        <translation>Downward / upward</translation>
    </message>
    <message>
        <source>光束角 (50 %)</source>
        <translation>Beam angle (50 %)</translation>
    </message>
    <message>
        <source>场角 (10 %)</source>
        <translation>Field angle (10 %)</translation>
    </message>
    <message>
        <source>平面</source>
        <translation>Planes</translation>
    </message>
    <message>
        <source>发光面尺寸</source>
        <translation>Luminous opening</translation>
    </message>
    <message>
        <source>光度类型</source>
        <translation>Photometric type</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>% 光源</source>
        <translation>% lamp</translation>
    </message>
    <message>
        <source>% 灯具</source>
        <translation>% luminaire</translation>
    </message>
    <message>
        <source>CIE 光通码 (N1–N5)：</source>
        <translation>CIE flux codes (N1–N5): </translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>文件不完整：%1 个数值中只有 %2 个</source>
        <translation>Incomplete file: ends after %2 of %1 values</translation>
    </message>
    <message>
        <source>顶棚 %</source>
        <translation>Ceiling %</translation>
    </message>
    <message>
        <source>墙面 %</source>
        <translation>Walls %</translation>
    </message>
    <message>
        <source>地面 %</source>
        <translation>Floor %</translation>
    </message>
    <message>
        <source>横向观察</source>
        <translation>Viewed crosswise</translation>
    </message>
    <message>
        <source>纵向观察</source>
        <translation>Viewed endwise</translation>
    </message>
    <message>
        <source>统一眩光值 UGR（间距 S = 0.25H）</source>
        <translation>Unified glare rating UGR (spacing S = 0.25H)</translation>
    </message>
    <message>
        <source>房间尺寸以安装高度 H（灯具至眼睛高度）的倍数表示；CIE 190 表格法</source>
        <translation>Room sizes in multiples of H, the height of the luminaires above the eye; CIE 190 tabular method</translation>
    </message>
    <message>
        <source>UGR 无法确定</source>
        <translation>UGR undefined</translation>
    </message>
    <message>
        <source>亮度 (cd/m²)</source>
        <translation>Luminance (cd/m²)</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Notes</translation>
    </message>
</context>
<context>
    <name>DetailsColumns</name>
    <message>
        <source>标题</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>制造商</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>灯具</source>
        <translation>Luminaire</translation>
    </message>
    <message>
        <source>光源</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>目录号</source>
        <translation>Catalogue no.</translation>
    </message>
    <message>
        <source>额定光通量 (lm)</source>
        <translation>Lamp flux (lm)</translation>
    </message>
    <message>
        <source>灯具光通量 (lm)</source>
        <translation>Luminaire flux (lm)</translation>
    </message>
    <message>
        <source>输入功率 (W)</source>
        <translation>Input (W)</translation>
    </message>
    <message>
        <source>光效 (lm/W)</source>
        <translation>Efficacy (lm/W)</translation>
    </message>
    <message>
        <source>最大光强 (cd)</source>
        <translation>Max. intensity (cd)</translation>
    </message>
    <message>
        <source>光束角 (°)</source>
        <translation>Beam (°)</translation>
    </message>
    <message>
        <source>场角 (°)</source>
        <translation>Field (°)</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>对称</source>
        <translation>Symmetry</translation>
    </message>
    <message>
        <source>大小 (KB)</source>
        <translation>Size (KB)</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>轴对称</source>
        <translation>Rotational</translation>
    </message>
    <message>
        <source>左右对称</source>
        <translation>Bilateral</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>BUG等级</source>
        <translation>BUG rating</translation>
    </message>
    <message>
        <source>UGR</source>
        <translation>UGR</translation>
    </message>
    <message>
        <source>道路类型</source>
        <translation>Roadway type</translation>
    </message>
    <message>
        <source>距高比</source>
        <translation>Spacing criterion</translation>
    </message>
    <message>
        <source>L65亮度 (cd/m²)</source>
        <translation>L65 luminance (cd/m²)</translation>
    </message>
</context>
<context>
    <name>DiagramFile</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>drawing failed</source>
        <translation>drawing failed</translation>
    </message>
    <message>
        <source>unknown picture format of %1 (use .png, .svg or .pdf)</source>
        <translation>unknown picture format of %1 (use .png, .svg or .pdf)</translation>
    </message>
</context>
<context>
    <name>DragOut</name>
    <message>
        <source>内存不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>拖放失败</source>
        <translation>Something went wrong</translation>
    </message>
</context>
<context>
    <name>FileEntries</name>
    <message>
        <source>直到</source>
        <translation>Up to</translation>
    </message>
    <message>
        <source>.. 仅</source>
        <translation>.. only</translation>
    </message>
</context>
<context>
    <name>FolderNamespace</name>
    <message>
        <source>File System</source>
        <translation>File System</translation>
    </message>
</context>
<context>
    <name>HoverReadout</name>
    <message>
        <source>光强</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
</context>
<context>
    <name>InfoBlock</name>
    <message>
        <source>类型 </source>
        <translation>Type </translation>
    </message>
    <message>
        <source>光量=</source>
        <translation>Flux=</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max </translation>
    </message>
    <message>
        <source>功率 </source>
        <translation>Power</translation>
    </message>
    <message>
        <source>倍      增=</source>
        <translation>Multiplier=</translation>
    </message>
    <message>
        <source>度   数=</source>
        <translation>Plane=</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>界面语言将在下次启动时更改。</source>
        <translation>The interface language changes the next time Gonilux starts.</translation>
    </message>
</context>
<context>
    <name>MetricsText</name>
    <message>
        <source>光通量: %1 lm (绝对光度)</source>
        <translation>Luminous flux: %1 lm (absolute photometry)</translation>
    </message>
    <message>
        <source>光通量: %1 lm (相对光度)</source>
        <translation>Luminous flux: %1 lm (relative photometry)</translation>
    </message>
    <message>
        <source>最大光强: %1 cd</source>
        <translation>Peak intensity: %1 cd</translation>
    </message>
    <message>
        <source>最大光强: %1 cd (C%2, γ %3°)</source>
        <translation>Peak intensity: %1 cd (C%2, γ %3°)</translation>
    </message>
    <message>
        <source>最大光强: %1 cd (H %2°, V %3°)</source>
        <translation>Peak intensity: %1 cd (H %2°, V %3°)</translation>
    </message>
    <message>
        <source>灯具效率 (LOR): %1 %</source>
        <translation>Light output ratio (LOR): %1 %</translation>
    </message>
    <message>
        <source>光效: %1 lm/W</source>
        <translation>Efficacy: %1 lm/W</translation>
    </message>
    <message>
        <source>光束角</source>
        <translation>Beam angle</translation>
    </message>
    <message>
        <source>场角</source>
        <translation>Field angle</translation>
    </message>
    <message>
        <source>向下光通: %1 %</source>
        <translation>Downward flux: %1 %</translation>
    </message>
    <message>
        <source>文件不完整：%1 个数值中只有 %2 个</source>
        <translation>Incomplete file: ends after %2 of %1 values</translation>
    </message>
    <message>
        <source>（文件已损坏：数值仅来自现有的数据）</source>
        <translation>(Damaged file: figures from the values present only)</translation>
    </message>
    <message>
        <source>BUG 等级: %1</source>
        <translation>BUG: %1</translation>
    </message>
    <message>
        <source>统一眩光值 UGR (4H×8H, 70/50/20): %1</source>
        <translation>UGR (4H×8H, 70/50/20): %1</translation>
    </message>
</context>
<context>
    <name>Opening</name>
    <message>
        <source>方形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>盒</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>Horiz. cilinder || width</source>
        <translation>Horiz. cylinder || width</translation>
    </message>
    <message>
        <source>Ellipse || width</source>
        <translation>Ellipse || width</translation>
    </message>
    <message>
        <source>Ellipsoid || width</source>
        <translation>Ellipsoid || width</translation>
    </message>
    <message>
        <source>Horiz. cilinder || length</source>
        <translation>Horiz. cylinder || length</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Ellipse || length</source>
        <translation>Ellipse || length</translation>
    </message>
    <message>
        <source>Ellipsoid || length</source>
        <translation>Ellipsoid || length</translation>
    </message>
    <message>
        <source>垂直圆柱</source>
        <translation>Vertical cylinder</translation>
    </message>
    <message>
        <source>圆</source>
        <translation>Disc</translation>
    </message>
    <message>
        <source>球</source>
        <translation>Sphere</translation>
    </message>
</context>
<context>
    <name>PictureExport</name>
    <message>
        <source>未知的图像格式（请使用 .png、.svg 或 .pdf）</source>
        <translation>Unknown picture format (use .png, .svg or .pdf)</translation>
    </message>
    <message>
        <source>图像尺寸须在 %1 至 %2 像素之间</source>
        <translation>The picture size must be between %1 and %2 pixels</translation>
    </message>
    <message>
        <source>绘制失败</source>
        <translation>Drawing failed</translation>
    </message>
    <message>
        <source>无法保存图像<byte value="xd"/>%1<byte value="xd"/>%2</source>
        <translation>Cannot save the picture<byte value="xd"/>%1<byte value="xd"/>%2</translation>
    </message>
</context>
<context>
    <name>PreviewInfo</name>
    <message>
        <source>文件名:   </source>
        <translation>File name: </translation>
    </message>
    <message>
        <source>测试: </source>
        <translation>Test: </translation>
    </message>
    <message>
        <source>生  产  商:   </source>
        <translation>Manufacturer: </translation>
    </message>
    <message>
        <source>灯   具   目   录: </source>
        <translation>Luminaire catalog: </translation>
    </message>
    <message>
        <source>灯     具: </source>
        <translation>Luminaire: </translation>
    </message>
    <message>
        <source>灯 泡 目 录:  </source>
        <translation>Lamp catalog: </translation>
    </message>
    <message>
        <source>灯泡: </source>
        <translation>Lamp: </translation>
    </message>
</context>
<context>
    <name>PrintPage</name>
    <message>
        <source>Manufacturer: </source>
        <translation>Manufacturer: </translation>
    </message>
    <message>
        <source>Luminaire catalog: </source>
        <translation>Luminaire catalog: </translation>
    </message>
    <message>
        <source>Luminaire: </source>
        <translation>Luminaire: </translation>
    </message>
    <message>
        <source>Lamp catalog: </source>
        <translation>Lamp catalog: </translation>
    </message>
    <message>
        <source>Lamp: </source>
        <translation>Lamp: </translation>
    </message>
    <message>
        <source>无法启动打印机。<byte value="xd"/>请检查打印机是否已安装并就绪。</source>
        <translation>The printer could not be started.<byte value="xd"/>Check that a printer is installed and ready.</translation>
    </message>
    <message>
        <source>打印机报告了错误, 该页可能没有打印出来。</source>
        <translation>The printer reported an error; the page may not have been printed.</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>QueryError</name>
    <message>
        <source>未知字段“%1”（%2）；字段有 %3，也可用详细信息视图的列名</source>
        <translation>unknown field &quot;%1&quot; in %2; the fields are %3</translation>
    </message>
    <message>
        <source>%1 需要一个数：%2</source>
        <translation>%1 needs a number: %2</translation>
    </message>
    <message>
        <source>%1 的范围需要两个数：%2</source>
        <translation>%1 needs two numbers for a range: %2</translation>
    </message>
    <message>
        <source>%1 的范围应从小到大：%2</source>
        <translation>%1 range must go from low to high: %2</translation>
    </message>
    <message>
        <source>%1 后面用“:”：%2</source>
        <translation>%1 takes &quot;:&quot;: %2</translation>
    </message>
    <message>
        <source>%1 需要文字：%2</source>
        <translation>%1 needs a text: %2</translation>
    </message>
    <message>
        <source>%1 只取 %2 之一：%3</source>
        <translation>%1 takes one of %2: %3</translation>
    </message>
    <message>
        <source>“%1”不是比较符，请用 &lt;、&lt;=、&gt;、&gt;=、= 或“:”：%2</source>
        <translation>&quot;%1&quot; is no comparison; use &lt;, &lt;=, &gt;, &gt;=, = or &quot;:&quot;: %2</translation>
    </message>
    <message>
        <source>“%1”前面需要字段名，例如 flux&gt;=3000</source>
        <translation>&quot;%1&quot; needs a field name before it, as in flux&gt;=3000</translation>
    </message>
    <message>
        <source>引号没有闭合：在 %1 后加上 &quot;</source>
        <translation>the quote is not closed: add &quot; after %1</translation>
    </message>
    <message>
        <source>空括号“()”：在括号里写条件，或去掉括号</source>
        <translation>empty parentheses &quot;()&quot;: put a term between them or leave them out</translation>
    </message>
    <message>
        <source>“(”没有闭合：在 %1 后加上“)”</source>
        <translation>&quot;(&quot; is not closed: add &quot;)&quot; after %1</translation>
    </message>
    <message>
        <source>“)”前面没有对应的“(”：%1</source>
        <translation>&quot;)&quot; has no &quot;(&quot; before it: %1</translation>
    </message>
    <message>
        <source>“%1”两边都需要条件，例如 a %1 b</source>
        <translation>&quot;%1&quot; needs a term on each side, as in a %1 b</translation>
    </message>
    <message>
        <source>括号嵌套超过 %1 层</source>
        <translation>more than %1 parentheses inside each other</translation>
    </message>
    <message>
        <source>%1 需要形如 B1U0G1 的等级（每个字母 0 到 5）：%2</source>
        <translation>%1 takes a rating such as B1U0G1 (each letter 0 to 5): %2</translation>
    </message>
</context>
<context>
    <name>Ratings</name>
    <message>
        <source>后方</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前方</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>LCS 区域光通量 (TM-15)</source>
        <translation>LCS zone lumens (TM-15)</translation>
    </message>
    <message>
        <source>BUG 等级</source>
        <translation>BUG rating</translation>
    </message>
    <message>
        <source>道路分类</source>
        <translation>Roadway type</translation>
    </message>
    <message>
        <source>截光分类</source>
        <translation>Cutoff class</translation>
    </message>
    <message>
        <source>距高比 0-180</source>
        <translation>SC 0-180</translation>
    </message>
    <message>
        <source>距高比 90-270</source>
        <translation>SC 90-270</translation>
    </message>
    <message>
        <source>距高比 对角</source>
        <translation>SC diagonal</translation>
    </message>
    <message>
        <source>%1 型</source>
        <translation>Type %1</translation>
    </message>
    <message>
        <source>很短</source>
        <translation>very short</translation>
    </message>
    <message>
        <source>短</source>
        <translation>short</translation>
    </message>
    <message>
        <source>中</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>长</source>
        <translation>long</translation>
    </message>
    <message>
        <source>%1 型，%2 (%3)</source>
        <translation>Type %1, %2 (%3)</translation>
    </message>
    <message>
        <source>全截光</source>
        <translation>full cutoff</translation>
    </message>
    <message>
        <source>截光</source>
        <translation>cutoff</translation>
    </message>
    <message>
        <source>半截光</source>
        <translation>semicutoff</translation>
    </message>
    <message>
        <source>非截光</source>
        <translation>noncutoff</translation>
    </message>
    <message>
        <source>文件没有给出发光面：亮度和 UGR 无法确定</source>
        <translation>the file gives no luminous opening: luminance and UGR are undefined</translation>
    </message>
    <message>
        <source>此灯具的标准房间 UGR 无法确定</source>
        <translation>the UGR of the standard room is undefined for this light</translation>
    </message>
    <message>
        <source>A 型配光不作评定：它的轴线与地面和道路无关</source>
        <translation>type A photometry is not rated: its axes are not tied to the ground and the street</translation>
    </message>
    <message>
        <source>没有可用的光强表</source>
        <translation>no usable intensity table</translation>
    </message>
    <message>
        <source>只有一个垂直角，没有光通量</source>
        <translation>a single vertical angle holds no flux</translation>
    </message>
    <message>
        <source>道路分类：最大光强在水平面上或水平面以上</source>
        <translation>roadway class: the maximum intensity is at or above the horizontal</translation>
    </message>
    <message>
        <source>道路分类：最大光强沿道路落在 6 倍安装高度以外</source>
        <translation>roadway class: the maximum lands beyond 6 mounting heights along the road</translation>
    </message>
    <message>
        <source>截光分类：绝对光度测量没有额定光源光通量</source>
        <translation>cutoff class: absolute photometry has no rated lamp lumens</translation>
    </message>
    <message>
        <source>截光分类：文件没有额定光源光通量</source>
        <translation>cutoff class: the file has no rated lamp lumens</translation>
    </message>
    <message>
        <source>没有发光面（宽、长、高均为 0）</source>
        <translation>no luminous opening (width, length and height are 0)</translation>
    </message>
    <message>
        <source>没有光</source>
        <translation>no light</translation>
    </message>
    <message>
        <source>距高比 %1：正下方没有光</source>
        <translation>spacing criterion %1: no light straight down</translation>
    </message>
    <message>
        <source>距高比 %1：中点的照度始终不降到灯具正下方的照度</source>
        <translation>spacing criterion %1: the illuminance midway never falls to that below a luminaire</translation>
    </message>
</context>
<context>
    <name>ReportChart</name>
    <message>
        <source>%1：光束角 %2，场角 %3</source>
        <translation>%1: beam %2, field %3</translation>
    </message>
    <message>
        <source>无光</source>
        <translation>no light</translation>
    </message>
    <message>
        <source>最大 %1 lx   平均 %2 lx   高度 %3 m</source>
        <translation>Emax %1 lx   Eavg %2 lx   h %3 m</translation>
    </message>
</context>
<context>
    <name>ReportWindow</name>
    <message>
        <source>只比较所选文件中的前四个。</source>
        <translation>Only the first four of the selected files are compared.</translation>
    </message>
    <message>
        <source>在文件列表中选择二至四个文件（Ctrl+单击），即可在此叠加比较。</source>
        <translation>Select two to four files in the file list (Ctrl+click) to compare them here.</translation>
    </message>
    <message>
        <source>最大光强 (cd)</source>
        <translation>Maximum intensity (cd)</translation>
    </message>
    <message>
        <source>灯具光通量 (lm)</source>
        <translation>Luminaire flux (lm)</translation>
    </message>
    <message>
        <source>光效 (lm/W)</source>
        <translation>Efficacy (lm/W)</translation>
    </message>
    <message>
        <source>下射光比例 (%)</source>
        <translation>Downward flux (%)</translation>
    </message>
    <message>
        <source>未知的图像格式（请使用 .png、.svg 或 .pdf）</source>
        <translation>Unknown picture format (use .png, .svg or .pdf)</translation>
    </message>
    <message>
        <source>绘制失败</source>
        <translation>Drawing failed</translation>
    </message>
    <message>
        <source>光束角 (°)</source>
        <translation>Beam angle (°)</translation>
    </message>
    <message>
        <source>场角 (°)</source>
        <translation>Field angle (°)</translation>
    </message>
    <message>
        <source>第一主平面 光束角 / 场角</source>
        <translation>First principal plane: beam / field</translation>
    </message>
    <message>
        <source>第二主平面 光束角 / 场角</source>
        <translation>Second principal plane: beam / field</translation>
    </message>
    <message>
        <source>横向观察</source>
        <translation>Viewed crosswise</translation>
    </message>
    <message>
        <source>纵向观察</source>
        <translation>Viewed endwise</translation>
    </message>
    <message>
        <source>LCS 区域</source>
        <translation>LCS zone</translation>
    </message>
    <message>
        <source>亮度 (cd/m²)</source>
        <translation>Luminance (cd/m²)</translation>
    </message>
    <message>
        <source>利用系数 (%)</source>
        <translation>Coefficients of utilisation (%)</translation>
    </message>
</context>
<context>
    <name>ShellActions</name>
    <message>
        <source>此桌面上没有可以打开它的程序<byte value="xd"/>%1</source>
        <translation>No program is set up on this desktop to open<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>找不到可以打开它的纯文本编辑器<byte value="xd"/>%1<byte value="xd"/>请安装一个 (例如 gedit、kate 或 mousepad), 或为文本文件设置默认应用程序。</source>
        <translation>No plain-text editor was found to open<byte value="xd"/>%1<byte value="xd"/>Install one (for example gedit, kate or mousepad) or set a default application for text files.</translation>
    </message>
</context>
<context>
    <name>gonilux::auxwindows::ReportWindow</name>
    <message>
        <source>光强 (%1)</source>
        <translation>Intensity (%1)</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>光通量 (lm)</source>
        <translation>Flux (lm)</translation>
    </message>
    <message>
        <source>占灯泡光通量 %</source>
        <translation>% of lamp flux</translation>
    </message>
    <message>
        <source>占灯具光通量 %</source>
        <translation>% of luminaire flux</translation>
    </message>
    <message>
        <source>灯具光通量 %1 lm    灯泡光通量 %2 lm    CIE 光通码 %3</source>
        <translation>Luminaire flux %1 lm    Lamp flux %2 lm    CIE flux code %3</translation>
    </message>
    <message>
        <source>距离 (m)</source>
        <translation>Distance (m)</translation>
    </message>
    <message>
        <source>照度 (lx)</source>
        <translation>Illuminance (lx)</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>没有可用的光强表</source>
        <translation>No usable intensity table</translation>
    </message>
    <message>
        <source>无法保存文件<byte value="xd"/>%1<byte value="xd"/>%2</source>
        <translation>Cannot save the file<byte value="xd"/>%1<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>此页不是图表</source>
        <translation>This page is not a chart</translation>
    </message>
    <message>
        <source>无法保存图像<byte value="xd"/>%1<byte value="xd"/>%2</source>
        <translation>Cannot save the picture<byte value="xd"/>%1<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>没有显示的文件</source>
        <translation>No file is shown</translation>
    </message>
    <message>
        <source>无法保存报告<byte value="xd"/>%1<byte value="xd"/>%2</source>
        <translation>Cannot save the report<byte value="xd"/>%1<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>另存为CSV</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>导出图像</source>
        <translation>Export picture</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>SVG 图像 (*.svg)</source>
        <translation>SVG pictures (*.svg)</translation>
    </message>
    <message>
        <source>PDF 文档 (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>整份报告PDF</source>
        <translation>Whole report as PDF</translation>
    </message>
    <message>
        <source>光度报告</source>
        <translation>Photometric report</translation>
    </message>
    <message>
        <source>直角坐标</source>
        <translation>Cartesian</translation>
    </message>
    <message>
        <source>极坐标</source>
        <translation>Polar</translation>
    </message>
    <message>
        <source>等照度</source>
        <translation>Isolux</translation>
    </message>
    <message>
        <source>光强表</source>
        <translation>Candela table</translation>
    </message>
    <message>
        <source>区域光通量</source>
        <translation>Zonal lumens</translation>
    </message>
    <message>
        <source>光锥</source>
        <translation>Cone</translation>
    </message>
    <message>
        <source>叠加比较</source>
        <translation>Overlay</translation>
    </message>
    <message>
        <source>安装高度</source>
        <translation>Mounting height</translation>
    </message>
    <message>
        <source>区域边长</source>
        <translation>Area size</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>导出图像...</source>
        <translation>Export picture...</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>最大 %1 lx    平均 %2 lx</source>
        <translation>Maximum %1 lx    Average %2 lx</translation>
    </message>
    <message>
        <source>光束直径 %1 (m)</source>
        <translation>Beam diameter %1 (m)</translation>
    </message>
    <message>
        <source>场直径 %1 (m)</source>
        <translation>Field diameter %1 (m)</translation>
    </message>
    <message>
        <source>灯具间距</source>
        <translation>Luminaire spacing</translation>
    </message>
    <message>
        <source>统一眩光值</source>
        <translation>UGR</translation>
    </message>
    <message>
        <source>利用系数 (%)</source>
        <translation>Coefficients of utilisation (%)</translation>
    </message>
    <message>
        <source>亮度 (cd/m²)</source>
        <translation>Luminance (cd/m²)</translation>
    </message>
    <message>
        <source>等级评定</source>
        <translation>Ratings</translation>
    </message>
</context>
<context>
    <name>gonilux::auxwindows::TBigGonioWin</name>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
</context>
<context>
    <name>gonilux::auxwindows::TMapWindow</name>
    <message>
        <source>地图</source>
        <translation>Map</translation>
    </message>
</context>
<context>
    <name>gonilux::auxwindows::TRenderWindow</name>
    <message>
        <source>渲染(Beta 1.4)</source>
        <translation>Render (Beta 1.4)</translation>
    </message>
    <message>
        <source>亮度:</source>
        <translation>Bright.:</translation>
    </message>
    <message>
        <source>缩放:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>放射</source>
        <translation>Radiosity</translation>
    </message>
    <message>
        <source>自动更新渲染</source>
        <translation>Update the rendering automatically</translation>
    </message>
    <message>
        <source>复位亮度</source>
        <translation>Reset brightness</translation>
    </message>
    <message>
        <source>复位缩放))</source>
        <translation>Reset zoom</translation>
    </message>
    <message>
        <source>重置 Z</source>
        <translation>Reset Z</translation>
    </message>
    <message>
        <source>关  闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>更新(&amp;U)</source>
        <translation>&amp;Update</translation>
    </message>
    <message>
        <source>错误！</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>初始化错误<byte value="xd"/>无法读取设置<byte value="xd"/></source>
        <translation>Initialization error<byte value="xd"/>Unable to read the settings<byte value="xd"/></translation>
    </message>
</context>
<context>
    <name>gonilux::browser::FolderListView</name>
    <message>
        <source>正在读取 IES 文件...</source>
        <translation>Loading the IES files...</translation>
    </message>
    <message>
        <source>正在排序...</source>
        <translation>Sorting...</translation>
    </message>
    <message>
        <source>正在准备缩略图...</source>
        <translation>Preparing the thumbnails...</translation>
    </message>
    <message>
        <source>正在清除...</source>
        <translation>Clearing...</translation>
    </message>
    <message>
        <source>错误！</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>第 %1 行</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>无法读取文件<byte value="xd"/>%1<byte value="xd"/>%2</source>
        <translation>Cannot read the file<byte value="xd"/>%1<byte value="xd"/>%2</translation>
    </message>
    <message numerus="yes">
        <source>%n 个文件无法读取或已损坏，详见状态列或悬停提示</source>
        <translation>
            <numerusform>%n file could not be read or is damaged, see the status column or the hover text</numerusform>
            <numerusform>%n files could not be read or are damaged, see the status column or the hover text</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gonilux::browser::PopupMenu</name>
    <message>
        <source>文件名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>测试</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>生产商</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>灯具</source>
        <translation>Luminaire</translation>
    </message>
    <message>
        <source>灯具目录</source>
        <translation>Luminaire catalog</translation>
    </message>
    <message>
        <source>灯泡</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>灯泡目录</source>
        <translation>Lamp catalog</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>使用记事本打开</source>
        <translation>Open in text editor</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Explore</translation>
    </message>
    <message>
        <source>添加到收藏夹</source>
        <translation>Add to favorites</translation>
    </message>
    <message>
        <source>偏爱</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>View</translation>
    </message>
    <message>
        <source>缩略图</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>图标</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List</translation>
    </message>
    <message>
        <source>排列</source>
        <translation>Arrange by</translation>
    </message>
    <message>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>更新                F5</source>
        <translation>Refresh	F5</translation>
    </message>
    <message>
        <source>另存为C型</source>
        <translation>Save as type C</translation>
    </message>
    <message>
        <source>复制文件名称 Ctrl-C</source>
        <translation>Copy file name	Ctrl+C</translation>
    </message>
    <message>
        <source>导出图像...</source>
        <translation>Export picture...</translation>
    </message>
    <message>
        <source>复制图像</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>显示选项面板</source>
        <translation>Show options panel</translation>
    </message>
    <message>
        <source>显示对比窗口</source>
        <translation>Show compare window</translation>
    </message>
    <message>
        <source>地图</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>另存为C型 (重采样)</source>
        <translation>Save as type C (re-sampled)</translation>
    </message>
    <message>
        <source>另存为LDT</source>
        <translation>Save as LDT</translation>
    </message>
    <message>
        <source>另存为IES</source>
        <translation>Save as IES</translation>
    </message>
    <message>
        <source>光度报告</source>
        <translation>Photometric report</translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::Favourites</name>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::FileActions</name>
    <message>
        <source>另存为C型</source>
        <translation>Save as type C</translation>
    </message>
    <message>
        <source>旋转到零度</source>
        <translation>Rotate to zero</translation>
    </message>
    <message>
        <source>隐藏选项面板</source>
        <translation>Hide options panel</translation>
    </message>
    <message>
        <source>显示选项面板</source>
        <translation>Show options panel</translation>
    </message>
    <message>
        <source>从 90° 旋转到 0°</source>
        <translation>Rotate from 90 to 0</translation>
    </message>
    <message>
        <source>文件 %1 已存在, 不是 Gonilux 写的。<byte value="xd"/>替换它吗?</source>
        <translation>The file %1 already exists and was not written by Gonilux.<byte value="xd"/>Replace it?</translation>
    </message>
    <message>
        <source>无法写入文件 %1<byte value="xd"/>%2</source>
        <translation>Cannot write the file %1<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>部分数据可能丢失。<byte value="xd"/>文件 %1 (B型) 已转换为 %2 (C型)</source>
        <translation>Some data may be lost.<byte value="xd"/>File %1 (type B) was converted to %2 (type C).</translation>
    </message>
    <message>
        <source>文件 %1 已旋转并保存为 %2</source>
        <translation>File %1 was rotated and saved as %2.</translation>
    </message>
    <message>
        <source>光通量: 之前 %1 lm, 之后 %2 lm</source>
        <translation>Luminous flux: %1 lm before, %2 lm after</translation>
    </message>
    <message>
        <source>另存为C型 (重采样)</source>
        <translation>Save as type C (re-sampled)</translation>
    </message>
    <message>
        <source>文件 %1 已重采样为C型, 保存为 %2<byte value="xd"/>光通量: 之前 %3 lm, 之后 %4 lm</source>
        <translation>File %1 re-sampled to type C and saved as %2<byte value="xd"/>Luminous flux: %3 lm before, %4 lm after</translation>
    </message>
    <message>
        <source>另存为LDT</source>
        <translation>Save as LDT</translation>
    </message>
    <message>
        <source>文件 %1 已保存为 %2 (EULUMDAT)<byte value="xd"/>光通量: 之前 %3 lm, 之后 %4 lm</source>
        <translation>File %1 saved as %2 (EULUMDAT)<byte value="xd"/>Luminous flux: %3 lm before, %4 lm after</translation>
    </message>
    <message>
        <source>另存为IES</source>
        <translation>Save as IES</translation>
    </message>
    <message>
        <source>文件 %1 已保存为 %2 (IES)<byte value="xd"/>光通量: 之前 %3 lm, 之后 %4 lm</source>
        <translation>File %1 saved as %2 (IES)<byte value="xd"/>Luminous flux: %3 lm before, %4 lm after</translation>
    </message>
    <message>
        <source>%1: EULUMDAT 文件已损坏 (第 %2 行); 未写入任何文件</source>
        <translation>%1: damaged EULUMDAT file (Line %2); nothing written</translation>
    </message>
    <message>
        <source>%1: 文件已损坏 (第 %2 行); 未写入任何文件</source>
        <translation>%1: damaged file (Line %2); nothing written</translation>
    </message>
    <message>
        <source>%1: 无法转换此文件的光强表; 未写入任何文件</source>
        <translation>%1: the intensity table cannot be converted; nothing written</translation>
    </message>
    <message>
        <source>%1: 没有可用的光强表; 未写入任何文件</source>
        <translation>%1: no usable intensity table; nothing written</translation>
    </message>
    <message>
        <source>%1: 文件已损坏 (%3 个数值中只有 %2 个); 未写入任何文件</source>
        <translation>%1: damaged file (ends after %2 of %3 values); nothing written</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::OptionsPanel</name>
    <message>
        <source>选项板</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>自动隐藏</source>
        <translation>Auto hide</translation>
    </message>
    <message>
        <source>一直显示</source>
        <translation>Always shown</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>更新   <byte value="xd"/>F5</source>
        <translation>Refresh<byte value="xd"/>F5</translation>
    </message>
    <message>
        <source>隐藏选项面板      <byte value="xd"/>显示: Ctrl(或鼠标右键)+移动鼠标到窗口的右边</source>
        <translation>Hide the options panel<byte value="xd"/>Show it: Ctrl (or right mouse button) + move the mouse to the right edge of the window</translation>
    </message>
    <message>
        <source>显示IES</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>文件名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>测试</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>生产商</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>灯具</source>
        <translation>Luminaire</translation>
    </message>
    <message>
        <source>灯具标题</source>
        <translation>Luminaire catalog</translation>
    </message>
    <message>
        <source>灯泡</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>灯泡标题</source>
        <translation>Lamp catalog</translation>
    </message>
    <message>
        <source>IES 标题</source>
        <translation>IES caption</translation>
    </message>
    <message>
        <source>排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>按字母排序IES文件</source>
        <translation>Sort the IES files alphabetically</translation>
    </message>
    <message>
        <source>EULUMDAT (.ldt)</source>
        <translation>EULUMDAT (.ldt)</translation>
    </message>
    <message>
        <source>文件列表中也显示EULUMDAT (.ldt)文件</source>
        <translation>List EULUMDAT (.ldt) files too</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List</translation>
    </message>
    <message>
        <source>图标</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>缩略图</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>保持标题</source>
        <translation>Keep caption</translation>
    </message>
    <message>
        <source>当改变文件夹时保持标题</source>
        <translation>Keep the caption when the folder changes</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>Absolute</translation>
    </message>
    <message>
        <source>对于所有光强的倍增量   <byte value="xd"/>值: 相对(cd/klm) / 绝对(cd)</source>
        <translation>Multiplier applied to all intensities<byte value="xd"/>Values: relative (cd/klm) / absolute (cd)</translation>
    </message>
    <message>
        <source>显示完整图表</source>
        <translation>Full diagram</translation>
    </message>
    <message>
        <source>在开始度数大于90度时显示完整图表</source>
        <translation>Show the full diagram when the first angle is above 90°</translation>
    </message>
    <message>
        <source>显示警告图标</source>
        <translation>Warning icon</translation>
    </message>
    <message>
        <source>警告图标<byte value="xd"/>Autodesk VIZ4 及 Insight 2.xx使用此IES文件可能不正确</source>
        <translation>Warning icon<byte value="xd"/>Autodesk VIZ 4 and Insight 2.xx may not read this IES file correctly</translation>
    </message>
    <message>
        <source>显示文本标签</source>
        <translation>Text labels</translation>
    </message>
    <message>
        <source>资源目录</source>
        <translation>Folder tree</translation>
    </message>
    <message>
        <source>大图标</source>
        <translation>Large icons</translation>
    </message>
    <message>
        <source>显示按钮</source>
        <translation>Buttons</translation>
    </message>
    <message>
        <source>显示线</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>自动展开</source>
        <translation>Auto expand</translation>
    </message>
    <message>
        <source>热点追踪</source>
        <translation>Hot tracking</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>资源列表</source>
        <translation>File list</translation>
    </message>
    <message>
        <source>手形指针</source>
        <translation>Hand pointer</translation>
    </message>
    <message>
        <source>热点底线</source>
        <translation>Underline hot</translation>
    </message>
    <message>
        <source>冷点底线</source>
        <translation>Underline cold</translation>
    </message>
    <message>
        <source>平式滚动条</source>
        <translation>Flat scroll bars</translation>
    </message>
    <message>
        <source>-1 至 10000</source>
        <translation>-1 to 10000</translation>
    </message>
    <message>
        <source>上级文件夹</source>
        <translation>Parent folder</translation>
    </message>
    <message>
        <source>直到</source>
        <translation>Up to</translation>
    </message>
    <message>
        <source>.. 仅</source>
        <translation>.. only</translation>
    </message>
    <message>
        <source>双击</source>
        <translation>Double-click</translation>
    </message>
    <message>
        <source>使用默认打开</source>
        <translation>Open (default)</translation>
    </message>
    <message>
        <source>使用记事本打开</source>
        <translation>Open in text editor</translation>
    </message>
    <message>
        <source>鱼眼及浮动窗口</source>
        <translation>Lens and readout</translation>
    </message>
    <message>
        <source>半径<byte value="xd"/>在图表上 Alt+鼠标右键+鼠标上下移动</source>
        <translation>Radius<byte value="xd"/>On the diagram: Alt + right mouse button, move the mouse up or down</translation>
    </message>
    <message>
        <source>折射率<byte value="xd"/>在图表上 Alt+鼠标左键+鼠标上下移动</source>
        <translation>Refraction<byte value="xd"/>On the diagram: Alt + left mouse button, move the mouse up or down</translation>
    </message>
    <message>
        <source>放大/缩小<byte value="xd"/>在图表上 Ctrl+单击鼠标左键</source>
        <translation>Magnify / reduce<byte value="xd"/>On the diagram: Ctrl + left click</translation>
    </message>
    <message>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>开/关 放大镜<byte value="xd"/>在图表上 Ctrl+单击鼠标左键</source>
        <translation>Lens on / off<byte value="xd"/>On the diagram: Ctrl + left click</translation>
    </message>
    <message>
        <source>偏爱收藏</source>
        <translation>Favorites</translation>
    </message>
    <message>
        <source>记住设置</source>
        <translation>Remember</translation>
    </message>
    <message>
        <source>记住每个偏好文件夹的查看设置</source>
        <translation>Remember the view settings of each favorite folder</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>View</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>将当前文件夹加为偏爱</source>
        <translation>Add the current folder to the favorites</translation>
    </message>
    <message>
        <source>删</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>其它</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>显示IO信息</source>
        <translation>I/O messages</translation>
    </message>
    <message>
        <source>保存最后文件夹</source>
        <translation>Remember folder</translation>
    </message>
    <message>
        <source>质量重绘</source>
        <translation>Quality redraw</translation>
    </message>
    <message>
        <source>质量重绘图表<byte value="xd"/>没有闪烁的重绘，此方法需要更多内存。</source>
        <translation>Quality redraw of the diagram<byte value="xd"/>Redraws without flicker; this needs more memory.</translation>
    </message>
    <message>
        <source>标题栏全路径</source>
        <translation>Path in title bar</translation>
    </message>
    <message>
        <source>长度单位</source>
        <translation>Length unit</translation>
    </message>
    <message>
        <source>公制</source>
        <translation>Metric</translation>
    </message>
    <message>
        <source>文件自身单位</source>
        <translation>As in the file</translation>
    </message>
    <message>
        <source>发光面尺寸的单位：公制 (m 或 mm)，或文件自身的单位 (IES: 英尺或米；EULUMDAT: mm)</source>
        <translation>The unit of the luminous opening&apos;s size: metric (m or mm), or the file&apos;s own units (IES: feet or metres; EULUMDAT: mm)</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>界面语言（下次启动时生效）</source>
        <translation>Interface language (takes effect at the next start)</translation>
    </message>
    <message>
        <source>标题编码</source>
        <translation>Header encoding</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>文件标题的字符编码；自动按内容判断</source>
        <translation>Character encoding of the files&apos; header text; Automatic decides from the text</translation>
    </message>
    <message>
        <source>联动 R-Z</source>
        <translation>Link R-Z</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::PictureSizeDialog</name>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>SVG 图像 (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>PDF 文档 (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>导出图像</source>
        <translation>Export picture</translation>
    </message>
    <message>
        <source> 像素</source>
        <translation> px</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>尺寸（宽 = 高）：</source>
        <translation>Size (width = height):</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::PreviewPane</name>
    <message>
        <source>适配图表<byte value="xd"/>在图表上单击左键</source>
        <translation>Fit the diagram<byte value="xd"/>Left click on the diagram</translation>
    </message>
    <message>
        <source>显示正交图表<byte value="xd"/>在图表上单击右键</source>
        <translation>Orthogonal diagram<byte value="xd"/>Right click on the diagram</translation>
    </message>
    <message>
        <source>渲染</source>
        <translation>Render</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>角度:</source>
        <translation>Angle:</translation>
    </message>
    <message>
        <source>轴对称</source>
        <translation>Axially symmetric</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::TMainWindow</name>
    <message>
        <source>错误！</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>初始化错误<byte value="xd"/>无法读取设置<byte value="xd"/></source>
        <translation>Initialization error<byte value="xd"/>Unable to read the settings<byte value="xd"/></translation>
    </message>
    <message>
        <source>点击!</source>
        <translation>Click!</translation>
    </message>
    <message>
        <source>此文件夹已不存在</source>
        <translation>This folder no longer exists</translation>
    </message>
    <message>
        <source>无法写入设置。<byte value="xd"/>文件 &apos;%1&apos; 可能是只读的。</source>
        <translation>Unable to write the settings.<byte value="xd"/>The file &apos;%1&apos; may be read-only.</translation>
    </message>
    <message>
        <source>筛选</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>筛选条件有误：%1</source>
        <translation>Filter not understood: %1</translation>
    </message>
    <message>
        <source>包括子文件夹</source>
        <translation>Include subfolders</translation>
    </message>
    <message>
        <source>%1 个匹配</source>
        <translation>%1 found</translation>
    </message>
    <message>
        <source>正在搜索…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>路径不存在: %1</source>
        <translation>Path not found: %1</translation>
    </message>
</context>
<context>
    <name>gonilux::mainwindow::TTrackBarDegree</name>
    <message>
        <source>改变垂直度数<byte value="xd"/>Ctrl + 滚动鼠标中轮</source>
        <translation>Change the plane<byte value="xd"/>Ctrl + mouse wheel</translation>
    </message>
</context>
</TS>
