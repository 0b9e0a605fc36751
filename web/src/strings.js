// The window's texts, as the desktop window shows them (UTF-8).
export const buttons = {
  run: "运行",
  pause: "暂停",
  continue: "继续",
  stop: "停止",
  step: "单步",
  watch: "变量",
  new: "新建",
  open: "打开",
  save: "保存",
  saveAs: "另存",
  example: "示例",
  exportPicture: "导出图片",
  openBas: "打开\nKELTOBASIC",
  saveBas: "保存\nKELTOBASIC",
  undo: "撤销",
  redo: "重做",
  share: "分享链接",
};
export const undoTip = "撤销上一次画布上的改动（Ctrl+Z）";
export const redoTip = "重做撤销了的改动（Ctrl+Y）";
export const emptyCanvasHint = "单击左边元件栏里的元件，把它放到这里；\n或按上面的“示例”打开一课。";
export const lessonChooserCaption = "示例";
export const lessonChooserPrompt = "选择一课，打开它的电路和程序：";
export const lessonChooserOpen = "打开";
export const answerYes = "是";
export const answerNo = "否";
export const answerCancel = "取消";
export const errorOk = "确定";
export const savePromptCaption = "系统提示";
export const windowTypeface = '"宋体", SimSun, "AR PL UMing CN", serif';
// The program editor: what a line runs as, and the bar above the text.
export const readingPrefix = "读作：";
export const linesWillNotRun = (n) => `${n} 行不会运行`;
export const linesMayBeWrong = (n) => `${n} 行可能写错了`;
export const countSeparator = "，";
export const headerSeparator = "；";
// The task bar above the program editor.
export const buttonTask = "任务";
export const buttonTaskTip = "打开老师给的任务文件（.toml），在这里显示题目";
export const buttonCheck = "检查";
export const buttonCheckTip = "用任务里的检查试一试现在的电路和程序：另开一块板子运行，不影响这里";
export const checking = "正在检查……";
export const unsavedProgram = "程序";
export const runWatchCaption = "变量";
export const runWatchName = "名称";
export const runWatchValue = "值";
// TFormShanChu, the delete dialog, and TFormXian, the wire dialog.
export const shanChuCaption = "删除元件";
export const shanChuCancel = "取消";
export const shanChuDelete = "删除";
export const shanChuQuestion = (caption) => `要删除“${caption}”吗？`;
export const shanChuUndoHint = "删错了可以按 Ctrl+Z 撤销。";
export const xianCaption = "连接线";
export const xianGroup = "请选择";
export const xianStyles = ["直线", "肘形水平", "肘形垂直"];
export const xianOk = "确定";
export const xianCancel = "取消";
export const xianDelete = "删除";
export const circuitFilter = "单片机仿真文件(*.dps)";
export const programFilter = "KELTOBASIC文件文本格式(*.txt)";
// The picture export's file types, as the window's save dialog lists them.
export const pictureFormats = [
  { text: "SVG 矢量图(*.svg)", suffix: ".svg", scale: 1 },
  { text: "PNG 图片(*.png)", suffix: ".png", scale: 1 },
  { text: "PNG 图片，两倍大小(*.png)", suffix: ".png", scale: 2 },
  { text: "PDF 文档，A4 纸(*.pdf)", suffix: ".pdf", pdf: true },
];
export const picturePrintStyle = "，黑白打印样式";
// Told once when the browser will not keep the work between visits.
export const storageRefused =
  "浏览器不让本页存放你的工作（存储空间已满或被禁止），关掉页面后电路和程序不会留下。" +
  "请用“保存”和“保存KELTOBASIC”把它们下载到电脑上。";
// 分享链接: the link's box, and the words for a link that does not decode.
export const shareLink = "分享链接";
export const shareLinkCopied = "链接已复制，可以粘贴给别人：";
export const shareLinkBroken = "这个分享链接无法读取，电路和程序都没有改变。";
// TFormOScopes and TFormAudioas, the oscilloscope windows, by instrument
// number; their buttons, data files and the exported table's headers.
export const scopeCaptions = { 1: "示波器", 2: "单通道示波器" };
export const scopeTexts = { run: "运行", stop: "停止", clear: "清除", export: "导出数据", exportPicture: "导出图片" };
export const scopeDataFormats = [
  { text: "CSV 表格文件 (*.csv)", suffix: ".csv", vcd: false },
  { text: "VCD 波形文件 (*.vcd)", suffix: ".vcd", vcd: true },
];
export const scopeSampleHeader = "采样";
export const scopeChannelHeader = "通道";
