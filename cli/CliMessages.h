// Every text zelvane-cli shows a person, English and Japanese side by side, one entry a text;
// CliText<"Name">(values...) gives it in the user's language. {0}, {1}, ... stand for the
// values, in the order the call gives them. A Japanese text that is a sentence ends in 。, as
// the texts that add a sentence after another expect.
#pragma once

#include <string_view>

struct TCliMessage {
    std::string_view Name;
    std::string_view English;
    std::string_view Japanese;
    // For a text that counts: the English text for a count ({0}) of one.
    std::string_view EnglishOne = {};
};

inline constexpr TCliMessage CliMessages[] = {
    // ---- The program and its help ----
    {.Name = "ProgramDescription",
     .English = "Reads and writes Jw_cad for Windows drawings (.jww).",
     .Japanese = "Jw_cad for Windows の図面（.jww）を読み書きします。"},
    {.Name = "HelpFlag",
     .English = "Print this help message and exit",
     .Japanese = "このヘルプを表示して終了します"},
    {.Name = "HelpUsage", .English = "Usage", .Japanese = "使い方"},
    {.Name = "HelpOptionsBadge", .English = "OPTIONS", .Japanese = "オプション"},
    {.Name = "HelpSubcommandBadge", .English = "SUBCOMMAND", .Japanese = "サブコマンド"},
    {.Name = "HelpPositionals", .English = "Positionals", .Japanese = "引数"},
    {.Name = "HelpOptions", .English = "Options", .Japanese = "オプション"},
    {.Name = "HelpSubcommands", .English = "Subcommands", .Japanese = "サブコマンド"},
    {.Name = "HelpRequired", .English = "REQUIRED", .Japanese = "必須"},
    {.Name = "HelpText", .English = "TEXT", .Japanese = "文字列"},
    {.Name = "HelpWholeNumber", .English = "INT", .Japanese = "整数"},
    {.Name = "HelpRange",
     .English = "{0} in [{1} - {2}]",
     .Japanese = "{1}〜{2} の{0}"},

    // ---- Usage errors ----
    {.Name = "UsageError",
     .English = "{0}: {1}\nRun {0} --help for more information.",
     .Japanese = "{0}: {1}\n詳しくは {0} --help で確かめてください。"},
    {.Name = "UsageSubcommandMissing",
     .English = "a subcommand is required: {0}",
     .Japanese = "サブコマンドを指定してください（{0}）。"},
    {.Name = "UsageNoSuchSubcommand",
     .English = "{0} is no subcommand; the subcommands are {1}",
     .Japanese = "{0} というサブコマンドはありません。サブコマンドは {1} です。"},
    {.Name = "UsageRequired",
     .English = "{0} is required",
     .Japanese = "{0} を指定してください。"},
    {.Name = "UsageValueMissing",
     .English = "{0} needs a value",
     .Japanese = "{0} の後に値を指定してください。"},
    {.Name = "UsageNotExpected",
     .English = "{0} was not expected",
     .Japanese = "余分な引数 {0} があります。"},
    {.Name = "UsageGivenTwice",
     .English = "{0} is given more than once",
     .Japanese = "{0} が二度以上指定されています。"},
    {.Name = "UsageNotConvertible",
     .English = "{0}: {1} is not a value it takes",
     .Japanese = "{0} に {1} は指定できません。"},
    {.Name = "UsageNotAChoice",
     .English = "{0}: {1} is not one of {2}",
     .Japanese = "{0} に {1} は指定できません。{2} のどれかを指定してください。"},
    {.Name = "UsageOutOfRange",
     .English = "{0}: {1} is not a whole number from {2} to {3}",
     .Japanese = "{0} に {1} は指定できません。{2}〜{3} の整数を指定してください。"},
    {.Name = "UsageOther",
     .English = "{0}",
     .Japanese = "コマンドラインを解釈できません（{0}）。"},

    // ---- Shared by the subcommands ----
    {.Name = "DoesNotExist",
     .English = "{0}: does not exist",
     .Japanese = "{0}: ありません。"},
    {.Name = "Warning", .English = "warning: {0}", .Japanese = "警告: {0}"},
    {.Name = "NothingWritten",
     .English = "{0}; nothing was written",
     .Japanese = "{0}何も書き込んでいません。"},
    {.Name = "ForceFlag",
     .English = "Replace OUT when it exists; without it OUT must be new",
     .Japanese = "OUT がすでにあっても置き換えます"},
    {.Name = "AllowLossFlag",
     .English = "Write the drawing even when bytes after its last section cannot be read",
     .Japanese = "図面の最後の部分が読み取れなくても、その部分を除いて書き込みます"},
    {.Name = "DrawingToRead", .English = "The drawing to read", .Japanese = "読み込む図面"},
    {.Name = "NewDrawingToWrite",
     .English = "The new drawing to write",
     .Japanese = "書き込む新しい図面"},
    {.Name = "EditsArgument",
     .English = "The edited tables, CSV or JSON",
     .Japanese = "編集した表（CSV または JSON）"},
    {.Name = "EditsEncodingOption",
     .English = "Encoding of CSV edits",
     .Japanese = "CSV の編集ファイルの文字コード"},
    {.Name = "OutputExists",
     .English = "{0}: exists already; give --force to replace it",
     .Japanese = "{0}: 同じ名前のファイルがすでにあります。置き換えるには --force を付けてください。"},
    {.Name = "OutputNotWritten",
     .English = "{0}: could not be written ({1})",
     .Japanese = "{0}: 書き込めませんでした（{1}）。"},
    {.Name = "CannotOpen",
     .English = "{0}: cannot be opened ({1})",
     .Japanese = "{0}: 開けません（{1}）。"},
    {.Name = "CannotRead",
     .English = "{0}: cannot be read",
     .Japanese = "{0}: 読み込めません。"},
    {.Name = "CannotWrite",
     .English = "cannot write {0} ({1})",
     .Japanese = "{0} に書き込めません（{1}）。"},
    {.Name = "StandardOutputUnwritable",
     .English = "standard output could not be written",
     .Japanese = "標準出力に書き込めませんでした。"},
    {.Name = "InParentheses", .English = "{0} ({1})", .Japanese = "{0}（{1}）"},
    {.Name = "ListSeparator", .English = ", ", .Japanese = "、"},
    {.Name = "CannotWriteToDisk",
     .English = "cannot write to disk in {0} ({1})",
     .Japanese = "{0} の内容をディスクに書き込めません（{1}）。"},

    // ---- Opening and saving a drawing ----
    // The Japanese texts of the first four are the window's own.
    {.Name = "NotJwwFile",
     .English = "{0}: is not a Jw_cad for Windows drawing file",
     .Japanese = "{0}: このファイルは、Jw_cad for Windows 図面ファイルではありません。"},
    {.Name = "HeaderUnreadable",
     .English = "{0}: the header of the JWW data file could not be read",
     .Japanese = "{0}: JWWデータファイルのヘッダー部分が読み込めませんでした。"},
    {.Name = "VersionTooOld",
     .English = "{0}: the JWW data file is of a format before Ver.4.20",
     .Japanese = "{0}: このJWWデータファイルは、Ver.4.20形式より以前のデータです。"},
    {.Name = "LossyStrings",
     .English = "the drawing holds characters that Shift-JIS cannot represent; a save replaces "
                "them with \"?\"",
     .Japanese = "この図面には Shift-JIS で表せない文字が含まれています。保存するとそれらの文字は「?」に"
                 "置き換わります。"},
    {.Name = "NotReadCompletely",
     .English = "{0}: the drawing could not be read completely ({1})",
     .Japanese = "{0}: 図面を最後まで読み込めませんでした（{1}）。"},
    {.Name = "NotSaved",
     .English = "{0}: the drawing could not be saved ({1})",
     .Japanese = "{0}: 図面を保存できませんでした（{1}）。"},
    {.Name = "TrailingBytes",
     .English = "{0} bytes after the last section of the drawing could not be read",
     .Japanese = "図面の最後の部分（{0} バイト）を読み取れませんでした"},
    {.Name = "TrailingBytesLeftOut",
     .English = "{0} bytes after the last section of the drawing could not be read; the new "
                "file leaves them out",
     .Japanese = "図面の最後の部分（{0} バイト）を読み取れませんでした。新しいファイルにはこの部分が"
                 "入りません。"},
    {.Name = "TrailingBytesRefused",
     .English = "{0}: {1} bytes after the last section of the drawing could not be read and "
                "would be lost; --allow-loss writes the drawing without them",
     .Japanese = "{0}: 図面の最後の部分（{1} バイト）を読み取れず、保存すると失われます。--allow-loss "
                 "を付けると、この部分を除いて書き込みます。"},
    {.Name = "ImageLeftOut",
     .English = "the image {0} cannot be extracted under its name and is left out of the new "
                "file",
     .Japanese = "同梱画像 {0} はこの名前では取り出せないため、新しいファイルには入りません。"},

    // ---- copy ----
    {.Name = "CopySummary",
     .English = "Load a drawing and save it to a new file in its own format version",
     .Japanese = "図面を読み込み、同じ形式のバージョンで新しいファイルに保存します"},
    {.Name = "CopyOutput", .English = "The new file to write", .Japanese = "書き込む新しいファイル"},
    {.Name = "CopyIsInput",
     .English = "{0}: is the input file; the copy needs a new file",
     .Japanese = "{0}: 読み込む図面そのものです。写しは新しいファイルに書き込んでください。"},

    // ---- info ----
    {.Name = "InfoSummary",
     .English = "Report what a drawing holds",
     .Japanese = "図面の内容を報告します"},
    {.Name = "InfoJsonFlag", .English = "Report as a JSON object", .Japanese = "JSON で報告します"},
    {.Name = "InfoNotes",
     .English = R"(Reports the format version, the memo, the string form, the objects of each kind in the
drawing and inside its block definitions, the block definitions, the embedded images with
their sizes, and whether the whole file could be read (bytes after the last section are not,
and a saved copy would lack them). Text of the drawing is shown as
UTF-8; a byte that belongs to no code page 932 character is shown as \xNN. Drawings of any
version from 2.20 on are reported, also those the window does not open.
Exit status: 0 read completely, 1 not a drawing or not read completely (what could be read is
still reported), 2 usage.
)",
     .Japanese = R"(形式のバージョン、メモ、文字列の形式、図面とブロック定義の中の種類ごとの要素数、ブロ
ック定義の数、同梱画像とその大きさ、そしてファイル全体を読み込めたか（最後の部分より後
のバイトは読み取れず、保存した写しには入りません）を報告します。図面の文字は UTF-8 で示
し、コードページ 932 の文字にならないバイトは \xNN と示します。Ver.2.20 以降のどの形式
の図面も、画面では開けない図面も報告します。
終了コード: 0 最後まで読み込めた、1 図面でないか最後まで読み込めなかった（読み込めたとこ
ろまでは報告します）、2 使い方の誤り。
)"},
    {.Name = "InfoFile", .English = "file: {0}", .Japanese = "ファイル: {0}"},
    {.Name = "InfoVersion", .English = "format version: {0}", .Japanese = "形式のバージョン: {0}"},
    {.Name = "InfoComplete", .English = "loaded completely: yes", .Japanese = "読み込み: 最後まで"},
    {.Name = "InfoIncomplete",
     .English = "loaded completely: no ({0})",
     .Japanese = "読み込み: 途中まで（{0}）"},
    {.Name = "InfoMemo", .English = "memo: {0}", .Japanese = "メモ: {0}"},
    {.Name = "InfoStringForm", .English = "string form: {0}", .Japanese = "文字列の形式: {0}"},
    {.Name = "InfoCharactersReplaced",
     .English = "characters replaced: yes (characters that code page 932 cannot hold became ?)",
     .Japanese = "置き換えた文字: あり（コードページ 932 で表せない文字を ? にしました）"},
    {.Name = "InfoObjects", .English = "objects: {0}", .Japanese = "要素: {0}"},
    {.Name = "InfoBlockDefinitions",
     .English = "block definitions: {0}",
     .Japanese = "ブロック定義: {0}"},
    {.Name = "InfoBlockDefinitionObjects",
     .English = "objects in block definitions: {0}",
     .Japanese = "ブロック定義の中の要素: {0}"},
    {.Name = "InfoImages", .English = "embedded images: {0}", .Japanese = "同梱画像: {0}"},
    {.Name = "InfoImage", .English = "  {0}: {1} bytes", .Japanese = "  {0}: {1} バイト"},
    {.Name = "InfoLines", .English = "lines {0}", .Japanese = "線 {0}"},
    {.Name = "InfoArcs", .English = "arcs {0}", .Japanese = "円・円弧 {0}"},
    {.Name = "InfoPoints", .English = "points {0}", .Japanese = "点 {0}"},
    {.Name = "InfoTexts", .English = "texts {0}", .Japanese = "文字 {0}"},
    {.Name = "InfoDimensions", .English = "dimensions {0}", .Japanese = "寸法 {0}"},
    {.Name = "InfoSolids", .English = "solids {0}", .Japanese = "ソリッド {0}"},
    {.Name = "InfoBlockInsertions", .English = "block insertions {0}", .Japanese = "ブロック {0}"},

    // ---- export ----
    {.Name = "ExportSummary",
     .English = "Write the four tables of a drawing as CSV or JSON",
     .Japanese = "図面の四つの表を CSV または JSON に書き出します"},
    {.Name = "ExportTableOption", .English = "The table to export", .Japanese = "書き出す表"},
    {.Name = "ExportFormatOption", .English = "csv or json", .Japanese = "書き出す形式"},
    {.Name = "ExportEncodingOption",
     .English = "Encoding of CSV text",
     .Japanese = "CSV の文字コード"},
    {.Name = "ExportOutputOption",
     .English = "The new file to write; standard output when absent",
     .Japanese = "書き込む新しいファイル。付けないときは標準出力"},
    {.Name = "ExportLayout",
     .English = R"(Layout:
  CSV of one table: a header row of the window's column headers, "No." first, then one row
  per entry (groups 0-15, layers 0-255, colors 1-256, linetypes 1-32) with the window's texts
  and element counts. The colour swatch columns, which hold no text, are left out.
  CSV of all tables: a first column "table" naming each row's table, then "No." and the
  columns of all four tables, each header once:
    table,No.,<group name>,<element count>,<layer name>,<colour columns>,<line-type columns>
  A row fills the columns of its own table and leaves the others empty.
  CSV is RFC 4180 with CR LF line ends; UTF-8 starts with a byte-order mark, cp932 has none.
  A cell that a spreadsheet would run as a formula (one starting with =, +, -, @, a tab or a
  carriage return, unless it is a plain number) starts with an apostrophe, which import takes
  off again.
  JSON (always UTF-8): {"groups": [...], "layers": [...], "colors": [...], "linetypes": [...]},
  each row an object with "no" and "count" as numbers and the other columns as the window's
  texts under the keys name, screenColor, screenWidth, printColor, printWidth, pointRadius,
  pattern, dotsPerUnit, screenPitch, printPitch, segmentCount, p0 ... p7.
Exit status: 0 written, 1 the drawing could not be read or the output not written, or the
output exists and --force was not given, 2 usage.
)",
     .Japanese = R"(書き出す形:
  一つの表の CSV: 1 行目は画面の表と同じ列見出しで、先頭は "No."。続いて番号ごとに 1 行
  （groups 0-15、layers 0-255、colors 1-256、linetypes 1-32）、画面と同じ文字と要素数を
  書きます。色見本の列は文字を持たないので書きません。
  すべての表の CSV: 先頭の列 "table" が各行の表を示し、続いて "No." と四つの表の列を、同じ
  見出しは一度だけ並べます:
    table,No.,<レイヤグループ名>,<要素数>,<レイヤ名>,<線色の列>,<線種の列>
  各行は自分の表の列だけを埋め、ほかの列は空にします。
  CSV は RFC 4180 に従い、行末は CR LF です。UTF-8 は BOM で始まり、cp932 には付けません。
  表計算ソフトが数式として実行してしまうセル（=、+、-、@、タブ、CR で始まり、ただの数値
  ではないもの）は先頭にアポストロフィを付けます。import はこれを外して読みます。
  JSON（常に UTF-8）: {"groups": [...], "layers": [...], "colors": [...], "linetypes": [...]}
  の形で、各行は "no" と "count" を数値で、ほかの列を画面と同じ文字で持つオブジェクトです。
  キーは name, screenColor, screenWidth, printColor, printWidth, pointRadius, pattern,
  dotsPerUnit, screenPitch, printPitch, segmentCount, p0 ... p7 です。
