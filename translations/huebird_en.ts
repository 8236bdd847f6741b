<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="zh_CN">
<context>
    <name>ColourChooser</name>
    <message>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>ControlNames</name>
    <message>
        <source>主菜单</source>
        <translation>Main menu</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>红色减 5</source>
        <translation>Red minus 5</translation>
    </message>
    <message>
        <source>红色加 5</source>
        <translation>Red plus 5</translation>
    </message>
    <message>
        <source>绿色减 5</source>
        <translation>Green minus 5</translation>
    </message>
    <message>
        <source>绿色加 5</source>
        <translation>Green plus 5</translation>
    </message>
    <message>
        <source>蓝色减 5</source>
        <translation>Blue minus 5</translation>
    </message>
    <message>
        <source>蓝色加 5</source>
        <translation>Blue plus 5</translation>
    </message>
    <message>
        <source>红绿蓝都减 5</source>
        <translation>Red, green and blue minus 5</translation>
    </message>
    <message>
        <source>红绿蓝都加 5</source>
        <translation>Red, green and blue plus 5</translation>
    </message>
    <message>
        <source>红 %1</source>
        <translation>Red %1</translation>
    </message>
    <message>
        <source>绿 %1</source>
        <translation>Green %1</translation>
    </message>
    <message>
        <source>蓝 %1</source>
        <translation>Blue %1</translation>
    </message>
    <message>
        <source>红 十六进制 %1</source>
        <translation>Red hex %1</translation>
    </message>
    <message>
        <source>绿 十六进制 %1</source>
        <translation>Green hex %1</translation>
    </message>
    <message>
        <source>蓝 十六进制 %1</source>
        <translation>Blue hex %1</translation>
    </message>
    <message>
        <source>色块 %1, %2</source>
        <translation>Swatch %1, %2</translation>
    </message>
    <message>
        <source>色块 %1, %2, 当前</source>
        <translation>Swatch %1, %2, active</translation>
    </message>
</context>
<context>
    <name>DialogLook</name>
    <message>
        <source>访问 Huebird 官方网站</source>
        <translation>Huebird website</translation>
    </message>
</context>
<context>
    <name>GuardedApplication</name>
    <message>
        <source>发生了未知错误</source>
        <translation>An unknown error occurred</translation>
    </message>
</context>
<context>
    <name>HotKey</name>
    <message>
        <source>键码</source>
        <translation>key code</translation>
    </message>
