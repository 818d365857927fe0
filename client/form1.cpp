// Construction of the window and its lifecycle: creation, close query, destruction, links.
#include "client/form1.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/ui/application.h"
#include "resources/resource_ids.h"

namespace {

constexpr ui::Color kLinkBlue = RGB(0, 0, 255);
constexpr ui::Color kErrorRed = RGB(255, 0, 0);

const char* const kMemo1Lines[] = {
    "1.如果您想通过互联网进行升级，请选择“从Internet上升级”；",
    "",
    "2.如果您的本地、局域网中已经有了下载过的升级文件(一般在该",
    "  软件所安装的目录下的Updates目录下），",
    "  请选择“从本地、局域网上升级”；",
    "",
    "请单击下一步继续。",
};

const char* const kMemo2Lines[] = {
    "",
    "        在您的本地计算机或局域网上，应该存在最新的升",
    "",
    "    级文件文件夹，请指定这样一个路径；",
    "",
    "        如果您不清楚路径在哪里或者这样的路径并不存在，",
    "",
    "    请返回上一步，选择其它的升级方式；",
    "",
    "请单击下一步继续。",
};

template <std::size_t N>
std::vector<std::string> Lines(const char* const (&lines)[N]) {
  return std::vector<std::string>(std::begin(lines), std::end(lines));
}

void PlacePicture(ui::Image& image, int resource) {
  image.SetBounds(4, 4, 120, 234);
  image.SetPicture(ui::Picture::FromResource(resource));
}

}  // namespace

TForm1::TForm1()
    : TNeoForm("岚舟智能升级", 545, 395, ui::BorderIcons{true, true, false}),
      Panel1(this),
      PageControl1(&Panel1),
      TabSheet1(&PageControl1, "请选择智能升级模式"),
      Image1(&TabSheet1),
      Memo1(&TabSheet1),
      GroupBox1(&TabSheet1, "升级模式"),
      rbInternet(&GroupBox1, "从 Internet 上升级"),
      rbIntranet(&GroupBox1, "从本地、局域网上升级"),
      Label1(&GroupBox1, "保存路径："),
      edSaved(&GroupBox1),
      cbSaved(&GroupBox1, "..."),
      ckCreate(&GroupBox1, "如果本地文件路径不存在，则自动创建"),
      ckRunFile(&GroupBox1, "升级完成后运行文件："),
      edFileName(&GroupBox1),
      TabSheet2(&PageControl1, "请选择 Internet 升级服务器"),
      Image2(&TabSheet2),
      sgServer(&TabSheet2),
      GroupBox2(&TabSheet2, "服务器信息"),
      Label2(&GroupBox2, "URL："),
      edUrl(&GroupBox2),
      cbTest(&GroupBox2, "测试"),
      TabSheet3(&PageControl1, "请选择局域网升级目录"),
      Image3(&TabSheet3),
      Label3(&TabSheet3, "请选择本地、局域网中升级文件所在的路径："),
      edNetPath(&TabSheet3),
      cbNetPath(&TabSheet3, "..."),
      Memo2(&TabSheet3),
      TabSheet4(&PageControl1, "下载升级信息"),
      Image4(&TabSheet4),
      GroupBox3(&TabSheet4, "下载升级信息文件"),
      Label4(&GroupBox3, "下载并分析升级信息："),
      ProgressBar1(&GroupBox3),
      stError(&GroupBox3, "    下载升级信息文件出错，请点击上一步，选择其它升级服务器后再试!"),
      stInfo(&GroupBox3, "已经是最新版本了，不需要升级，请点击取消退出!"),
      TabSheet5(&PageControl1, "开始升级"),
      Image5(&TabSheet5),
      Label5(&TabSheet5, "升级文件列表："),
      sgFile(&TabSheet5),
      Label6(&TabSheet5, "下载进度："),
      ProgressBar2(&TabSheet5),
      TabSheet6(&PageControl1, "智能自动升级"),
      Image6(&TabSheet6),
      stConn(&TabSheet6, "1. 连接服务器 ..."),
      stIni(&TabSheet6, "2. 下载并处理升级信息文件 ..."),
      stDown(&TabSheet6, "3. 下载升级文件 ..."),
      stCounter(&TabSheet6, "下载计数"),
      stDownFile(&TabSheet6, "下载文件名"),
      ProgressBar3(&TabSheet6),
      stUpdate(&TabSheet6, "4. 进行升级操作 ..."),
      stOver(&TabSheet6, "5. 升级完成."),
      Image7(&TabSheet6),
      GroupBox4(&Panel1, ""),
      txtVendor(&Panel1, ""),
      txtSoftSite(&Panel1, ""),
      cbPrev(&Panel1, "上一步"),
      cbNext(&Panel1, "下一步"),
      cbStart(&Panel1, "开始"),
      cbCancel(&Panel1, "取消") {
  ui::Application& app = ui::Application::Instance();
  if (!app.MainForm()) app.SetMainForm(this);

  Panel1.SetAlign(ui::Align::Client);
  PageControl1.SetBounds(0, 0, 543, 284);
  PageControl1.SetMultiLine(true);
  PageControl1.SetAlign(ui::Align::Top);
  BuildPage1();
  BuildPage2();
  BuildPage3();
  BuildPage4();
  BuildPage5();
  BuildPage6();
  BuildButtonRow();
  // Only the first page has a visible tab at start.
  for (ui::TabSheet* page : {&TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5, &TabSheet6}) {
    page->SetTabVisible(false);
  }
  PageControl1.SetActivePage(&TabSheet1);

  Timer1.SetEnabled(false);
  Timer1.SetInterval(2000);
  TimerCheck.SetEnabled(false);
  BindEvents();
  FormCreate();
}