終了コード: 0 書き出した、1 図面を読み込めなかった、書き出し先に書き込めなかった、または書
き出し先がすでにあって --force がない、2 使い方の誤り。
)"},
    {.Name = "ExportJsonIsUtf8",
     .English = "JSON is always UTF-8; --encoding cp932 applies to CSV only",
     .Japanese = "JSON は常に UTF-8 です。--encoding cp932 は CSV にだけ使えます。"},
    {.Name = "ExportIsInput",
     .English = "{0}: is the drawing being exported",
     .Japanese = "{0}: 書き出す元の図面そのものです。"},
    {.Name = "ExportHeaderPlace", .English = "the header {0}", .Japanese = "見出し {0}"},
    {.Name = "ExportCellPlace",
     .English = "{0} No. {1}, column {2}",
     .Japanese = "{0} の No. {1}、列「{2}」"},
    {.Name = "ExportNoUtf8Form",
     .English = "{0}: \"{1}\" holds bytes that are no code page 932 characters and so have no "
                "UTF-8 form; export it as CSV with --encoding cp932",
     .Japanese = "{0}: 「{1}」にはコードページ 932 の文字にならないバイトがあり、UTF-8 にできません。"
                 "--encoding cp932 を付けて CSV で書き出してください。"},

    // ---- import ----
    {.Name = "ImportSummary",
     .English = "Apply edited tables to a drawing and save it to a new file",
     .Japanese = "編集した表を図面に適用し、新しいファイルに保存します"},
    {.Name = "ImportRules",
     .English = R"(Edits:
  EDITS has the form that export writes: CSV of one table, CSV of several tables with a first
  column "table", or JSON. Any subset of rows and columns may be given; the "No." column (in
  JSON "no") is required, element counts are ignored. Rows and columns that are absent keep
  the drawing's values as loaded.
  JSON is always UTF-8. CSV is UTF-8 when --encoding says so or it starts with a byte-order
  mark; without either it is UTF-8 when it is valid UTF-8 and code page 932 otherwise.
  The apostrophe that export puts before a CSV cell a spreadsheet would run as a formula is
  taken off again.
  Every given cell passes the rule of its column in the window's save, unchanged or not:
  names are cut to 256 bytes, colours are clamped to 0-16777215, widths, dots per unit and
  pitches to 0-1000, point radius and P0-P7 to 0-1000, the segment count to 0-8 and raised to
  even. The segment count is stored only when its text differs from the stored count; a
  pitch beyond it is stored as 0, and a given segment count sets the pitches beyond it to 0.
  A value changed by a rule is reported on standard error.
  Refused, with nothing written: a character that code page 932 cannot hold, a number cell
  that holds no number, a pattern other than 1 to 8 hexadecimal digits, a row outside its
  table or given twice, an unknown table or column, malformed CSV or JSON.
Exit status: 0 saved, 1 a file could not be read or saved, OUT is FILE or EDITS, or OUT
exists and --force was not given, 2 usage or unusable EDITS.
)",
     .Japanese = R"(編集ファイル:
  EDITS は export が書き出す形です: 一つの表の CSV、先頭の列 "table" を持つ複数の表の CSV、
  または JSON。行と列はどれだけ省いてもかまいませんが、"No." の列（JSON では "no"）は必須
  で、要素数は読みません。省いた行と列は、読み込んだ図面の値のままです。
  JSON は常に UTF-8 です。CSV は --encoding の指定に従い、指定がなければ、BOM で始まるか
  UTF-8 として正しいときは UTF-8、そうでなければコードページ 932 として読みます。
  表計算ソフトが数式として実行しないよう export がセルの先頭に付けたアポストロフィは外して
  読みます。
  指定したセルは、値が変わっていなくても、画面の保存と同じ列の規則を通ります: 名前は 256
  バイトまでに切り、色は 0-16777215、線幅、1ﾕﾆｯﾄのﾄﾞｯﾄ数、ピッチは 0-1000、点半径と
  P0-P7 は 0-1000、セグメント数は 0-8 に収め、奇数は偶数に上げます。セグメント数は、文字が
  保存されている数と違うときだけ保存します。セグメント数を超えるピッチは 0 として保存し、
  セグメント数を指定すると、それを超えるピッチは 0 になります。
  規則で補正した値は標準エラー出力に示します。
  次のときは受け付けず、何も書き込みません: コードページ 932 で表せない文字、数値が入って
  いない数値のセル、1〜8 桁の16進数でないパターン、表の範囲外の行や二度指定した行、未知の
  表や列、CSV や JSON の形の誤り。
