<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AIKaomojiGenerator</name>
    <message>
        <source>The prompt is not valid Unicode text</source>
        <translation>プロンプトが正しい Unicode テキストではありません</translation>
    </message>
    <message>
        <source>Failed to parse API response as JSON</source>
        <translation>API の応答を JSON として読み取れませんでした</translation>
    </message>
    <message>
        <source>Failed to parse API response</source>
        <translation>API の応答を読み取れませんでした</translation>
    </message>
    <message>
        <source>The generation service sent an unusable kaomoji. %1</source>
        <translation>生成サービスから使えない顔文字が届きました。%1</translation>
    </message>
</context>
<context>
    <name>CopiedBanner</name>
    <message>
        <source>Copied: %1</source>
        <extracomment>The banner after a copy; %1 is the copied kaomoji</extracomment>
        <translation>コピーしました: %1</translation>
    </message>
</context>
<context>
    <name>CustomKaomojiForm</name>
    <message>
        <source>Kaomoji Face</source>
        <extracomment>Placeholder of the field for a kaomoji face of one&apos;s own</extracomment>
        <translation>顔文字</translation>
    </message>
    <message>
        <source>Add</source>
        <extracomment>Adds the typed face to one&apos;s own kaomoji</extracomment>
        <translation>追加</translation>
    </message>
    <message>
        <source>AI Prompt</source>
        <extracomment>Placeholder of the field describing a kaomoji to generate</extracomment>
        <translation>AI へのプロンプト</translation>
    </message>
    <message>
        <source>Generate</source>
        <extracomment>Asks the generation service for a kaomoji matching the prompt</extracomment>
        <translation>生成</translation>
    </message>
</context>
<context>
    <name>DesktopPaster</name>
    <message>
        <source>cannot paste on the &quot;%1&quot; platform; the face is on the clipboard</source>
        <translation>「%1」プラットフォームでは貼り付けられません。顔文字はクリップボードにあります</translation>
    </message>
</context>
<context>
    <name>EmptyStateView</name>
    <message>
        <source>(╥﹏╥)</source>
        <extracomment>The sad face shown when no kaomoji matches the search</extracomment>
        <translation>(╥﹏╥)</translation>
    </message>
    <message>
        <source>No matches found, try creating your own by pressing enter or clicking the wand.</source>
        <extracomment>Shown when no kaomoji matches the search; Return and the wand both make one</extracomment>
        <translation>見つかりませんでした。Enter キーを押すか魔法の杖をクリックして、自分で作ってみましょう。</translation>
    </message>