</context>
<context>
    <name>Links</name>
    <message>
        <source>没有找到打开网址和文件的程序（xdg-open）</source>
        <translation>no program that opens web addresses and files (xdg-open) is installed</translation>
    </message>
    <message>
        <source>桌面上没有能打开它的程序</source>
        <translation>nothing on this desktop opens it</translation>
    </message>
    <message>
        <source>打开它的程序出错了</source>
        <translation>the program that should open it failed</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>无法打开 %1：%2。</source>
        <translation>Could not open %1: %2.</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>收藏夹</source>
        <translation>Favourites</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>拷贝  Ctrl+C/F4</source>
        <translation>Copy  Ctrl+C/F4</translation>
    </message>
    <message>
        <source>粘贴  Ctrl+V/F5</source>
        <translation>Paste  Ctrl+V/F5</translation>
    </message>
    <message>
        <source>撤消  Ctrl+Z/F6</source>
        <translation>Undo  Ctrl+Z/F6</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>复制为</source>
        <translation>Copy as</translation>
    </message>
    <message>
        <source>粘贴颜色代码</source>
        <translation>Paste any colour</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>收藏夹</source>
        <translation>Favourites</translation>
    </message>
    <message>
        <source>管理收藏夹...Ctrl+O/F2</source>
        <translation>Manage favourites...  Ctrl+O/F2</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>总在最上面</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>自动伸缩</source>
        <translation>Roll up automatically</translation>
    </message>
    <message>
        <source>更改字体</source>
        <translation>Change font</translation>
    </message>
    <message>
        <source>系统热键</source>
        <translation>System hot-key</translation>
    </message>
    <message>
        <source>基本设置</source>
        <translation>Basic settings</translation>
    </message>
    <message>
        <source>取色范围</source>
        <translation>Pick area</translation>
    </message>
    <message>
        <source>1 x 1 像素</source>
        <translation>1 x 1 pixel</translation>
    </message>
    <message>
        <source>3 x 3 平均</source>
        <translation>3 x 3 average</translation>
    </message>
    <message>
        <source>5 x 5 平均</source>
        <translation>5 x 5 average</translation>
    </message>
    <message>
        <source>下载新皮肤</source>
        <translation>Download new skins</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>手工输入(双击窗口)</source>
        <translation>Type a colour (double-click window)</translation>
    </message>
    <message>
        <source>反色</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>灰度</source>
        <translation>Greyscale</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Colour dialog...</translation>
    </message>
    <message>
        <source>对比色</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>拷贝   &amp;C/F4</source>
        <translation>Copy   &amp;C/F4</translation>
    </message>
    <message>
        <source>粘贴   &amp;V/F5</source>
        <translation>Paste   &amp;V/F5</translation>
    </message>
    <message>
        <source>撤消   &amp;Z/F6</source>
        <translation>Undo   &amp;Z/F6</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source> 常用收藏夹</source>
        <translation> Everyday favourites</translation>
    </message>
    <message>
        <source> 经典收藏夹</source>
        <translation> Classic favourites</translation>
    </message>
    <message>
        <source> 备用收藏夹</source>
        <translation> Backup favourites</translation>
    </message>
    <message>
        <source> 加入/管理收藏夹</source>
        <translation> Add/manage favourites</translation>
    </message>
    <message>
        <source> 拷贝  Ctrl+C/F4</source>
        <translation> Copy  Ctrl+C/F4</translation>
    </message>
    <message>
        <source> 粘贴  Ctrl+V/F5</source>
        <translation> Paste  Ctrl+V/F5</translation>
    </message>
    <message>
        <source> 常用调色板</source>
        <translation> Palettes</translation>
    </message>
    <message>
        <source> 通用调色板</source>
        <translation> Colour dialog...</translation>
    </message>
    <message>
        <source> 对比色</source>
        <translation> Contrast</translation>
    </message>
    <message>
        <source> 反色</source>
        <translation> Invert</translation>
    </message>
    <message>
        <source> 灰度</source>
        <translation> Greyscale</translation>
    </message>
    <message>
        <source> 复制为</source>
        <translation> Copy as</translation>
    </message>
    <message>
        <source> 粘贴颜色代码  Ctrl+Shift+V</source>
        <translation> Paste any colour  Ctrl+Shift+V</translation>
    </message>
    <message>
        <source>复制为</source>
        <translation>Copy as</translation>
    </message>
    <message>
        <source>粘贴颜色代码</source>
        <translation>Paste any colour</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>【Huebird 温馨提醒】</source>
        <translation>A note from Huebird</translation>
    </message>
    <message>
        <source>更多帮助请访问官方网站%1</source>
        <translation>For more help, visit %1</translation>
    </message>
</context>
<context>
    <name>Picker</name>
    <message>
        <source>这个桌面（Wayland 会话）还不让 Huebird 读取屏幕上的颜色，无法取色。</source>
        <translation>This desktop (a Wayland session) does not let Huebird read the colours on the screen yet, so no colour can be picked.</translation>
    </message>
    <message>
        <source>桌面没有允许 Huebird 截取屏幕，所以无法取色，颜色没有改变。</source>
        <translation>The desktop did not allow Huebird to take a picture of the screen, so no colour can be picked; no colour has changed.</translation>
    </message>
    <message>
        <source>截取屏幕失败，无法取色，颜色没有改变。</source>
        <translation>Taking a picture of the screen failed, so no colour can be picked; no colour has changed.</translation>
    </message>