終了コード: 0 保存した、1 ファイルを読み込めなかった・保存できなかった、OUT が FILE か
EDITS と同じ、または OUT がすでにあって --force がない、2 使い方の誤りか、使えない EDITS。
)"},
    {.Name = "ImportIsInput",
     .English = "{0}: is the input file; the import needs a new file",
     .Japanese = "{0}: 読み込む図面そのものです。新しいファイルに書き込んでください。"},
    {.Name = "ImportIsEdits",
     .English = "{0}: is the edits file; the import needs a new file",
     .Japanese = "{0}: 編集ファイルそのものです。新しいファイルに書き込んでください。"},

    // ---- convert ----
    {.Name = "ConvertSummary",
     .English = "Save a drawing to a new file in another format version",
     .Japanese = "図面をほかの形式のバージョンで新しいファイルに保存します"},
    {.Name = "ConvertTargetOption",
     .English = "The format version to write, 300 or later",
     .Japanese = "書き込む形式のバージョン（300 以上）"},
    {.Name = "ConvertStringsOption",
     .English = "Store strings as bytes or wide",
     .Japanese = "文字列の保存形式: byte（バイト列）または wide（ワイド文字列）"},
    {.Name = "ConvertNotes",
     .English = R"(Writes the whole drawing for the format version N (100 times the version number: 700 is
Ver.7.00) with the rules of the writers for that version. Below 700 the embedded images are
dropped; below 420 the SXF tables, the SXF line types and colours of objects (mapped to
standard ones) and the extension lines and points of dimensions without SXF mode are dropped,
and a dimension with an SXF mode is written as a dimension followed by its extension lines and
points as separate objects; below 351 the line widths are dropped. Each loss is reported on
standard error. --strings chooses how the strings are stored; without it they keep the
drawing's own form.
Exit status: 0 saved, 1 the drawing could not be read or saved, OUT is FILE, or OUT exists
and --force was not given, 2 usage.
)",
     .Japanese = R"(図面全体を形式のバージョン N（バージョン番号の 100 倍: 700 は Ver.7.00）で、その