</context>
<context>
    <name>FaceText</name>
    <message>
        <source>The kaomoji is not valid text.</source>
        <translation>顔文字が正しいテキストではありません。</translation>
    </message>
    <message>
        <source>A kaomoji can be at most %1 characters long.</source>
        <translation>顔文字は %1 文字までです。</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Import Kaomoji</source>
        <extracomment>Title of the file dialog that picks a file of kaomoji to add</extracomment>
        <translation>顔文字を読み込む</translation>
    </message>
    <message>
        <source>Kaomoji files (*.json *.txt)</source>
        <extracomment>File type filters of the import dialog; keep the patterns in parentheses</extracomment>
        <translation>顔文字ファイル (*.json *.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Export Kaomoji to a Folder</source>
        <extracomment>Title of the dialog that picks the folder where the user&apos;s own kaomoji go</extracomment>
        <translation>顔文字をフォルダーに書き出す</translation>
    </message>
</context>
<context>
    <name>GenerationServiceStarter</name>
    <message>
        <source>the program pelmora-generator is not installed</source>
        <translation>pelmora-generator がインストールされていません</translation>
    </message>
    <message>
        <source>pelmora-generator stopped at once: %1</source>
        <translation>pelmora-generator がすぐに終了しました: %1</translation>
    </message>
    <message>
        <source>pelmora-generator did not start listening in time</source>
        <translation>pelmora-generator が時間内に待ち受けを始めませんでした</translation>
    </message>
</context>
<context>
    <name>GenerationTask</name>
    <message>
        <source>The generation service did not answer within 1 second</source>
        <translation>生成サービスが 1 秒以内に応答しませんでした</translation>
    </message>
    <message>
        <source>The generation service did not answer within %1 seconds</source>
        <translation>生成サービスが %1 秒以内に応答しませんでした</translation>
    </message>
    <message>
        <source>Response too large</source>
        <translation>応答が大きすぎます</translation>
    </message>
    <message>
        <source>The generation service tried to send the prompt to another address (%1); it was not sent there</source>
        <translation>生成サービスがプロンプトを別のアドレス (%1) に送らせようとしました。そこへは送っていません</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>%1 in %2: %3; using %4</source>
        <translation>%2 の %1: %3。代わりに %4 を使います</translation>
    </message>
    <message>
        <source>the shortcut %1: %2</source>
        <translation>ショートカット %1: %2</translation>
    </message>
    <message>
        <source>Pelmora registers shortcuts on X11 and Wayland only</source>
        <translation>Pelmora がショートカットを登録できるのは X11 と Wayland だけです</translation>
    </message>
    <message>
        <source>the shortcut %1 is off: %2. Choose another with `pelmora --shortcut KEYS`, or bind `pelmora --toggle` to a key in your desktop&apos;s settings</source>
        <translation>ショートカット %1 は使えません: %2。`pelmora --shortcut KEYS` でほかのキーを選ぶか、デスクトップの設定で `pelmora --toggle` をキーに割り当ててください</translation>
    </message>
</context>
<context>
    <name>KaomojiButton</name>
    <message>
        <source>Delete</source>
        <extracomment>Context menu item of a kaomoji of one&apos;s own</extracomment>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>KaomojiCategories</name>
    <message>
        <source>Recently Used</source>
        <translation>最近使った顔文字</translation>
    </message>
    <message>
        <source>Joy</source>
        <translation>喜び</translation>
    </message>
    <message>
        <source>Love</source>
        <translation>愛</translation>
    </message>
    <message>
        <source>Surprise</source>
        <translation>驚き</translation>
    </message>
    <message>
        <source>Sadness</source>
        <translation>悲しみ</translation>
    </message>
    <message>
        <source>Anger</source>
        <translation>怒り</translation>
    </message>
    <message>
        <source>Confusion</source>
        <translation>困惑</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>マイ顔文字</translation>
    </message>
    <message>
        <source>Sleeping</source>
        <translation>寝る</translation>
    </message>
    <message>
        <source>Dissatisfaction</source>
        <translation>不満</translation>
    </message>
    <message>
        <source>Pain</source>
        <translation>痛み</translation>
    </message>
    <message>
        <source>Fear</source>
        <translation>恐怖</translation>
    </message>
    <message>
        <source>Indifference</source>
        <translation>無関心</translation>
    </message>
    <message>
        <source>Doubt</source>
        <translation>疑い</translation>
    </message>
    <message>
        <source>Greeting</source>
        <translation>あいさつ</translation>
    </message>
    <message>
        <source>Hugging</source>
        <translation>ハグ</translation>
    </message>
    <message>
        <source>Winking</source>
        <translation>ウインク</translation>
    </message>
    <message>
        <source>Apologizing</source>
        <translation>おわび</translation>
    </message>
    <message>
        <source>Nosebleeding</source>
        <translation>鼻血</translation>
    </message>
    <message>
        <source>Hiding</source>
        <translation>隠れる</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>書く</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>走る</translation>
    </message>
    <message>
        <source>Cat</source>
        <translation>ねこ</translation>
    </message>
    <message>
        <source>Bear</source>
        <translation>くま</translation>
    </message>
    <message>
        <source>Dog</source>
        <translation>いぬ</translation>
    </message>
    <message>
        <source>Rabbit</source>
        <translation>うさぎ</translation>
    </message>
    <message>
        <source>Pig</source>
        <translation>ぶた</translation>
    </message>
    <message>
        <source>Bird</source>
        <translation>とり</translation>
    </message>
    <message>
        <source>Fish</source>
        <translation>さかな</translation>
    </message>
    <message>
        <source>Spider</source>
        <translation>くも</translation>
    </message>
    <message>
        <source>Friends</source>
        <translation>友だち</translation>
    </message>
    <message>
        <source>Enemies</source>
        <translation>敵</translation>
    </message>
    <message>
        <source>Weapons</source>
        <translation>武器</translation>
    </message>
    <message>
        <source>Magic</source>
        <translation>魔法</translation>
    </message>
    <message>
        <source>Food</source>
        <translation>食べ物</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>音楽</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>ゲーム</translation>
    </message>
    <message>
        <source>Faces</source>
        <translation>顔</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>特別</translation>
    </message>
</context>
<context>
    <name>KaomojiData</name>
    <message>
        <source>Error decoding custom kaomojis: %1</source>
        <translation>マイ顔文字を読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>Error decoding recently used kaomojis: %1</source>
        <translation>最近使った顔文字を読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>Error encoding custom kaomojis: %1</source>
        <translation>マイ顔文字を保存できませんでした: %1</translation>
    </message>
    <message>
        <source>Error encoding recently used kaomojis: %1</source>
        <translation>最近使った顔文字を保存できませんでした: %1</translation>
    </message>
    <message>
        <source>; the unreadable data is kept under &quot;%1&quot; in %2</source>
        <translation>。読み込めなかったデータは %2 の「%1」に残してあります</translation>
    </message>
    <message>
        <source>; the unreadable data could not be kept aside (%1) and stays under &quot;%2&quot; until this list changes</source>
        <translation>。読み込めなかったデータを別に残せなかったため (%1)、この一覧が変わるまで「%2」に置いたままにします</translation>
    </message>
    <message>
        <source>Saving works again: the lists are saved in %1</source>
        <translation>保存できるようになりました: 一覧は %1 に保存されます</translation>
    </message>
    <message>
        <source>Kaomoji not added: %1</source>
        <translation>顔文字を追加しませんでした: %1</translation>
    </message>
</context>
<context>
    <name>KaomojiFile</name>
    <message>
        <source>&quot;%1&quot; holds a tab, a line break or a comma in a tag, which a text file cannot keep apart; export as JSON</source>
        <translation>「%1」にはタブ、改行、またはタグの中のカンマがあり、テキストファイルでは区切れません。JSON で書き出してください</translation>
    </message>
    <message>
        <source>line %1 is not UTF-8 text</source>
        <translation>%1 行目が UTF-8 のテキストではありません</translation>
    </message>
    <message>
        <source>it has no kaomoji before the tab</source>
        <translation>タブの前に顔文字がありません</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
</context>
<context>
    <name>KaomojiJson</name>
    <message>
        <source>record %1: its &quot;%2&quot; is not valid Unicode text</source>
        <translation>%1 番目の項目: 「%2」が正しい Unicode テキストではありません</translation>
    </message>
    <message>
        <source>element %1 is not a JSON object</source>
        <translation>%1 番目の要素が JSON オブジェクトではありません</translation>
    </message>
    <message>
        <source>record %1 has no &quot;%2&quot;</source>
        <translation>%1 番目の項目に「%2」がありません</translation>
    </message>
    <message>
        <source>record %1: &quot;%2&quot; is not a string</source>
        <translation>%1 番目の項目: 「%2」が文字列ではありません</translation>
    </message>
    <message>
        <source>record %1: &quot;%2&quot; is not a valid id</source>
        <translation>%1 番目の項目: 「%2」は正しい ID ではありません</translation>
    </message>
    <message>
        <source>record %1 has no &quot;tags&quot;</source>
        <translation>%1 番目の項目に「tags」がありません</translation>
    </message>
    <message>
        <source>record %1: &quot;tags&quot; is not an array</source>
        <translation>%1 番目の項目: 「tags」が配列ではありません</translation>
    </message>
    <message>
        <source>record %1: a tag is not a string</source>
        <translation>%1 番目の項目: 文字列でないタグがあります</translation>
    </message>
    <message>
        <source>the data is not valid JSON (%1 at byte %2)</source>
        <translation>データが正しい JSON ではありません (%2 バイト目: %1)</translation>
    </message>
    <message>
        <source>the data is not a JSON array</source>
        <translation>データが JSON の配列ではありません</translation>
    </message>
</context>
<context>
    <name>KaomojiView</name>
    <message>
        <source>The generation service is not running, and starting it failed: %1</source>
        <comment>%1 says why</comment>
        <translation>生成サービスが動いておらず、起動にも失敗しました: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>What a screen reader says of a kaomoji after its face: %1 is its category, %2 its tags</extracomment>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between tags</comment>
        <translation>、</translation>
    </message>
    <message>
        <source>Nothing imported: %1</source>
        <translation>何も読み込みませんでした: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n kaomoji added.</source>
        <extracomment>After an import; the second sentence says how many the user had already</extracomment>
        <translation>
            <numerusform>%n 個の顔文字を追加しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n already there.</source>
        <translation>
            <numerusform>%n 個はすでにありました。</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing exported: %1</source>
        <translation>何も書き出しませんでした: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n kaomoji exported to %1.</source>
        <translation>
            <numerusform>%n 個の顔文字を %1 に書き出しました。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LauncherCommands</name>
    <message>
        <source>--list writes plain, tsv or json, not &quot;%1&quot;</source>
        <translation>--list の形式は plain、tsv、json のいずれかです（「%1」ではありません）</translation>
    </message>
    <message>
        <source>there is no category &quot;%1&quot;; the categories are: %2</source>
        <translation>カテゴリー「%1」はありません。カテゴリーは次のとおりです: %2</translation>
    </message>
    <message>
        <source>--export writes json or txt, not &quot;%1&quot;</source>
        <translation>--export の形式は json か txt です（「%1」ではありません）</translation>
    </message>
    <message>
        <source>nothing exported: %1</source>
        <translation>何も書き出しませんでした: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n kaomoji of your own written to %1</source>
        <translation>
            <numerusform>自分の顔文字 %n 個を %1 に書き出しました</numerusform>
        </translation>
    </message>
    <message>
        <source>nothing imported: %1</source>
        <translation>何も読み込みませんでした: %1</translation>
    </message>
    <message>
        <source>%1 handed to the running Pelmora</source>
        <translation>%1 を実行中の Pelmora に渡しました</translation>
    </message>
    <message>
        <source>cannot keep the copy: %1</source>
        <translation>コピーを保持できません: %1</translation>
    </message>
    <message>
        <source>nothing to copy: no kaomoji given</source>
        <translation>コピーするものがありません: 顔文字が指定されていません</translation>
    </message>
    <message>
        <source>no display to copy to: DISPLAY and WAYLAND_DISPLAY are both unset</source>
        <translation>コピー先のディスプレイがありません: DISPLAY も WAYLAND_DISPLAY も設定されていません</translation>
    </message>
    <message>
        <source>Print the kaomoji the picker shows for --query and --category, one a line, in the picker&apos;s order; for launchers like rofi.</source>
        <translation>--query と --category に対してピッカーが表示する顔文字を、ピッカーと同じ順に 1 行に 1 つずつ出力します。rofi などのランチャー向けです。</translation>
    </message>
    <message>
        <source>Search words for --list.</source>
        <translation>--list の検索語です。</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>テキスト</translation>
    </message>
    <message>
        <source>Only this category for --list (may repeat).</source>
        <translation>--list でこのカテゴリーだけを表示します（複数指定できます）。</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>plain, tsv (face, category, tags) or json for --list; json or txt for --export.</source>
        <translation>--list では plain、tsv（顔文字、カテゴリー、タグ）、json、--export では json か txt です。</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Copy FACE as a click on its tile does (&quot;-&quot;: the first line of standard input, up to a tab).</source>
        <translation>タイルをクリックしたときと同じように顔文字をコピーします（「-」なら標準入力の最初の行のタブまで）。</translation>
    </message>
    <message>
        <source>FACE</source>
        <translation>顔文字</translation>
    </message>
    <message>
        <source>Write your own kaomoji to FILE.</source>
        <translation>自分の顔文字をファイルに書き出します。</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Add the kaomoji in FILE (json or txt) that you do not have yet.</source>
        <translation>ファイル（json または txt）の顔文字のうち、まだないものを追加します。</translation>
    </message>
    <message>
        <source>give one of --list, --copy, --export and --import at a time</source>
        <translation>--list、--copy、--export、--import は一度に 1 つだけ指定してください</translation>
    </message>
    <message numerus="yes">
        <source>%n new kaomoji from %1</source>
        <translation>
            <numerusform>%1 から新しい顔文字 %n 個</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n already there)</source>
        <translation>
            <numerusform>（%n 個はすでにあります）</numerusform>
        </translation>
    </message>
    <message>
        <source>--%1 goes with --list or --export</source>
        <translation>--%1 は --list か --export と一緒に使います</translation>
    </message>