</context>
<context>
    <name>Skin</name>
    <message>
        <source>Huebird 设计组</source>
        <translation>the Huebird design team</translation>
    </message>
    <message>
        <source>皮肤设计：</source>
        <translation>Skin design: </translation>
    </message>
</context>
<context>
    <name>SkinLoader</name>
    <message>
        <source>无法读取皮肤图片 %1：%2</source>
        <translation>Cannot read the skin picture %1: %2</translation>
    </message>
    <message>
        <source>皮肤文件不存在：%1</source>
        <translation>The skin file does not exist: %1</translation>
    </message>
    <message>
        <source>皮肤文件 %1 的 [%2] 没有指定按钮图片 (Img)</source>
        <translation>The skin file %1 names no button picture (Img) in [%2]</translation>
    </message>
    <message>
        <source>皮肤背景 %1（%2 x %3）没有不透明的部分，窗口将不可见</source>
        <translation>The skin background %1 (%2 x %3) has no opaque part: the window would be invisible</translation>
    </message>
    <message>
        <source>皮肤文件 %1 的 [%2] 按钮不在窗口的可见部分，无法点击</source>
        <translation>The [%2] button of the skin file %1 is not on a visible part of the window and could not be clicked</translation>
    </message>
    <message>
        <source>无法读取皮肤图片 %1：不是普通文件</source>
        <translation>Cannot read the skin picture %1: it is not a plain file</translation>
    </message>
    <message>
        <source>无法读取皮肤图片 %1：文件头无效</source>
        <translation>Cannot read the skin picture %1: its header is not valid</translation>
    </message>
    <message>
        <source>皮肤图片 %1 太大（%2 x %3）：一套皮肤的图片合计不能超过 %4 像素</source>
        <translation>The skin picture %1 is too large (%2 x %3): the pictures of one skin may hold %4 pixels in all</translation>
    </message>
    <message>
        <source>皮肤文件 %1 太大（%2 字节），最多 %3 字节</source>
        <translation>The skin file %1 is too large (%2 bytes); at most %3 bytes</translation>
    </message>
    <message>
        <source>皮肤图片 %1 太大（%2 x %3）：宽和高都不能超过 %4 像素</source>
        <translation>The skin picture %1 is too large (%2 x %3): neither side may exceed %4 pixels</translation>
    </message>
</context>
<context>
    <name>Translation</name>
    <message>
        <source>中文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>“%1”不是有效的整数</source>
        <translation>'%1' is not a valid integer value</translation>
    </message>
</context>
<context>
    <name>huebird::AboutDlg</name>
    <message>
        <source>如何取色？
在四个小色块中的任意一个上按住鼠标左键不放，然后把鼠标移到屏幕上任何位置，鼠标下的颜色会立即显示在色块和数值中；放大镜跟着显示鼠标周围的像素，便于对准。松开鼠标即取定颜色，取色可以用“撤消”（Ctrl+Z 或 F6）退回。

如何把颜色代码应用到网页内？
按 Ctrl+C 或 F4（或在菜单中选“拷贝”），颜色代码就放到了剪贴板上。在网页代码中 color= 的后面按 Ctrl+V 粘贴即可，例如 &lt;font color=#FF8000&gt;。拷贝的格式可在“基本设置”中选择：WEB值（如 #FF8000）、RGB值（如 RGB(255, 128, 000)）或十进制值；WEB值可以选择带或不带“#”号。

其他
Ctrl+V 或 F5 把剪贴板中的十六进制颜色贴到当前色块；双击窗口可手工输入颜色；F2 或 Ctrl+O 打开收藏夹管理。窗口上的菜单按钮打开主菜单，右键点色块打开色块菜单（收藏夹、调色板、对比色、反色、灰度）。
更详细的说明见程序目录中的 readme.htm（菜单“帮助”）。</source>
        <translation>How do I pick a colour?
Press and hold the left mouse button on any of the four small swatches, then move the pointer anywhere on the screen: the colour under the pointer shows at once in the swatch and the figures, and the magnifier shows the pixels around the pointer so you can aim. Release the button to keep the colour; Undo (Ctrl+Z or F6) takes a pick back.