バージョンの書き方に従って書き込みます。700 より前では同梱画像を除きます。420 より前では
SXF の表を除き、要素の SXF 線種と SXF 線色は標準の線種と線色に置き換え、SXF モードでない
寸法の引出線と端点を除きます。SXF モードの寸法は、寸法の後に引出線と端点を別の要素として
書きます。351 より前では線幅を除きます。失われるものはそれぞれ標準エラー出力に示します。
--strings で文字列の保存形式を選びます。付けないときは図面の形式のままです。
終了コード: 0 保存した、1 図面を読み込めなかった・保存できなかった、OUT が FILE と同じ、
または OUT がすでにあって --force がない、2 使い方の誤り。
)"},
    {.Name = "ConvertIsInput",
     .English = "{0}: is the input file; the conversion needs a new file",
     .Japanese = "{0}: 読み込む図面そのものです。変換した図面は新しいファイルに書き込んでください。"},
    {.Name = "LossImages",
     .English = "{0} embedded images dropped: a drawing before version 700 has no image section",
     .Japanese = "同梱画像 {0} 個を除きます。Ver.7.00 より前の形式には画像を同梱できません。",
     .EnglishOne = "{0} embedded image dropped: a drawing before version 700 has no image section"},
    {.Name = "LossSxfTables",
     .English = "the SXF extended line colours and line types are dropped: a drawing before "
                "version 420 has no SXF tables",
     .Japanese = "SXF拡張線色と SXF拡張線種を除きます。Ver.4.20 より前の形式には SXF の表がありま"
                 "せん。"},
    {.Name = "LossDimensionParts",
     .English = "the extension lines and points of {0} dimensions without SXF mode are dropped",
     .Japanese = "SXF モードでない寸法 {0} 個の引出線と端点を除きます。",
     .EnglishOne = "the extension lines and points of {0} dimension without SXF mode are dropped"},
    {.Name = "LossDimensionsSplit",
     .English = "{0} dimensions with an SXF mode split: the mode is dropped and the two "
                "extension lines and four points follow each dimension as separate objects",
     .Japanese = "SXF モードの寸法 {0} 個を分けます。モードを除き、寸法ごとに 2 本の引出線と 4 個の"
                 "端点を別の要素として続けます。",
     .EnglishOne = "{0} dimension with an SXF mode split: the mode is dropped and the two "
                   "extension lines and four points follow each dimension as separate objects"},
    {.Name = "LossSxfLineTypes",
     .English = "the SXF line types (31 to 62) of {0} objects become standard line types",
     .Japanese = "要素 {0} 個の SXF 線種（31〜62）を標準の線種にします。",
     .EnglishOne = "the SXF line types (31 to 62) of {0} object become standard line types"},
    {.Name = "LossSxfColors",
     .English = "the SXF colours (101 to 356) of {0} objects become standard colours",
     .Japanese = "要素 {0} 個の SXF 線色（101〜356）を標準の線色にします。",
     .EnglishOne = "the SXF colours (101 to 356) of {0} object become standard colours"},
    {.Name = "LossLineWidths",
     .English = "the line widths of {0} objects are dropped: a drawing before version 351 has no "
                "line widths",
     .Japanese = "要素 {0} 個の線幅を除きます。Ver.3.51 より前の形式には線幅がありません。",
     .EnglishOne = "the line widths of {0} object are dropped: a drawing before version 351 has "
                   "no line widths"},

    // ---- render ----
    {.Name = "RenderSummary",
     .English = "Draw a drawing as an SVG or PNG picture",
     .Japanese = "図面を SVG または PNG の画像に描きます"},
    {.Name = "RenderInput", .English = "The drawing to draw", .Japanese = "描く図面"},
    {.Name = "RenderOutputOption",
     .English = "The new picture to write, .svg or .png",
     .Japanese = "書き込む新しい画像（.svg または .png）"},
    {.Name = "RenderLayerOption",
     .English = "Show the layer G-L, such as 0-A",
     .Japanese = "レイヤ G-L（例: 0-A）を色付きで描きます"},
    {.Name = "RenderGroupOption",
     .English = "Show the layer group G, such as A",
     .Japanese = "レイヤグループ G（例: A）を色付きで描きます"},
    {.Name = "RenderColorOption",
     .English = "Show the line colour N",
     .Japanese = "線色 N の要素を色付きで描きます"},
    {.Name = "RenderLineTypeOption",
     .English = "Show the line type N",
     .Japanese = "線種 N の要素を色付きで描きます"},
    {.Name = "RenderCompareOption",
     .English = "Draw what changed since the earlier drawing OLD",
     .Japanese = "前の図面 OLD からの変更を色分けして描きます"},
    {.Name = "RenderAllLayersOption",
     .English = "Draw the objects of hidden layers and layer groups too",
     .Japanese = "非表示のレイヤとレイヤグループの要素も描きます"},
    {.Name = "RenderEditsOption",
     .English = "Draw the drawing as import would write it with these edits",
     .Japanese = "この編集ファイルを import したときの図面を描きます"},
    {.Name = "RenderNotes",
     .English = R"(Draws the drawing as its author saw it: objects of hidden layers and layer groups left out
(--all-layers draws them too), each pen in the drawing's own screen colour and width, each line
type with its dashes, on the background of pen 0, with the y axis up. A drawing on paper A0 to
A4 is fitted to its paper, whose frame is drawn thinly; any other is fitted to what it shows.
The kind of OUT's name (.svg or .png) chooses the format. In SVG each object shown is one group
element with data-kind (sen, enko, ten, moji, sunpou, solid, block), data-layer (layer group
and layer as hexadecimal digits, such as 0-A) and data-index (its place in the drawing, from
0); each block definition is written once and each insertion refers to it. A PNG expands the
insertions, up to 2,000,000 primitives; what lies beyond is drawn as the frames of their boxes
and a note on the picture says so. With --layer, --group, --color or --linetype the objects
that match all of them keep their colours and everything else is drawn in light grey.
--edits EDITS draws the drawing as import would write it with EDITS, read with the form and
rules of import: SXF colours, widths and line types as edited; values a rule changes are told
on stderr, and unusable EDITS draw nothing.
With --compare OLD the picture shows what changed since OLD: objects only in OLD in red, objects
only in FILE in blue, the objects both hold in light grey, fitted to FILE and grown to hold the
red ones; each object counts as hidden by the layers of the drawing it comes from. In SVG each
object also carries data-change (removed, added, same); the data-index of a removed object is
its place in OLD. --compare takes none of --layer, --group, --color and --linetype.
Exit status: 0 success, 1 a file could not be read or written, 2 usage or unusable EDITS.
)",
     .Japanese = R"(図面を作図した人が見ていたとおりに描きます。非表示のレイヤとレイヤグループの要素は描き