</context>
<context>
    <name>LoginAutostart</name>
    <message>
        <source>cannot remove %1</source>
        <translation>%1 を削除できません</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>MenuButton</name>
    <message>
        <source>Menu</source>
        <extracomment>The name of the menu button for screen readers</extracomment>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>Donate</source>
        <extracomment>Menu item that opens the donation page in the browser</extracomment>
        <translation>寄付する</translation>
    </message>
    <message>
        <source>Quit</source>
        <extracomment>Menu item that ends the application</extracomment>
        <translation>終了</translation>
    </message>
    <message>
        <source>Import…</source>
        <extracomment>Menu item that adds the kaomoji of a file the user picks to their own</extracomment>
        <translation>読み込む…</translation>
    </message>
    <message>
        <source>Export…</source>
        <extracomment>Menu item that writes the user&apos;s own kaomoji to a file they pick</extracomment>
        <translation>書き出す…</translation>
    </message>
</context>
<context>
    <name>PelmoraApp</name>
    <message>
        <source>A kaomoji picker that lives in the tray.</source>
        <translation>トレイに常駐する顔文字ピッカーです。</translation>
    </message>
    <message>
        <source>Show the picker window, or hide it when it is open. Starts Pelmora when it is not running. Bind a shortcut to this.</source>
        <translation>ピッカーのウィンドウを表示します。開いているときは隠します。Pelmora が動いていなければ起動します。ショートカットキーに割り当てて使います。</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;; see pelmora --help</source>
        <translation>不明な引数「%1」です。pelmora --help を参照してください</translation>
    </message>
    <message>
        <source>no display to show the picker on: DISPLAY and WAYLAND_DISPLAY are both unset; start Pelmora from a desktop session</source>
        <translation>ピッカーを表示するディスプレイがありません: DISPLAY も WAYLAND_DISPLAY も設定されていません。デスクトップのセッションから Pelmora を起動してください</translation>
    </message>
    <message>
        <source>%1; another start will open a second Pelmora</source>
        <translation>%1。もう一度起動すると 2 つ目の Pelmora が開きます</translation>
    </message>
    <message>
        <source>the picker window could not be built:
%1</source>
        <translation>ピッカーのウィンドウを作れませんでした:
%1</translation>
    </message>
    <message>
        <source>cannot start again: %1</source>
        <translation>もう一度起動できません: %1</translation>
    </message>
    <message>
        <source>a system tray appeared; starting again to show in it</source>
        <translation>システムトレイが現れました。そこに表示するためにもう一度起動します</translation>
    </message>
    <message>
        <source>no system tray found; showing the picker as a normal window, and closing it quits (it moves into a tray that appears later)</source>
        <translation>システムトレイが見つかりません。ピッカーを通常のウィンドウとして表示します。閉じると終了します (あとでトレイが現れたらそちらに移ります)</translation>
    </message>
    <message>
        <source>a system tray appeared; the picker now opens from its item</source>
        <translation>システムトレイが現れました。これからはトレイのアイコンからピッカーを開きます</translation>
    </message>
    <message>
        <source>Open and close the picker with KEYS (like Ctrl+Alt+K, the default) from any program; &quot;none&quot; turns it off. Starts Pelmora when it is not running.</source>
        <translation>どのプログラムを使っていても KEYS (既定は Ctrl+Alt+K) でピッカーを開閉します。「none」で無効にします。Pelmora が動いていなければ起動します。</translation>
    </message>
    <message>
        <source>KEYS</source>
        <translation>KEYS</translation>
    </message>
    <message>
        <source>With &quot;on&quot;, a click on a kaomoji also pastes it into the window you were typing in; &quot;off&quot; only copies. Starts Pelmora when it is not running.</source>
        <translation>「on」で、顔文字をクリックすると入力中だったウィンドウにも貼り付けます。「off」ではコピーだけします。Pelmora が動いていなければ起動します。</translation>
    </message>
    <message>
        <source>--paste-after-copy takes &quot;on&quot; or &quot;off&quot;, not &apos;%1&apos;</source>
        <translation>--paste-after-copy には「on」か「off」を指定してください（「%1」ではありません）</translation>
    </message>