TForm1::~TForm1() { DestroyForm(); }

void TForm1::BuildPage1() {
  PlacePicture(Image1, IDB_PAGE1);
  Memo1.SetBounds(130, 4, 376, 104);
  Memo1.SetReadOnly(true);
  Memo1.SetLines(Lines(kMemo1Lines));
  GroupBox1.SetBounds(130, 112, 376, 130);
  rbInternet.SetBounds(12, 20, 170, 18);
  rbIntranet.SetBounds(190, 20, 180, 18);
  rbInternet.SetChecked(true);
  Label1.SetBounds(12, 49, 64, 14);
  edSaved.SetBounds(76, 45, 258, 21);
  cbSaved.SetBounds(338, 45, 26, 21);
  ckCreate.SetBounds(12, 73, 300, 18);
  ckCreate.SetChecked(true);
  ckRunFile.SetBounds(12, 99, 140, 18);
  ckRunFile.SetChecked(false);
  edFileName.SetBounds(156, 97, 208, 21);
}

void TForm1::BuildPage2() {
  PlacePicture(Image2, IDB_PAGE2);
  sgServer.SetBounds(130, 4, 376, 160);
  sgServer.SetColCount(2);
  sgServer.SetRowCount(3);
  sgServer.SetFixedRows(1);
  sgServer.SetColWidth(0, 279);
  sgServer.SetColWidth(1, 61);
  ui::GridOptions serverOptions = sgServer.Options();
  serverOptions.rowSelect = true;
  serverOptions.colSizing = true;
  sgServer.SetOptions(serverOptions);
  GroupBox2.SetBounds(130, 172, 376, 66);
  Label2.SetBounds(12, 30, 40, 14);
  edUrl.SetBounds(52, 26, 238, 21);
  edUrl.SetReadOnly(true);
  cbTest.SetBounds(296, 25, 70, 22);
}

void TForm1::BuildPage3() {
  PlacePicture(Image3, IDB_PAGE3);
  Label3.SetBounds(130, 12, 376, 14);
  edNetPath.SetBounds(130, 32, 344, 21);
  cbNetPath.SetBounds(478, 32, 26, 21);
  Memo2.SetBounds(130, 62, 376, 176);
  Memo2.SetReadOnly(true);
  Memo2.SetLines(Lines(kMemo2Lines));
}

void TForm1::BuildPage4() {
  PlacePicture(Image4, IDB_PAGE4);
  GroupBox3.SetBounds(130, 4, 376, 234);
  Label4.SetBounds(16, 40, 344, 14);
  ProgressBar1.SetBounds(16, 62, 344, 18);
  stError.SetBounds(16, 96, 344, 40);
  stError.SetWordWrap(true);
  stError.SetFontColor(kErrorRed);
  stError.SetVisible(false);
  stInfo.SetBounds(16, 96, 344, 40);
  stInfo.SetWordWrap(true);
  stInfo.SetFontColor(kLinkBlue);
  stInfo.SetVisible(false);
}

void TForm1::BuildPage5() {
  PlacePicture(Image5, IDB_PAGE5);
  Label5.SetBounds(130, 6, 200, 14);
  sgFile.SetBounds(130, 24, 376, 168);
  sgFile.SetColCount(4);
  sgFile.SetRowCount(3);
  sgFile.SetFixedRows(1);
  sgFile.SetColWidth(0, 20);
  sgFile.SetColWidth(1, 224);
  sgFile.SetColWidth(2, 72);
  sgFile.SetColWidth(3, 4);
  ui::GridOptions fileOptions = sgFile.Options();
  fileOptions.rowSelect = true;
  sgFile.SetOptions(fileOptions);
  Label6.SetBounds(130, 200, 200, 14);
  ProgressBar2.SetBounds(130, 218, 376, 18);
}

void TForm1::BuildPage6() {
  PlacePicture(Image6, IDB_PAGE6);
  stConn.SetBounds(140, 24, 240, 14);
  stIni.SetBounds(140, 52, 240, 14);
  stDown.SetBounds(140, 80, 240, 14);
  stCounter.SetBounds(160, 102, 90, 14);
  stDownFile.SetBounds(250, 102, 120, 14);
  stDownFile.SetAlignment(ui::TextAlign::Right);
  ProgressBar3.SetBounds(160, 120, 210, 16);
  stUpdate.SetBounds(140, 150, 240, 14);
  stOver.SetBounds(140, 178, 240, 14);
  for (ui::Label* label : {&stIni, &stDown, &stCounter, &stDownFile, &stUpdate, &stOver}) {
    label->SetEnabled(false);
  }
  Image7.SetBounds(386, 60, 120, 120);
  Image7.SetPicture(ui::Picture::FromResource(IDB_AUTO_PICTURE));
}