ません（--all-layers を付けると描きます）。ペンは図面に設定された画面の色と線幅で、線種は
その破線で、ペン 0 の色を背景にして、y 軸を上向きに描きます。用紙が A0〜A4 の図面は用紙に
合わせ、用紙の枠を細く描きます。それ以外の図面は表示される要素の範囲に合わせます。
OUT の拡張子（.svg または .png）で形式が決まります。SVG では表示される要素ごとに一つのグルー
プ要素があり、data-kind（sen, enko, ten, moji, sunpou, solid, block）、data-layer（レイ
ヤグループとレイヤを16進数で、例: 0-A）、data-index（図面の中の順番、0 から）を持ちます。
ブロックの定義は一度だけ書き、挿入はそれぞれその定義を参照します。PNG ではブロックを
2,000,000 個の図形まで展開し、それを超える分は範囲の枠だけを描いて、画像にその旨を書き添え
ます。--layer、--group、--color、--linetype を付けると、そのすべてに当てはまる要素は元の色
のまま、それ以外は薄い灰色で描きます。
--edits EDITS を付けると、EDITS を import と同じ形と規則で読み、import で書き込まれる図面を
描きます。SXF 線色の色と線幅、SXF 線種は編集したとおりになります。規則で補正した値は標準エ
ラー出力に示し、使えない EDITS のときは何も描きません。
--compare OLD を付けると OLD からの変更を描きます。OLD にだけある要素は赤、FILE にだけある要
素は青、両方にある要素は薄い灰色で、FILE に合わせ、赤の要素がはみ出すときはそれも入るように
広げて描きます。非表示かどうかは、それぞれの要素がある図面のレイヤの状態で決まります。SVG
では各要素に data-change（removed, added, same）も付けます。removed の要素の data-index は
OLD の中の順番です。--compare は --layer、--group、--color、--linetype と一緒には使えません。
終了コード: 0 成功、1 ファイルを読み込めなかった・書き込めなかった、2 使い方の誤りか、使え
ない EDITS。
)"},
    {.Name = "PictureBudgetNote",
     .English = "Too many block insertions: those beyond the budget are drawn as the frames of their boxes.",
     .Japanese = "ブロックの挿入が多すぎます。上限を超えた分は範囲の枠だけを描いています。"},
    {.Name = "RenderNeedsKind",
     .English = "{0}: the picture's name must end in .svg or .png",
     .Japanese = "{0}: 画像の名前は .svg か .png で終わる必要があります。"},
    {.Name = "RenderLayerForm",
     .English = "--layer takes a layer group and a layer as hexadecimal digits, such as 0-A",
     .Japanese = "--layer にはレイヤグループとレイヤを16進数で指定してください（例: 0-A）。"},
    {.Name = "RenderGroupForm",
     .English = "--group takes one hexadecimal digit, the group of --layer if both are given",
     .Japanese = "--group には16進数 1 桁を指定してください。--layer も付けるときは、そのレイヤグルー"
                 "プと同じにしてください。"},
    {.Name = "RenderCompareAlone",
     .English = "--compare draws every object in the colour of its change and takes none of --layer, "
                "--group, --color and --linetype",
     .Japanese = "--compare は要素を変更の色で描くため、--layer、--group、--color、--linetype と一緒に"
                 "は使えません。"},
    {.Name = "RenderIsInput",
     .English = "{0}: is the drawing being drawn",
     .Japanese = "{0}: 描く元の図面そのものです。"},
    {.Name = "RenderIsEdits",
     .English = "{0}: is the edits file",
     .Japanese = "{0}: 編集ファイルそのものです。"},
    {.Name = "PictureNotDrawn",
     .English = "the picture could not be drawn",
     .Japanese = "画像を描けませんでした。"},
    {.Name = "PictureNotDrawnWithoutGdiPlus",
     .English = "the picture could not be drawn (GDI+ did not start)",
     .Japanese = "画像を描けませんでした（GDI+ が始動しませんでした）。"},
    {.Name = "PictureNotEncoded",
     .English = "the picture could not be encoded as PNG",
     .Japanese = "画像を PNG にできませんでした。"},
    {.Name = "PictureNoPngEncoder",
     .English = "the picture could not be encoded as PNG (no PNG encoder)",
     .Japanese = "画像を PNG にできませんでした（PNG のエンコーダーがありません）。"},

    // ---- apply ----
    {.Name = "ApplySummary",
     .English = "Apply edited tables to many drawings, writing each to a folder",
     .Japanese = "編集した表を多くの図面に適用し、それぞれをフォルダに書き込みます"},
    {.Name = "ApplyDrawings",
     .English = "Drawings, or folders of drawings",
     .Japanese = "図面、または図面のフォルダ"},
    {.Name = "ApplyOutDirOption",
     .English = "The folder the results go to",
     .Japanese = "結果を書き込むフォルダ"},
    {.Name = "ApplyJobsOption",
     .English = "Drawings worked on side by side",
     .Japanese = "同時に処理する図面の数"},
    {.Name = "ApplySuffixOption",
     .English = "Put before the extension of each result",
     .Japanese = "結果の名前で拡張子の前に入れる文字"},
    {.Name = "ApplyCheckFlag",
     .English = "Tell what would change; write nothing",
     .Japanese = "変わる内容を示すだけで、何も書き込みません"},
    {.Name = "ApplyRenderOption",
     .English = "With --check, draw each result into this folder",
     .Japanese = "--check のとき、各結果の画像をこのフォルダに描きます"},
    {.Name = "ApplyRenderFormatOption",
     .English = "The format of the pictures of --render, svg or png",
     .Japanese = "--render の画像の形式（svg または png）"},
    {.Name = "ApplyNotes",
     .English = R"(Applies EDITS, with the form and rules of import, to every DRAWING and writes each result
to DIR under the drawing's own name, with S put before its extension when --suffix is given.
A folder among the drawings is walked, subfolders too, for files ending in .jww in any letter
case; their results go to the same subfolders of DIR, which are created as needed, as is
DIR. An input file and an existing file are never written over: such a drawing is skipped.
A drawing that cannot be read, is no drawing, is older than Ver.4.20 or cannot be saved is
reported and the others go on. --check tells for every drawing what the edits would change
and writes no drawing; with --render PICS it also draws each result as render --edits would,
into PICS under the result's name and subfolder with .svg (or .png with --render-format png),
never over an existing file. On a terminal a bar shows the progress; otherwise every drawing written
gets a line. At the end a summary counts the drawings written, skipped and failed and the
values a rule changed.
Exit status: 0 every drawing written, 1 a drawing skipped or failed, 2 usage or unusable
EDITS (nothing is written then).
)",
     .Japanese = R"(EDITS を import と同じ形と規則で各 DRAWING に適用し、結果を図面と同じ名前で DIR に