</context>
<context>
    <name>PickerWindow</name>
    <message>
        <source>(•⩊•)</source>
        <comment>the picker window&apos;s title</comment>
        <translation>(•⩊•)</translation>
    </message>
</context>
<context>
    <name>PortalGlobalShortcut</name>
    <message>
        <source>there is no D-Bus session bus to reach the desktop&apos;s portal</source>
        <translation>デスクトップのポータルに届く D-Bus のセッションバスがありません</translation>
    </message>
    <message>
        <source>the desktop offers applications no global shortcuts (its portal has no org.freedesktop.portal.GlobalShortcuts)</source>
        <translation>このデスクトップはアプリケーションにグローバルショートカットを提供していません (ポータルに org.freedesktop.portal.GlobalShortcuts がありません)</translation>
    </message>
    <message>
        <source>the desktop&apos;s portal refused %1: %2</source>
        <translation>デスクトップのポータルが %1 を拒否しました: %2</translation>
    </message>
    <message>
        <source>the desktop&apos;s portal opened no session for the shortcut</source>
        <translation>デスクトップのポータルがショートカットのセッションを開きませんでした</translation>
    </message>
    <message>
        <source>Open or close the kaomoji picker</source>
        <translation>顔文字ピッカーを開く・閉じる</translation>
    </message>
    <message>
        <source>the desktop did not bind %1 (declined)</source>
        <translation>デスクトップが %1 を割り当てませんでした (拒否されました)</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>使い方: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[オプション]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>引数:</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションも含めてヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>バージョン情報を表示します。</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>不明なオプション「%1」です。</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>不明なオプションです: %1。</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>「%1」の後に値がありません。</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>「%1」の後に余計な値があります。</translation>
    </message>