How do I use the colour code on a web page?
Press Ctrl+C or F4 (or choose Copy in the menu) and the colour code is on the clipboard. Paste it with Ctrl+V after color= in the page&apos;s code, for example &lt;font color=#FF8000&gt;. Choose the format under Basic settings: web value (such as #FF8000), RGB value (such as RGB(255, 128, 000)) or decimal value; the web value comes with or without the &quot;#&quot;.

More
Ctrl+V or F5 pastes a hexadecimal colour from the clipboard into the current swatch; double-click the window to type a colour in; F2 or Ctrl+O opens the favourites manager. The menu button on the window opens the main menu; right-click a swatch for the swatch menu (favourites, palettes, contrast, invert, greyscale).
readme.htm in the program&apos;s folder tells more (menu Help).</translation>
    </message>
    <message>
        <source>关于我们</source>
        <translation>About</translation>
    </message>
    <message>
        <source>使用帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>基本设置</source>
        <translation>Basic settings</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>软件作者： Huebird 开发组</source>
        <translation>Author: the Huebird developers</translation>
    </message>
    <message>
        <source>软件版本： Huebird 20080328</source>
        <translation>Version: Huebird 20080328</translation>
    </message>
    <message>
        <source>出品单位： Huebird 工作室</source>
        <translation>Publisher: Huebird Studio</translation>
    </message>
    <message>
        <source>官方网站： </source>
        <translation>Website: </translation>
    </message>
    <message>
        <source>联系方式： hello@huebird.example</source>
        <translation>Contact: hello@huebird.example</translation>
    </message>
    <message>
        <source>开发日期： 2002-01-30</source>
        <translation>Released: 2002-01-30</translation>
    </message>
    <message>
        <source>拷贝颜色带＂＃＂符号</source>
        <translation>Copy with the &quot;#&quot; sign</translation>
    </message>
    <message>
        <source>拷贝颜色值为</source>
        <translation>Copy the colour as</translation>
    </message>
    <message>
        <source>WEB值</source>
        <translation>Web value</translation>
    </message>
    <message>
        <source>RGB值</source>
        <translation>RGB value</translation>
    </message>
    <message>
        <source>十进制值</source>
        <translation>Decimal value</translation>
    </message>
</context>
<context>
    <name>huebird::ContrastForm</name>
    <message>
        <source>对比色</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>在这里可以通过滑杆选择不同的对比色</source>
        <translation>Choose a contrasting colour with the sliders</translation>
    </message>
    <message>
        <source>交换两种颜色</source>
        <translation>Swap the two colours</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>两种颜色的对比度（WCAG 2.x）</source>
        <translation>Contrast ratio of the two colours (WCAG 2.x)</translation>
    </message>
    <message>
        <source>正文</source>
        <comment>readout row</comment>
        <translation>Text</translation>
    </message>
    <message>
        <source>大字</source>
        <comment>readout row</comment>
        <translation>Large</translation>
    </message>
    <message>
        <source>正文</source>
        <translation>Normal text</translation>
    </message>
    <message>
        <source>大字（18 磅，或 14 磅粗体）</source>
        <translation>Large text (18 pt, or 14 pt bold)</translation>
    </message>
    <message>
        <source>AA 需 4.5:1，AAA 需 7:1</source>
        <translation>AA needs 4.5:1, AAA needs 7:1</translation>
    </message>
    <message>
        <source>AA 需 3:1，AAA 需 4.5:1</source>
        <translation>AA needs 3:1, AAA needs 4.5:1</translation>
    </message>
    <message>
        <source>%1：AA %2，AAA %3（%4）</source>
        <translation>%1: AA %2, AAA %3 (%4)</translation>
    </message>