void TForm1::BuildButtonRow() {
  const int width = Panel1.Width();
  GroupBox4.SetBounds(6, 292, width - 12, 7);
  txtVendor.SetBounds(10, 302, 240, 14);
  txtSoftSite.SetBounds(width - 250, 302, 240, 14);
  txtSoftSite.SetAlignment(ui::TextAlign::Right);
  for (ui::Label* link : {&txtVendor, &txtSoftSite}) {
    link->SetFontColor(kLinkBlue);
    link->SetCursor(IDC_HAND);
  }
  int left = width - 4 * 85;
  for (ui::SpeedButton* button : {&cbPrev, &cbNext, &cbStart, &cbCancel}) {
    button->SetBounds(left, 318, 81, 22);
    left += 85;
  }
  cbPrev.SetGlyph(ui::Picture::FromResource(IDB_GLYPH_PREV));
  cbNext.SetGlyph(ui::Picture::FromResource(IDB_GLYPH_NEXT));
  cbStart.SetGlyph(ui::Picture::FromResource(IDB_GLYPH_START));
  cbCancel.SetGlyph(ui::Picture::FromResource(IDB_GLYPH_CANCEL));
  cbPrev.SetEnabled(false);
  cbNext.SetEnabled(true);
  cbStart.SetEnabled(false);
  cbCancel.SetEnabled(true);
}

void TForm1::BindEvents() {
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  OnDestroy = [this] { FormDestroy(); };
  txtVendor.OnClick = [this] { txtVendorClick(); };
  txtSoftSite.OnClick = [this] { txtSoftSiteClick(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  cbNext.OnClick = [this] { cbNextClick(); };
  cbPrev.OnClick = [this] { cbPrevClick(); };
  cbCancel.OnClick = [this] { cbCancelClick(); };
  cbSaved.OnClick = [this] { cbSavedClick(); };
  cbNetPath.OnClick = [this] { cbNetPathClick(); };
  cbTest.OnClick = [this] { cbTestClick(); };
  sgServer.OnClick = [this] { sgServerClick(); };
  HTTP.OnWorkBegin = [this](std::int64_t total) { HTTPWorkBegin(total); };
  HTTP.OnWork = [this](std::int64_t count) { HTTPWork(count); };
  HTTP.OnWorkEnd = [this] { HTTPWorkEnd(); };
}

void TForm1::FormCreate() {
  sgFile.SetColWidth(3, 0);  // the install extension stays hidden
  LoadSettings();

  SetCaptionText(WindowCaption);
  ui::Application::Instance().SetTitle(WindowCaption);
  txtVendor.SetCaption(VendorName);
  txtSoftSite.SetCaption(SoftSite);

  if (AutoUpdate) {
    cbPrev.SetEnabled(false);
    cbNext.SetEnabled(false);
    cbStart.SetEnabled(false);
    TabSheet1.SetTabVisible(false);
    TabSheet6.SetTabVisible(true);
    PageControl1.SetActivePage(&TabSheet6);
    Timer1.SetEnabled(true);
  }

  ui::Application& app = ui::Application::Instance();
  if (AutoStart) {
    AddAutostart();
    AddTrayIcon();
    SetHideOnMinimize(true);
    Hide();
    app.SetShowMainForm(false);
    ShowWindow(app.TaskbarHandle(), SW_HIDE);
  } else {
    RemoveAutostart();
  }

  if (const UINT interval = TimerCheckInterval(TimerCheckHours)) {
    TimerCheck.SetInterval(interval);
    TimerCheck.SetEnabled(true);
  }
}

UINT TForm1::TimerCheckInterval(std::int32_t hours) {
  constexpr std::int32_t kMaxHours = 1193;  // 1193 h = 4 294 800 000 ms < 2^32
  constexpr UINT kHour = 3600000;
  if (hours <= 0) return 0;
  return static_cast<UINT>(hours > kMaxHours ? kMaxHours : hours) * kHour;
}

void TForm1::FormCloseQuery(bool& canClose) {
  if (UpdateFinished) return;
  const int answer = ui::Application::Instance().MessageBox(
      Handle(), "升级尚未完成，确认要退出吗？", GetCaptionText(),
      MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer == IDCANCEL) canClose = false;
}

void TForm1::FormDestroy() {
  if (!ConfigReplaced) SaveSettings();
  RemoveTrayIcon();
}

void TForm1::txtVendorClick() {
  ShellExecuteA(Handle(), "open", VendorURL.c_str(), nullptr, nullptr, SW_SHOW);
}

void TForm1::txtSoftSiteClick() {
  ShellExecuteA(Handle(), "open", SoftSiteURL.c_str(), nullptr, nullptr, SW_SHOW);
}

void TForm1::Timer1Timer() {
  // The unattended run starts from here; until it is wired in, the timer fires only once.
  Timer1.SetEnabled(false);
}