</context>
<context>
    <name>RemoteDesktopPortal</name>
    <message>
        <source>a newer paste came first</source>
        <translation>新しい貼り付けが先に行われました</translation>
    </message>
    <message>
        <source>the desktop&apos;s remote-desktop portal refused %1: %2</source>
        <translation>デスクトップのリモートデスクトップポータルが %1 を拒否しました: %2</translation>
    </message>
    <message>
        <source>the desktop&apos;s remote-desktop portal opened no session</source>
        <translation>デスクトップのリモートデスクトップポータルがセッションを開きませんでした</translation>
    </message>
    <message>
        <source>the desktop&apos;s remote-desktop portal offered no keyboard</source>
        <translation>デスクトップのリモートデスクトップポータルがキーボードを提供しませんでした</translation>
    </message>
    <message>
        <source>the desktop did not let Pelmora type (declined)</source>
        <translation>デスクトップが Pelmora の入力を許可しませんでした（拒否）</translation>
    </message>
</context>
<context>
    <name>ResultRow</name>
    <message>
        <source>Clear</source>
        <extracomment>Empties the recently used kaomoji</extracomment>
        <translation>消去</translation>
    </message>
</context>
<context>
    <name>SearchBar</name>
    <message>
        <source>Search</source>
        <extracomment>Placeholder of the search field</extracomment>
        <translation>検索</translation>
    </message>