</context>
<context>
    <name>huebird::FontForm</name>
    <message>
        <source>字体设置</source>
        <translation>Font settings</translation>
    </message>
    <message>
        <source>在这里可以更改Huebird字体的颜色、类型</source>
        <translation>Change the figures&apos; colour and weight</translation>
    </message>
    <message>
        <source>更改这个数字的颜色</source>
        <translation>Change this figure&apos;s colour</translation>
    </message>
    <message>
        <source>粗</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法保存字体设置：%1</source>
        <translation>Cannot save the font settings: %1</translation>
    </message>
</context>
<context>
    <name>huebird::HookForm</name>
    <message>
        <source>热键设置</source>
        <translation>Hot-key settings</translation>
    </message>
    <message>
        <source>请不要使用系统或其他软件使用的热键，避免冲突</source>
        <translation>Avoid keys the system or other programs use</translation>
    </message>
    <message>
        <source>Huebird最小化热键：</source>
        <translation>Minimise hot-key:</translation>
    </message>
    <message>
        <source>Ctrl ＋</source>
        <translation>Ctrl +</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>huebird::InputForm</name>
    <message>
        <source>附：按红绿蓝顺序输入，每个颜色符必须在</source>
        <translation>Note: red, green, blue in turn, each digit</translation>
    </message>
    <message>
        <source>[0～9]之间，以回车键结束；</source>
        <translation>0 to 9; press Enter to finish.</translation>
    </message>
    <message>
        <source>附：每个颜色符必须在&apos;0-9&apos;，&apos;a-f&apos;之间，</source>
        <translation>Note: each character 0-9 or a-f,</translation>
    </message>
    <message>
        <source>最多六个字符；以回车键结束；</source>
        <translation>six at most; press Enter to finish.</translation>
    </message>
    <message>
        <source>切换输入方式</source>
        <translation>Switch the input mode</translation>
    </message>
    <message>
        <source>十六进制颜色值</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>十进制颜色值</source>
        <translation>Decimal</translation>
    </message>
</context>
<context>
    <name>huebird::MainForm</name>
    <message>
        <source>无法加载热键库，系统热键不可用：%1</source>
        <translation>Cannot load the hot-key library, so the system hot-key is not available: %1</translation>
    </message>
    <message>
        <source>无法连接到 X 显示，系统热键不可用。</source>
        <translation>Cannot connect to the X display, so the system hot-key is not available.</translation>
    </message>
    <message>
        <source>系统热键 %1 已被其他程序占用，请在“系统热键”中换一个键。</source>
        <translation>Another program holds the system hot-key %1. Please choose another key under “System hot-key”.</translation>
    </message>
    <message>
        <source>键盘上没有系统热键 %1 的按键，请在“系统热键”中换一个键。</source>
        <translation>The keyboard has no key for the system hot-key %1. Please choose another key under “System hot-key”.</translation>
    </message>
    <message>
        <source>系统热键不可用：%1</source>
        <translation>The system hot-key is not available: %1</translation>
    </message>
    <message>
        <source>无法保存设置：%1</source>
        <translation>Cannot save the settings: %1</translation>
    </message>
    <message>
        <source>设置文件 %1 已不存在；本次的设置没有保存。</source>
        <translation>The settings file %1 no longer exists; the settings of this session were not saved.</translation>
    </message>