書き込みます。--suffix を付けると、拡張子の前に S を入れた名前になります。
DRAWING のフォルダは、サブフォルダも含めて拡張子が .jww（大文字・小文字は問いません）の
ファイルを探し、結果は DIR の同じサブフォルダに書き込みます。DIR とサブフォルダは必要に
応じて作ります。入力ファイルとすでにあるファイルには決して上書きせず、そうなる図面はスキ
ップします。読み込めない図面、図面でないファイル、Ver.4.20 形式より前の図面、保存できな
かった図面はそれを伝え、ほかの図面の処理を続けます。--check を付けると、図面ごとに変わる
内容を示すだけで図面は書き込みません。さらに --render PICS を付けると、各結果を render
--edits と同じように描き、結果と同じサブフォルダと名前で拡張子を .svg（--render-format png
のときは .png）にして PICS に書き込みます。すでにあるファイルには上書きしません。端末では進み具合をバーで示し、そうでなければ書き込ん
だ図面ごとに 1 行を出します。最後に、書き込んだ・スキップした・失敗した図面の数と、規則
で補正した値の数をまとめて示します。
終了コード: 0 すべての図面を書き込んだ、1 スキップまたは失敗した図面がある、2 使い方の誤
りか、使えない EDITS（このときは何も書き込みません）。
)"},
    {.Name = "ApplySuffixSeparator",
     .English = "--suffix \"{0}\" holds a folder separator",
     .Japanese = "--suffix の「{0}」にフォルダの区切りがあります。"},
    {.Name = "ApplyNotAFolder",
     .English = "{0}: is not a folder",
     .Japanese = "{0}: フォルダではありません。"},
    {.Name = "ApplyFolderNotCreated",
     .English = "{0}: cannot be created ({1})",
     .Japanese = "{0}: 作れません（{1}）。"},
    {.Name = "ApplyNoDrawingsInFolder",
     .English = "{0}: holds no drawings (*.jww)",
     .Japanese = "{0}: 図面（*.jww）がありません。"},
    {.Name = "ApplyFolderUnreadable",
     .English = "{0}: cannot be read ({1})",
     .Japanese = "{0}: 読み込めません（{1}）。"},
    {.Name = "ApplyWritten",
     .English = "{0}: written to {1}",
     .Japanese = "{0}: {1} に書き込みました。"},
    {.Name = "ApplyWouldBeWritten",
     .English = "{1}: would be written to {2}, {0} cells changed",
     .Japanese = "{1}: 書き込み先 {2}、変わるセル {0} 個",
     .EnglishOne = "{1}: would be written to {2}, {0} cell changed"},
    {.Name = "ApplyWouldBeWrittenDrawn",
     .English = "{1}: would be written to {2}, {0} cells changed, drawn in {3}",
     .Japanese = "{1}: 書き込み先 {2}、変わるセル {0} 個、画像 {3}",
     .EnglishOne = "{1}: would be written to {2}, {0} cell changed, drawn in {3}"},
    {.Name = "ApplyIsTheDrawing",
     .English = "{0}: skipped: {1} is the drawing itself",
     .Japanese = "{0}: スキップしました。{1} は図面そのものです。"},
    {.Name = "ApplyIsTheEdits",
     .English = "{0}: skipped: {1} is the edits file",
     .Japanese = "{0}: スキップしました。{1} は編集ファイルです。"},
    {.Name = "ApplyOutputExists",
     .English = "{0}: skipped: {1} exists already",
     .Japanese = "{0}: スキップしました。{1} はすでにあります。"},
    {.Name = "ApplySameOutput",
     .English = "{0}: skipped: {1} is also the output of {2}",
     .Japanese = "{0}: スキップしました。{1} は {2} の書き込み先でもあります。"},
    {.Name = "ApplyDrawingCount",
     .English = "{0} drawings",
     .Japanese = "図面 {0} 件",
     .EnglishOne = "{0} drawing"},
    {.Name = "ApplyValueCount",
     .English = "{0} values",
     .Japanese = "{0} 個",
     .EnglishOne = "{0} value"},
    {.Name = "ApplyDone",
     .English = "{0}: {1} written, {2} skipped, {3} failed, {4} changed by a rule",
     .Japanese = "{0}: 書き込み {1} 件、スキップ {2} 件、失敗 {3} 件、規則で補正した値 {4}"},
    {.Name = "ApplyChecked",
     .English = "{0}: {1} would be written, {2} skipped, {3} failed, {4} a rule would change; "
                "nothing was written",
     .Japanese = "{0}: 書き込む予定 {1} 件、スキップ {2} 件、失敗 {3} 件、規則で補正する値 {4}。何"
                 "も書き込んでいません。"},
    {.Name = "ApplyCheckedAndDrawn",
     .English = "{0}: {1} would be written, {2} skipped, {3} failed, {4} a rule would change; "
                "no drawing was written, the pictures are in {5}",
     .Japanese = "{0}: 書き込む予定 {1} 件、スキップ {2} 件、失敗 {3} 件、規則で補正する値 {4}。図"
                 "面は書き込んでいません。画像は {5} にあります。"},
    {.Name = "ApplyCellChange",
     .English = "{0} No. {1}, {2}: \"{3}\" -> \"{4}\"",
     .Japanese = "{0} の No. {1}、{2}: 「{3}」→「{4}」"},

    // ---- Edits, as import and apply read them ----
    {.Name = "EditsNotWholeNumber",
     .English = "{0}: \"{1}\" is not a whole number",
     .Japanese = "{0}: 「{1}」は整数ではありません。"},
    {.Name = "EditsNotNumber",
     .English = "{0}: \"{1}\" is not a number",
     .Japanese = "{0}: 「{1}」は数値ではありません。"},
    {.Name = "EditsNotPattern",
     .English = "{0}: \"{1}\" is not 1 to 8 hexadecimal digits",
     .Japanese = "{0}: 「{1}」は 1〜8 桁の16進数ではありません。"},
    {.Name = "EditsRowNotNumber",
     .English = "{0}: the row number \"{1}\" is not a number from {2} to {3}",
     .Japanese = "{0}: No. の「{1}」は {2}〜{3} の数ではありません。"},
    {.Name = "EditsNoSuchRow",
     .English = "{0}: {1} has no row {2}; its rows are {3} to {4}",
     .Japanese = "{0}: {1} に No. {2} の行はありません。No. は {3}〜{4} です。"},
    {.Name = "EditsRowTwice",
     .English = "{0}: {1} row {2} is given a second time (first at {3})",
     .Japanese = "{0}: {1} の No. {2} の行が二度あります（一度目は {3}）。"},
    {.Name = "EditsNoCp932Form",
     .English = "{0}: {1} has no code page 932 form",
     .Japanese = "{0}: {1} はコードページ 932 で表せません。"},
    {.Name = "EditsNotUtf8Byte",
     .English = "{0} (not UTF-8)",
     .Japanese = "{0}（UTF-8 ではありません）"},
    {.Name = "EditsLinePlace", .English = "line {0}", .Japanese = "{0} 行目"},
    {.Name = "EditsCellPlace",
     .English = "line {0}, {1} row {2}, column {3}",
     .Japanese = "{0} 行目、{1} の No. {2}、列「{3}」"},
    {.Name = "EditsHeaderPlace",
     .English = "line 1, column {0}",
     .Japanese = "1 行目の {0} 列目"},
    {.Name = "EditsMalformedCsv",
     .English = "malformed CSV: {0}",
     .Japanese = "CSV の形に誤りがあります: {0}"},
    {.Name = "EditsEmpty",
     .English = "no header row: the edits are empty",
     .Japanese = "見出し行がありません。編集ファイルが空です。"},
    {.Name = "EditsOtherTablesColumn",
     .English = "{0}: the column belongs to another table; leave it empty",
     .Japanese = "{0}: ほかの表の列です。空にしてください。"},
    {.Name = "EditsNoSuchColumn",
     .English = "{0}: \"{1}\" is no column of the tables",
     .Japanese = "{0}: 「{1}」という列は表にありません。"},
    {.Name = "EditsColumnTwice",
     .English = "{0}: the column \"{1}\" is given twice",
     .Japanese = "{0}: 列「{1}」が二つあります。"},
    {.Name = "EditsNoNumberColumn",
     .English = "line 1: the row number column \"No.\" is missing",
     .Japanese = "1 行目: 列「No.」がありません。"},
    {.Name = "EditsColumnsOfSeveralTables",
     .English = "line 1: the columns belong to different tables; add a first column \"table\" "
                "naming each row's table",
     .Japanese = "1 行目: 列がいくつもの表にまたがっています。各行の表を示す列「table」を先頭に"
                 "加えてください。"},
    {.Name = "EditsColumnsOfNoKnownTable",
     .English = "line 1: the columns do not tell which table they belong to; add a name column "
                "or a first column \"table\"",
     .Japanese = "1 行目: 列からはどの表か分かりません。名前の列か、先頭に列「table」を加えてくだ"
                 "さい。"},
    {.Name = "EditsUnknownTable",
     .English = "{0}: unknown table \"{1}\"; the tables are groups, layers, colors and linetypes",
     .Japanese = "{0}: 「{1}」という表はありません。表は groups、layers、colors、linetypes です。"},
    {.Name = "EditsMalformedJson",
     .English = "malformed JSON: {0}",
     .Japanese = "JSON の形に誤りがあります: {0}"},
    {.Name = "EditsJsonNotObject",
     .English = "the JSON edits must be an object with one member per table",
     .Japanese = "JSON の編集ファイルは、表ごとに一つのメンバーを持つオブジェクトにしてください。"},
    {.Name = "EditsJsonMember", .English = "member \"{0}\"", .Japanese = "メンバー \"{0}\""},
    {.Name = "EditsJsonUnknownTable",
     .English = "{0}: unknown table; the tables are groups, layers, colors and linetypes",
     .Japanese = "{0}: この名前の表はありません。表は groups、layers、colors、linetypes です。"},
    {.Name = "EditsJsonNotArray",
     .English = "{0}: must be an array of rows",
     .Japanese = "{0}: 行の配列にしてください。"},
    {.Name = "EditsJsonRowNotObject",
     .English = "{0}: a row must be an object",
     .Japanese = "{0}: 行はオブジェクトにしてください。"},
    {.Name = "EditsJsonRowWithoutNumber",
     .English = "{0}: the row has no \"no\"",
     .Japanese = "{0}: 行に \"no\" がありません。"},
    {.Name = "EditsJsonValue",
     .English = "{0}: must be a string or a number, not {1}",
     .Japanese = "{0}: {1} ではなく、文字列か数値にしてください。"},
    {.Name = "EditsJsonKeyPlace",
     .English = "{0} ({1} row {2}), key {3}",
     .Japanese = "{0}（{1} の No. {2}）、キー {3}"},
    {.Name = "EditsJsonNoSuchKey",
     .English = "{0}: no column of {1} has this key",
     .Japanese = "{0}: {1} にこのキーの列はありません。"},
    {.Name = "EditsMarkAndCp932",
     .English = "the edits start with a UTF-8 byte-order mark, but --encoding cp932 was given",
     .Japanese = "編集ファイルは UTF-8 の BOM で始まっていますが、--encoding cp932 が指定されています。"},
    {.Name = "EditsJsonAndCp932",
     .English = "JSON edits are always UTF-8; --encoding cp932 applies to CSV",
     .Japanese = "JSON の編集ファイルは常に UTF-8 です。--encoding cp932 は CSV にだけ使えます。"},
    {.Name = "EditsNotUtf8",
     .English = "the edits are not valid UTF-8; give --encoding cp932 for code page 932 text",
     .Japanese = "編集ファイルは正しい UTF-8 ではありません。コードページ 932 の文字なら --encoding "
                 "cp932 を付けてください。"},
    {.Name = "EditsStoredAs",
     .English = "{0}: \"{1}\" is stored as \"{2}\"",
     .Japanese = "{0}: 「{1}」は「{2}」として保存します。"},
    {.Name = "CsvLine", .English = "line {0}: {1}", .Japanese = "{0} 行目: {1}"},
    {.Name = "CsvFields",
     .English = "{0} fields",
     .Japanese = "{0} 個",
     .EnglishOne = "{0} field"},
    {.Name = "CsvFieldCount",
     .English = "the record has {0}, the first record {1}",
     .Japanese = "この行のフィールドは {0} で、1 行目の {1} と数が違います。"},
    {.Name = "CsvLoneCarriageReturn",
     .English = "a carriage return without a line feed",
     .Japanese = "LF の付かない CR があります。"},
    {.Name = "CsvStrayQuote",
     .English = "a double quote inside a field that does not start with one",
     .Japanese = "二重引用符で始まらないフィールドの中に二重引用符があります。"},
    {.Name = "CsvUnendedQuote",
     .English = "a quoted field that never ends",
     .Japanese = "二重引用符で囲んだフィールドが閉じていません。"},
    {.Name = "CsvTextAfterQuote",
     .English = "text after the closing double quote of a field",
     .Japanese = "フィールドを閉じる二重引用符の後に文字があります。"},

    // ---- diff ----
    {.Name = "DiffSummary",
     .English = "Tell what changed between two drawings",
     .Japanese = "二つの図面の違いを示します"},
    {.Name = "DiffOld", .English = "The earlier drawing", .Japanese = "前の図面"},
    {.Name = "DiffNew", .English = "The later drawing", .Japanese = "後の図面"},
    {.Name = "DiffFormatOption",
     .English = "text or json",
     .Japanese = "出力の形式（text または json）"},
    {.Name = "DiffTablesOnlyFlag",
     .English = "Compare the header alone: tables, layer states and settings",
     .Japanese = "ヘッダーだけを比べます: 表、レイヤの状態、設定"},
    {.Name = "DiffObjectsFlag",
     .English = "List every object only in one drawing",
     .Japanese = "一方の図面にだけある要素を一つずつ挙げます"},
    {.Name = "DiffNotes",
     .English = R"(Compares what a save writes of each drawing, so that drawings differing only in what a
save normalises (attribute corrections, texts cleaned of control characters, header values
rebuilt, class numbering, images no text refers to) are the same:
  the format version and string form;
  the four tables field by field as the window shows them, the states, write layers, scales
  and protection of layer groups and layers, the paper size, the memo, and whether any other
  setting of the header differs;
  the objects of the drawing, compared as records with their base records and every field:
  objects have no identity, so an object counts as removed or added when no equal object is
  left to pair with it; the counts go by kind, layer group and layer, and --objects lists each
  with its kind, layer and place;
  block definitions and embedded images by name and content.
Layer groups and layers are named by hexadecimal digits, such as 0-A; drawing text is shown
as UTF-8, a byte of no code page 932 character as \xNN.
JSON (UTF-8): "same", "identicalFiles" (when the same), "objectsCompared" (false with
--tables-only, which leaves out "objects", "blockDefinitions" and "images"), "version",
"stringForm", "charactersReplaced" and "trailingBytes" as {"old", "new"}, "changes" (each with
"place": drawing, group, layer, color or linetype, "no" or "group" and "layer", "field", "old"
and "new" as the window's texts), "otherSettingsDiffer", "objects" ("added", "removed",
"byKind", "byGroup", "byLayer", "reordered", with --objects "list" of "change", "index",
"kind", "group", "layer", "description"), "blockDefinitions" and "images" (each "name" and
"change": removed, added or changed).
Exit status: 0 the same content, 1 different, 2 trouble (a file that is not a drawing or
cannot be read, with the reason on standard error) or a usage error.
)",
     .Japanese = R"(それぞれの図面を保存したときに書かれる内容を比べます。ですから、保存で正される違い（属