</context>
<context>
    <name>SettingsPreferences</name>
    <message>
        <source>it cannot be read, and keeping a copy of it as %1 failed</source>
        <translation>読み込めず、%1 として控えを残すこともできませんでした</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read; it is kept as %2, and a new one is written</source>
        <translation>設定ファイル %1 を読み込めませんでした。%2 として残し、新しいファイルを書きます</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>ファイルに書き込めませんでした</translation>
    </message>
    <message>
        <source>the file is not in a readable format</source>
        <translation>ファイルが読める形式ではありません</translation>
    </message>
    <message>
        <source>%1 is not a directory</source>
        <translation>%1 はディレクトリではありません</translation>
    </message>
    <message>
        <source>the directory %1 is read-only</source>
        <translation>ディレクトリ %1 は読み取り専用です</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>ファイルが読み取り専用です</translation>
    </message>
    <message>
        <source>could not save to %1 (%2); the change is kept in memory and saved again at the next change</source>
        <translation>%1 に保存できませんでした (%2)。変更はメモリーに残し、次の変更のときにもう一度保存します</translation>
    </message>
</context>
<context>
    <name>ShortcutKeys</name>
    <message>
        <source>; write it like Ctrl+Alt+K, Super+F12 or Meta+period, or none to turn the shortcut off</source>
        <translation>。Ctrl+Alt+K、Super+F12、Meta+period のように書くか、ショートカットを無効にするには none と書いてください</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not one key combination</source>
        <translation>「%1」はひとつのキーの組み合わせではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; does not end in a key Pelmora can listen for</source>
        <translation>「%1」の最後が Pelmora の扱えるキーではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs Ctrl, Alt or Meta</source>
        <translation>「%1」には Ctrl、Alt、Meta のいずれかが必要です</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>it is not a directory</source>
        <translation>ディレクトリではありません</translation>
    </message>
    <message>
        <source>it belongs to uid %1, not to you (uid %2)</source>
        <translation>あなた (uid %2) ではなく uid %1 の所有です</translation>
    </message>
    <message>
        <source>it is open to other users (mode %1)</source>
        <translation>ほかのユーザーにも開かれています (モード %1)</translation>
    </message>
    <message>
        <source>%1 is no place for the instance socket: %2; it must be a directory of yours that nobody else may enter (mode 0700)</source>
        <translation>%1 にはインスタンスのソケットを置けません: %2。あなたが所有し、ほかの誰も入れないディレクトリ (モード 0700) でなければなりません</translation>
    </message>
    <message>
        <source>another Pelmora has been starting for more than %1 s and still holds %2</source>
        <translation>別の Pelmora が %1 秒以上起動中のまま %2 を握っています</translation>
    </message>
    <message>
        <source>cannot create %1: permission denied</source>
        <translation>%1 を作成できません: 権限がありません</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>cannot reach the running Pelmora at %1: %2</source>
        <translation>%1 で動いている Pelmora に接続できません: %2</translation>
    </message>
    <message>
        <source>a process of uid %1, not a Pelmora of yours, answers at %2; starting as the first Pelmora</source>
        <translation>あなたの Pelmora ではない uid %1 のプロセスが %2 で応答しています。最初の Pelmora として起動します</translation>
    </message>
    <message>
        <source>the running Pelmora did not answer within %1 ms</source>
        <translation>動いている Pelmora が %1 ミリ秒以内に応答しませんでした</translation>
    </message>
    <message>
        <source>the running Pelmora refused &quot;%1&quot;: %2</source>
        <translation>動いている Pelmora が「%1」を拒否しました: %2</translation>
    </message>
    <message>
        <source>cannot listen at %1: %2</source>
        <translation>%1 で待ち受けできません: %2</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Open</source>
        <comment>tray menu: show the picker window</comment>
        <translation>開く</translation>
    </message>
    <message>
        <source>Start at Login</source>
        <comment>tray menu: autostart on or off</comment>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Quit</source>
        <comment>tray menu: end Pelmora</comment>
        <translation>終了</translation>
    </message>
    <message>
        <source>(•⩊•)</source>
        <comment>the tray item&apos;s title and tooltip</comment>
        <translation>(•⩊•)</translation>
    </message>
    <message>
        <source>Paste After Copy</source>
        <comment>tray menu: a click also pastes into the window typed in</comment>
        <translation>コピー後に貼り付け</translation>
    </message>