</context>
<context>
    <name>huebird::MarksForm</name>
    <message>
        <source>请输入颜色名称!</source>
        <translation>Please enter a name for the colour!</translation>
    </message>
    <message>
        <source>该颜色已经存在于收藏夹内!</source>
        <translation>This name is already in the favourites list!</translation>
    </message>
    <message>
        <source>请选择需要移动的颜色名称!</source>
        <translation>Please choose the colour to move!</translation>
    </message>
    <message>
        <source>目标收藏夹和收藏夹分类不能相同！请重新选择！</source>
        <translation>The target list cannot be the list itself! Please choose another!</translation>
    </message>
    <message>
        <source>目标收藏夹已经存在该颜色名称，不能移动！</source>
        <translation>The target list already has a colour of this name, so it cannot be moved!</translation>
    </message>
    <message>
        <source>颜色名称不能包含“=”或换行，不能以“;”或“[”开头，首尾不能有空格!</source>
        <translation>A colour name cannot contain “=” or a line break, cannot start with “;” or “[”, and cannot start or end with a space!</translation>
    </message>
    <message>
        <source>该收藏夹已放不下这个颜色名称，请缩短名称或删除一些颜色!</source>
        <translation>This list has no room for the name. Please shorten it or delete some colours!</translation>
    </message>
    <message>
        <source>目标收藏夹已放不下该颜色名称，不能移动！</source>
        <translation>The target list has no room for this name, so it cannot be moved!</translation>
    </message>
    <message>
        <source>无法保存收藏夹</source>
        <translation>Cannot save the favourites</translation>
    </message>
    <message>
        <source>颜色已复制到目标收藏夹，但无法从原收藏夹删除</source>
        <translation>The colour was copied to the target list but could not be removed from its own list</translation>
    </message>
    <message>
        <source>移动到其它收藏夹</source>
        <translation>Move to the other list</translation>
    </message>
    <message>
        <source>常用收藏夹</source>
        <translation>Everyday</translation>
    </message>
    <message>
        <source>经典收藏夹</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>备份收藏夹</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>收藏夹管理</source>
        <translation>Favourites manager</translation>
    </message>
    <message>
        <source>在这里你可以添加、删除、分类管理你的颜色收藏夹</source>
        <translation>Add, delete and sort your favourite colours here</translation>
    </message>
    <message>
        <source>颜色代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>颜色名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>收藏夹分类</source>
        <translation>Favourites list</translation>
    </message>
    <message>
        <source>目标收藏夹</source>
        <translation>Target list</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>访问 Huebird 官方网站</source>
        <translation>Huebird website</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1：%2：%3</source>
        <translation>%1: %2: %3</translation>
    </message>
    <message>
        <source>收藏夹文件不能保存原名称（含“=”或换行，或以“;”“[”开头）</source>
        <translation>the favourites file cannot hold the name as it was (it has “=” or a line break, or starts with “;” or “[”)</translation>
    </message>
    <message>
        <source>文件中没有名称</source>
        <translation>no name in the file</translation>
    </message>
    <message>
        <source>名称太长</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>该名称已用于其它颜色</source>
        <translation>the name is taken by another colour</translation>
    </message>
    <message>
        <source>无法读取文件：%2</source>
        <translation>Cannot read the file: %2</translation>
    </message>
    <message>
        <source>文件太大（调色板文件最多 %2 字节）。</source>
        <translation>The file is too large (a palette file may have at most %2 bytes).</translation>
    </message>
    <message>
        <source>文件是空的。</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>第 %1 行不是 UTF-8 文本：调色板文件必须用 UTF-8 编码。</source>
        <translation>Line %1 is not UTF-8 text: palette files must be encoded in UTF-8.</translation>
    </message>
    <message>
        <source>第 1 行不是“GIMP Palette”：这不是 GIMP 调色板文件。</source>
        <translation>Line 1 is not “GIMP Palette”: this is not a GIMP palette file.</translation>
    </message>
    <message>
        <source>第 %1 行：颜色值 %2 不在 0 到 255 之间。</source>
        <translation>Line %1: the colour value %2 is not between 0 and 255.</translation>
    </message>
    <message>
        <source>第 %1 行不是颜色（应为“红 绿 蓝 名称”）：%2</source>
        <translation>Line %1 is not a colour (“red green blue name” expected): %2</translation>
    </message>
    <message>
        <source>文件中没有颜色。</source>
        <translation>The file has no colours.</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>把收藏夹导出为 GIMP 调色板或 CSS 文件</source>
        <translation>Export this list as a GIMP palette or as CSS</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>把 GIMP 调色板中的颜色导入收藏夹</source>
        <translation>Import the colours of a GIMP palette into this list</translation>
    </message>
    <message>
        <source>“%1”放不下这么多颜色名称，“%2”中的颜色都没有导入。请删除一些颜色，或导入到其它收藏夹。</source>
        <translation>“%1” cannot list that many more names, so none of the colours in “%2” were imported. Delete some colours, or import into another list.</translation>
    </message>
    <message>
        <source>从“%1”导入到“%2”的颜色：%3 个。</source>
        <translation>Colours imported from “%1” into “%2”: %3.</translation>
    </message>
    <message>
        <source>已更改的名称：%1 个</source>
        <translation>Names changed: %1</translation>
    </message>
    <message>
        <source>“%1” → “%2”：%3</source>
        <translation>“%1” → “%2”: %3</translation>
    </message>
    <message>
        <source>……还有 %1 个</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>名称和颜色都已在收藏夹中、没有重复导入的颜色：%1 个</source>
        <translation>Colours already in the list with the same name and colour, not imported again: %1</translation>
    </message>
    <message>
        <source>无法导入“%1”：%2</source>
        <translation>Cannot import “%1”: %2</translation>
    </message>
    <message>
        <source>无法导出到“%1”：%2</source>
        <translation>Cannot export to “%1”: %2</translation>
    </message>
    <message>
        <source>该收藏夹中没有可导出的颜色，没有写入文件。</source>
        <translation>This list has no colours to export; no file was written.</translation>
    </message>
    <message>
        <source>值不是颜色、没有导出的条目（%1 个）：%2</source>
        <translation>Entries whose value is not a colour, not exported (%1): %2</translation>
    </message>
</context>
<context>
    <name>huebird::PaletteForm</name>
    <message>
        <source>常用调色板 ～ Huebird</source>
        <translation>Palettes ~ Huebird</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Palettes</translation>
    </message>
    <message>
        <source>我们为方便大家提供几种常用的色板</source>
        <translation>A few palettes in everyday use</translation>
    </message>
</context>
<context>
    <name>huebird::PaletteTransfer</name>
    <message>
        <source>GIMP 调色板 (*.gpl)</source>
        <translation>GIMP palette (*.gpl)</translation>
    </message>
    <message>
        <source>CSS 自定义属性 (*.css)</source>
        <translation>CSS custom properties (*.css)</translation>
    </message>
    <message>
        <source>导出收藏夹</source>
        <translation>Export favourites</translation>
    </message>
    <message>
        <source>导入调色板</source>
        <translation>Import a palette</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>huebird::Presence</name>
    <message>
        <source>没有找到系统托盘，也没有可用的热键，窗口无法隐藏</source>
        <translation>There is no system tray and no working hot-key, so the window cannot be hidden</translation>
    </message>
    <message>
        <source>没有找到系统托盘，窗口无法隐藏。在桌面的键盘设置中为命令 huebird --toggle 设置一个快捷键，就可以用它隐藏和显示窗口</source>
        <translation>There is no system tray, so the window cannot be hidden. Bind the command huebird --toggle to a key in your desktop&apos;s keyboard settings to hide and show it</translation>
    </message>
    <message>
        <source>窗口已隐藏，按 %1 可以重新显示</source>
        <translation>The window is hidden: press %1 to show it again</translation>
    </message>
</context>
<context>
    <name>huebird::Swatch</name>
    <message>
        <source>按住鼠标左键并移动</source>
        <translation>Press the left button here and move</translation>
    </message>
</context>
<context>
    <name>CssColour</name>
    <message>
        <source>“%1”不是数字</source>
        <translation>“%1” is not a number</translation>
    </message>
    <message>
        <source>“%2”中的单位“%1”无法识别</source>
        <translation>the unit “%1” in “%2” is unknown</translation>
    </message>
    <message>
        <source>%1() 用逗号分隔时不能写 none</source>
        <translation>%1() with commas does not take none</translation>
    </message>
    <message>
        <source>%1() 的色相不能是百分比</source>
        <translation>the hue of %1() cannot be a percentage</translation>
    </message>
    <message>
        <source>%1() 只有色相可以带角度单位</source>
        <translation>%1() takes an angle only for the hue</translation>
    </message>
    <message>
        <source>%1() 用逗号分隔时色相后面要写百分比</source>
        <translation>%1() with commas needs percentages after the hue</translation>
    </message>
    <message>
        <source>%1() 混用了逗号和“/”</source>
        <translation>%1() mixes commas and “/”</translation>
    </message>
    <message>
        <source>%1() 的“/”后面没有值</source>
        <translation>%1() has nothing after “/”</translation>
    </message>
    <message>
        <source>%1() 的“/”后面只能有一个透明度</source>
        <translation>%1() takes one alpha after “/”</translation>
    </message>
    <message>
        <source>%1() 中有空值</source>
        <translation>%1() has an empty value</translation>
    </message>
    <message>
        <source>%1() 的值之间混用了逗号和空格</source>
        <translation>%1() mixes commas and spaces between values</translation>
    </message>
    <message>
        <source>%1() 的值太多</source>
        <translation>%1() has too many values</translation>
    </message>
    <message>
        <source>%1() 需要 3 个值</source>
        <translation>%1() needs 3 values</translation>
    </message>
    <message>
        <source>%1() 的透明度不能是角度</source>
        <translation>the alpha of %1() cannot be an angle</translation>
    </message>
    <message>
        <source>不认识的颜色函数“%1()”</source>
        <translation>unknown colour function “%1()”</translation>
    </message>
    <message>
        <source>%1() 不能用逗号分隔</source>
        <translation>%1() takes no commas</translation>
    </message>
    <message>
        <source>%1() 用逗号分隔时要么全是数字，要么全是百分比</source>
        <translation>%1() with commas needs all numbers or all percentages</translation>
    </message>
    <message>
        <source>没有颜色</source>
        <translation>no colour given</translation>
    </message>
    <message>
        <source>“%1”含有非十六进制字符</source>
        <translation>“%1” has a character that is not hexadecimal</translation>
    </message>
    <message>
        <source>“%1”应有 3、4、6 或 8 位十六进制数字</source>
        <translation>“%1” needs 3, 4, 6 or 8 hexadecimal digits</translation>
    </message>
    <message>
        <source>不认识的颜色名称“%1”</source>
        <translation>unknown colour name “%1”</translation>
    </message>
    <message>
        <source>“%1”没有以“)”结尾</source>
        <translation>“%1” does not end with “)”</translation>
    </message>
    <message>
        <source>“%1”在“)”之后还有文字，或括号多余</source>
        <translation>“%1” has text after “)” or a stray bracket</translation>
    </message>
    <message>
        <source>“%1”不是 0 到 16777215 之间的十进制颜色值</source>
        <translation>“%1” is not a decimal colour value from 0 to 16777215</translation>
    </message>