性の補正、文字から除く制御文字、作り直すヘッダーの値、クラスの番号、どの文字からも参照さ
れない画像）しかない二つの図面は同じです。比べるもの:
  形式のバージョンと文字列の形式。
  画面と同じ四つの表の項目ごとの値、レイヤグループとレイヤの状態・書込みレイヤ・縮尺・プ
  ロテクト、用紙サイズ、メモ、そしてそのほかのヘッダーの設定が違うかどうか。
  図面の要素。基本の属性とすべての値を持つレコードとして比べます。要素には見分けるための
  番号がないので、もう一方の図面に対になる等しい要素が残っていない要素を、削除または追加
  として数えます。数は種類・レイヤグループ・レイヤごとに示し、--objects を付けるとそうし
  た要素を一つずつ種類・レイヤ・位置とともに挙げます。
  ブロック定義と同梱画像。名前と中身で比べます。
レイヤグループとレイヤは 0-A のように16進数で示します。図面の文字は UTF-8 で示し、コード
ページ 932 の文字にならないバイトは \xNN と示します。
JSON（UTF-8）: "same"、"identicalFiles"（同じときだけ）、"objectsCompared"（--tables-only
のときは false で、"objects"、"blockDefinitions"、"images" を省きます）、{"old", "new"} の
形の "version"、"stringForm"、"charactersReplaced"、"trailingBytes"、"changes"（それぞれ
"place": drawing, group, layer, color, linetype のどれか、"no" または "group" と "layer"、
"field"、画面と同じ文字の "old" と "new"）、"otherSettingsDiffer"、"objects"（"added"、
"removed"、"byKind"、"byGroup"、"byLayer"、"reordered"、--objects を付けると "change"、
"index"、"kind"、"group"、"layer"、"description" を持つ "list"）、"blockDefinitions" と
"images"（それぞれ "name" と "change": removed, added, changed のどれか）。
終了コード: 0 内容が同じ、1 違いがある、2 問題が起きた（図面でないファイルや読み込めない
ファイル。理由を標準エラー出力に示します）か使い方の誤り。
)"},

    // The review diff writes. A place, a label and the two values of a change are put together
    // as "place: label old → new" in both languages.
    {.Name = "DiffSameFiles",
     .English = "same: the files are identical",
     .Japanese = "同じ: 二つのファイルはまったく同じです。"},
    {.Name = "DiffSameContent",
     .English = "same: the drawings hold the same content; their files differ only in what a "
                "save normalises",
     .Japanese = "同じ: 二つの図面の内容は同じです。ファイルの違いは、保存で正される部分だけです。"},
    {.Name = "DiffSameHeaders",
     .English = "same: the tables, layer states and settings are the same (objects not compared)",
     .Japanese = "同じ: 表、レイヤの状態、設定は同じです（要素は比べていません）。"},
    {.Name = "DiffFormatVersion", .English = "format version", .Japanese = "形式のバージョン"},
    {.Name = "DiffStringForm", .English = "string form", .Japanese = "文字列の形式"},
    {.Name = "DiffByteStrings", .English = "byte", .Japanese = "バイト列"},
    {.Name = "DiffWideStrings", .English = "wide", .Japanese = "ワイド文字列"},
    {.Name = "DiffOtherSettings",
     .English = "other drawing settings differ",
     .Japanese = "そのほかのヘッダーの設定が違います。"},
    {.Name = "DiffLayerGroup", .English = "layer group {0}", .Japanese = "レイヤグループ {0}"},
    {.Name = "DiffLayer", .English = "layer {0}", .Japanese = "レイヤ {0}"},
    {.Name = "DiffColor", .English = "SXF colour {0}", .Japanese = "SXF線色 {0}"},
    {.Name = "DiffLineType", .English = "SXF line type {0}", .Japanese = "SXF線種 {0}"},
    {.Name = "DiffObjects",
     .English = "objects: +{0}, −{1} ({2})",
     .Japanese = "要素: +{0}、−{1}（{2}）"},
    {.Name = "DiffBlockDefinition",
     .English = "block definition {0}",
     .Japanese = "ブロック定義 {0}"},
    {.Name = "DiffImage", .English = "image {0}", .Japanese = "同梱画像 {0}"},
    {.Name = "DiffAdded", .English = "added", .Japanese = "追加"},
    {.Name = "DiffRemoved", .English = "removed", .Japanese = "削除"},
    {.Name = "DiffChanged", .English = "changed", .Japanese = "変更あり"},
    {.Name = "DiffOwnAttributes", .English = "its own attributes", .Japanese = "ブロック自身の属性"},
    {.Name = "DiffLossyNote",
     .English = "note: {0} holds characters that code page 932 cannot hold; each compares as ?",
     .Japanese = "注: {0} にはコードページ 932 で表せない文字があり、それぞれ ? として比べます。"},
    {.Name = "DiffTrailingBytesNote",
     .English = "note: {0} has {1} bytes after its last section, which are not compared",
     .Japanese = "注: {0} の最後の部分の後にある {1} バイトは比べていません。"},
    {.Name = "DiffReorderedNote",
     .English = "note: the objects both drawings hold stand in another order",
     .Japanese = "注: 両方の図面にある要素の並び順が違います。"},

    // An object kind counted, {1} the sign of the count {0}, and one such object in a list.
    {.Name = "DiffCountLines", .English = "{1}{0} lines", .Japanese = "線 {1}{0}",
     .EnglishOne = "{1}{0} line"},
    {.Name = "DiffCountArcs", .English = "{1}{0} arcs", .Japanese = "円弧 {1}{0}",
     .EnglishOne = "{1}{0} arc"},
    {.Name = "DiffCountPoints", .English = "{1}{0} points", .Japanese = "点 {1}{0}",
     .EnglishOne = "{1}{0} point"},
    {.Name = "DiffCountTexts", .English = "{1}{0} texts", .Japanese = "文字 {1}{0}",
     .EnglishOne = "{1}{0} text"},
    {.Name = "DiffCountDimensions", .English = "{1}{0} dimensions", .Japanese = "寸法 {1}{0}",
     .EnglishOne = "{1}{0} dimension"},
    {.Name = "DiffCountSolids", .English = "{1}{0} solids", .Japanese = "ソリッド {1}{0}",
     .EnglishOne = "{1}{0} solid"},
    {.Name = "DiffCountBlockInsertions", .English = "{1}{0} block insertions",
     .Japanese = "ブロック {1}{0}", .EnglishOne = "{1}{0} block insertion"},
    {.Name = "DiffKindLine", .English = "line", .Japanese = "線"},
    {.Name = "DiffKindArc", .English = "arc", .Japanese = "円弧"},
    {.Name = "DiffKindPoint", .English = "point", .Japanese = "点"},
    {.Name = "DiffKindText", .English = "text", .Japanese = "文字"},
    {.Name = "DiffKindDimension", .English = "dimension", .Japanese = "寸法"},
    {.Name = "DiffKindSolid", .English = "solid", .Japanese = "ソリッド"},
    {.Name = "DiffKindBlockInsertion", .English = "block insertion", .Japanese = "ブロック"},

    // The labels of the compared values; P0 ... P7 are the same in both languages.
    {.Name = "DiffName", .English = "name", .Japanese = "名前"},
    {.Name = "DiffScreenColor", .English = "screen colour", .Japanese = "画面色"},
    {.Name = "DiffScreenWidth", .English = "screen line width", .Japanese = "画面線幅"},
    {.Name = "DiffPrintColor", .English = "print colour", .Japanese = "印刷色"},
    {.Name = "DiffPrintWidth", .English = "print line width", .Japanese = "印刷線幅"},
    {.Name = "DiffPointRadius", .English = "point radius", .Japanese = "点半径"},
    {.Name = "DiffPattern", .English = "pattern", .Japanese = "パターン"},
    {.Name = "DiffDotsPerUnit", .English = "dots per unit", .Japanese = "1ﾕﾆｯﾄのﾄﾞｯﾄ数"},
    {.Name = "DiffScreenPitch", .English = "screen pitch", .Japanese = "画面ピッチ"},
    {.Name = "DiffPrintPitch", .English = "print pitch", .Japanese = "印刷ピッチ"},
    {.Name = "DiffSegmentCount", .English = "segments", .Japanese = "セグメント数"},
    {.Name = "DiffState", .English = "state", .Japanese = "状態"},
    {.Name = "DiffWriteLayer", .English = "write layer", .Japanese = "書込みレイヤ"},
    {.Name = "DiffScale", .English = "scale", .Japanese = "縮尺"},
    {.Name = "DiffProtection", .English = "protection", .Japanese = "プロテクト"},
    {.Name = "DiffPaperSize", .English = "paper size", .Japanese = "用紙サイズ"},
    {.Name = "DiffMemo", .English = "memo", .Japanese = "メモ"},
};