</context>
<context>
    <name>WandButton</name>
    <message>
        <source>Generate a kaomoji</source>
        <extracomment>The wand button&apos;s name for screen readers while there is search text</extracomment>
        <translation>顔文字を生成</translation>
    </message>
    <message>
        <source>Close the form</source>
        <extracomment>The wand button&apos;s name for screen readers while the custom form is open</extracomment>
        <translation>フォームを閉じる</translation>
    </message>
    <message>
        <source>Add your own kaomoji</source>
        <extracomment>The wand button&apos;s name for screen readers while the custom form is closed</extracomment>
        <translation>自分の顔文字を追加</translation>
    </message>
</context>
<context>
    <name>WaylandPaster</name>
    <message>
        <source>cannot paste: the Wayland display cannot be reached</source>
        <translation>貼り付けられません: Wayland ディスプレイに接続できません</translation>
    </message>
    <message>
        <source>cannot paste: this Wayland desktop offers programs no virtual keyboard to type the paste keys with; the face is on the clipboard</source>
        <translation>貼り付けられません: この Wayland デスクトップには貼り付けキーを送る仮想キーボードがありません。顔文字はクリップボードにあります</translation>
    </message>
    <message>
        <source>the picker kept the keyboard; the face is on the clipboard</source>
        <translation>ピッカーがキーボードを手放しませんでした。顔文字はクリップボードにあります</translation>
    </message>
    <message>
        <source>cannot type the paste keys &quot;%1&quot;: &quot;%2&quot; is no modifier</source>
        <translation>貼り付けキー「%1」を送れません: 「%2」は修飾キーではありません</translation>
    </message>
    <message>
        <source>cannot paste: the keymap could not be written</source>
        <translation>貼り付けられません: キーマップを書き込めませんでした</translation>
    </message>
    <message>
        <source>cannot paste: the Wayland compositor closed the connection</source>
        <translation>貼り付けられません: Wayland コンポジターが接続を閉じました</translation>
    </message>
</context>
<context>
    <name>X11KeyGrab</name>
    <message>
        <source>the keyboard has no such key</source>
        <translation>キーボードにそのキーがありません</translation>
    </message>
    <message>
        <source>another program has taken it</source>
        <translation>ほかのプログラムがすでに使っています</translation>
    </message>
</context>
<context>
    <name>X11Paster</name>
    <message>
        <source>cannot paste: the X display cannot be reached</source>
        <translation>貼り付けられません: X ディスプレイに接続できません</translation>
    </message>
    <message>
        <source>cannot paste: the X server offers no XTest to type the paste keys with</source>
        <translation>貼り付けられません: X サーバーに貼り付けキーを送る XTest がありません</translation>
    </message>
    <message>
        <source>no window had the keyboard before the picker opened; the face is on the clipboard</source>
        <translation>ピッカーを開く前にキーボード入力を受けていたウィンドウがありません。顔文字はクリップボードにあります</translation>
    </message>
    <message>
        <source>the window you were typing in did not get the keyboard back; the face is on the clipboard</source>
        <translation>入力中だったウィンドウにキーボードが戻りませんでした。顔文字はクリップボードにあります</translation>
    </message>
    <message>
        <source>cannot type the paste keys &quot;%1&quot;: no key for &quot;%2&quot; on this keyboard</source>
        <translation>貼り付けキー「%1」を送れません: このキーボードには「%2」のキーがありません</translation>
    </message>
</context>
</TS>