</context>
<context>
    <name>CopyAs</name>
    <message>
        <source>WEB值（不带＃）</source>
        <translation>Web value without #</translation>
    </message>
    <message>
        <source>CSS 十六进制</source>
        <translation>CSS hexadecimal</translation>
    </message>
    <message>
        <source>CSS 颜色名称</source>
        <translation>CSS colour name</translation>
    </message>
    <message>
        <source>最接近的 CSS 颜色名称</source>
        <translation>Nearest CSS colour name</translation>
    </message>
    <message>
        <source>WEB值</source>
        <translation>Web value</translation>
    </message>
    <message>
        <source>RGB值</source>
        <translation>RGB value</translation>
    </message>
    <message>
        <source>十进制值</source>
        <translation>Decimal value</translation>
    </message>
</context>
<context>
    <name>AnyColourPaste</name>
    <message>
        <source>剪贴板上没有文字，无法粘贴颜色</source>
        <translation>The clipboard holds no text, so there is no colour to paste</translation>
    </message>
    <message>
        <source>剪贴板上的“%1”不是颜色：%2</source>
        <translation>“%1” on the clipboard is not a colour: %2</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>颜色名称：%1</source>
        <translation>Colour name: %1</translation>
    </message>
    <message>
        <source>最接近的颜色名称：%1</source>
        <translation>Nearest colour name: %1</translation>
    </message>
</context>
</TS>
