// Construction and layout of the window, the page tree, the tips box, and closing.
#include "assistant/form1.h"

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ui/application.h"

namespace {

constexpr char kTitle[] = "岚舟智能升级助手";
constexpr ui::Color kMoneyGreen = RGB(192, 220, 192);

// The tips box's text whenever no field has the focus. The last two lines are the publisher's
// signature, to be replaced by whoever ships the assistant.
const char* const kDefaultTipsLines[] = {
    "操作提示信息!",
    "本软件只是用于提供界面进行",
    "参数设置，不需要发布到用户",
    "端。",
    "",
    "岚舟软件",
    "http://www.example.com/",
};

// Page tree nodes in display order.
enum TreeNode { kRootNode, kFileNode, kCommonNode, kIntranetNode, kInternetNode, kCustomNode };

// The window: the area inside the frame's edges (10 left, 13 right, 40 for the title bar, 12
// at the bottom) less a margin of kGap; the page tree over the tips box on the left, the pages
// on the right with the two buttons under them. The design's 603-pixel page area does not fit
// beside the column inside the frame; the pages take the width that is left.
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 573;
constexpr int kGap = 4;
constexpr RECT kInside{10 + kGap, 40 + kGap, kClientWidth - 13 - kGap, kClientHeight - 12 - kGap};
constexpr int kColumnWidth = 185;
constexpr int kTipsHeight = 146;
constexpr int kPagesLeft = kInside.left + kColumnWidth + kGap;
constexpr int kPagesHeight = 475;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;

// Field rows: a label on the left, its control on the right, one row every kRowPitch pixels.
constexpr int kRowPitch = 24;
constexpr int kEditHeight = 21;
constexpr int kCheckHeight = 18;
constexpr int kLabelHeight = 14;
constexpr int kFirstRowInGroup = 18;

void PlaceLabel(ui::Label& label, int left, int rowTop, int width) {
  label.SetBounds(left, rowTop + (kEditHeight - kLabelHeight) / 2 + 1, width, kLabelHeight);
}

void PlaceEditRow(ui::Label& label, ui::Edit& edit, int left, int rowTop, int labelWidth,
                  int editWidth) {
  PlaceLabel(label, left, rowTop, labelWidth);
  edit.SetBounds(left + labelWidth, rowTop, editWidth, kEditHeight);
}

void PlaceCheckRow(ui::Label& label, ui::CheckBox& check, int left, int rowTop, int labelWidth) {
  PlaceLabel(label, left, rowTop, labelWidth);
  check.SetBounds(left + labelWidth, rowTop + (kEditHeight - kCheckHeight) / 2, 120, kCheckHeight);
}

int GroupHeight(int rows) { return kFirstRowInGroup + rows * kRowPitch + 6; }

// The design's font has to be in place before the first control exists: every control takes
// the font it is created with.
ui::WinControl* WithDesignFont(TNeoForm* form) {
  form->SetFontFace("宋体", -13);
  return form;
}

}  // namespace

TForm1::TForm1()
    : TNeoForm(kTitle, kClientWidth, kClientHeight, ui::BorderIcons{true, true, false}),
      tvMenu(WithDesignFont(this)),
      mmTips(this),
      PageControl1(this),
      tsCommon(&PageControl1, "常规设置"),
      GroupBox1(&tsCommon, "本地应用程序信息"),
      lbInstalledDir(&GroupBox1, "安装目录:"),
      edInstalledDir(&GroupBox1),
      lbVersion(&GroupBox1, "已安装版本:"),
      edVersion(&GroupBox1),
      lbSaved(&GroupBox1, "下载临时路径:"),
      edSaved(&GroupBox1),
      GroupBox2(&tsCommon, "升级相关程序操作"),
      lbRunFile(&GroupBox2, "是否允许操作"),
      ckRunFile(&GroupBox2, "允许操作"),
      lbKillFiles(&GroupBox2, "升级前关闭程序:"),
      edKillFiles(&GroupBox2),
      lbFileName(&GroupBox2, "升级完运行程序:"),
      edFileName(&GroupBox2),
      GroupBox3(&tsCommon, "升级相关服务操作"),
      lbRunSvcChecked(&GroupBox3, "是否允许操作"),
      chkRunSvc(&GroupBox3, "允许操作"),
      lbRunSvc(&GroupBox3, "服务名称:"),
      edtRunSvc(&GroupBox3),
      GroupBox4(&tsCommon, "自动升级设置"),
      lbAutoUpdate(&GroupBox4, "自动升级:"),
      ckAutoUpdate(&GroupBox4, "自动升级"),
      lbNoRunFile(&GroupBox4, "无升级运行程序:"),
      edNoRunFile(&GroupBox4),
      GroupBox5(&tsCommon, "定时升级设置"),
      lbAutoStart(&GroupBox5, "随系统自动启动:"),
      ckAutoStart(&GroupBox5, "自动启动"),
      lbTimerHours(&GroupBox5, "升级间隔(小时):"),
      edTimerHours(&GroupBox5),
      GroupBox6(&tsCommon, "升级模式设置"),
      rbInternet(&GroupBox6, "从互联网升级"),
      rbIntranet(&GroupBox6, "从局域网升级"),
      lbUpdateFile(&tsCommon, "服务器升级信息文件:"),
      edtUpdateFile(&tsCommon),
      lbCreate(&tsCommon, "自动创建目录:"),
      ckCreate(&tsCommon, "自动创建"),
      tsIntranet(&PageControl1, "局域网升级设置"),
      lbNetPath(&tsIntranet, "升级服务器目录:"),
      edNetPath(&tsIntranet),
      lbUsername(&tsIntranet, "访问服务器用户名:"),
      edUsername(&tsIntranet),
      lbPassword(&tsIntranet, "访问服务器口令:"),
      edPassword(&tsIntranet),
      tsInternet(&PageControl1, "互联网升级设置"),
      lbServerList(&tsInternet, "升级服务器列表:"),
      sgServer(&tsInternet),
      cbNew(&tsInternet, "增加(&N)"),
      cbDel(&tsInternet, "删除(&D)"),
      tsCustom(&PageControl1, "界面定制"),
      GroupBox7(&tsCustom, "界面定制"),
      lbCaption(&GroupBox7, "窗口标题:"),
      edtCaption(&GroupBox7),
      lbVendor(&GroupBox7, "开发商名称:"),
      edtVendor(&GroupBox7),
      lbVendorURL(&GroupBox7, "开发商点击打开URL:"),
      edtVendorURL(&GroupBox7),
      lbSoftSite(&GroupBox7, "软件产品网站:"),
      edtSoftSite(&GroupBox7),
      lbSiteURL(&GroupBox7, "网站点击打开URL:"),
      edtSiteURL(&GroupBox7),
      cbSave(this, "保存(&S)"),
      cbClose(this, "关闭") {
  ui::Application& app = ui::Application::Instance();
  if (!app.MainForm()) app.SetMainForm(this);

  BuildTree();
  PageControl1.SetBounds(kPagesLeft, kInside.top, kInside.right - kPagesLeft, kPagesHeight);
  BuildCommonPage();
  BuildIntranetPage();
  BuildInternetPage();
  BuildCustomPage();
  BuildButtons();
  ShowOnlyPage(tsCommon);
  BindEvents();
  FormCreate();
}

TForm1::~TForm1() { DestroyForm(); }

void TForm1::BuildTree() {
  tvMenu.SetBounds(kInside.left, kInside.top, kColumnWidth,
                   kInside.bottom - kTipsHeight - kGap - kInside.top);
  const int root = tvMenu.AddNode(ui::TreeView::kNoNode, kTitle);
  const int file = tvMenu.AddNode(root, "本地配置文件");
  tvMenu.AddNode(file, "常规设置");
  tvMenu.AddNode(file, "局域网升级设置");
  tvMenu.AddNode(file, "互联网升级设置");
  tvMenu.AddNode(file, "界面定制");

  mmTips.SetBounds(kInside.left, kInside.bottom - kTipsHeight, kColumnWidth, kTipsHeight);
  mmTips.SetReadOnly(true);
  mmTips.SetColor(kMoneyGreen);
  mmTips.SetTabStop(false);
  // The longest hint fits the box; a scroll bar would only take the width the lines need.
  ShowScrollBar(mmTips.Handle(), SB_VERT, FALSE);
  mmTips.SetLines(std::vector<std::string>(std::begin(kDefaultTipsLines), std::end(kDefaultTipsLines)));
}

void TForm1::BuildCommonPage() {
  constexpr int kMargin = 6;
  const int pageWidth = tsCommon.Width();
  const int fullWidth = pageWidth - 2 * kMargin;
  const int halfWidth = (fullWidth - kMargin) / 2;
  const int rightHalf = kMargin + halfWidth + kMargin;
  constexpr int kLabelLeft = 10;
  constexpr int kLabelWidth = 106;
  const int fullEdit = fullWidth - kLabelLeft - kLabelWidth - 10;
  const int halfEdit = halfWidth - kLabelLeft - kLabelWidth - 10;
  const auto row = [](int index) { return kFirstRowInGroup + index * kRowPitch; };

  int top = kMargin;
  GroupBox1.SetBounds(kMargin, top, fullWidth, GroupHeight(3));
  PlaceEditRow(lbInstalledDir, edInstalledDir, kLabelLeft, row(0), kLabelWidth, fullEdit);
  PlaceEditRow(lbVersion, edVersion, kLabelLeft, row(1), kLabelWidth, 120);
  PlaceEditRow(lbSaved, edSaved, kLabelLeft, row(2), kLabelWidth, fullEdit);
  top += GroupBox1.Height() + 4;

  GroupBox2.SetBounds(kMargin, top, fullWidth, GroupHeight(3));
  PlaceCheckRow(lbRunFile, ckRunFile, kLabelLeft, row(0), kLabelWidth);
  PlaceEditRow(lbKillFiles, edKillFiles, kLabelLeft, row(1), kLabelWidth, fullEdit);
  PlaceEditRow(lbFileName, edFileName, kLabelLeft, row(2), kLabelWidth, fullEdit);
  top += GroupBox2.Height() + 4;

  GroupBox3.SetBounds(kMargin, top, fullWidth, GroupHeight(2));
  PlaceCheckRow(lbRunSvcChecked, chkRunSvc, kLabelLeft, row(0), kLabelWidth);
  PlaceEditRow(lbRunSvc, edtRunSvc, kLabelLeft, row(1), kLabelWidth, fullEdit);
  top += GroupBox3.Height() + 4;

  GroupBox4.SetBounds(kMargin, top, halfWidth, GroupHeight(2));
  PlaceCheckRow(lbAutoUpdate, ckAutoUpdate, kLabelLeft, row(0), kLabelWidth);
  PlaceEditRow(lbNoRunFile, edNoRunFile, kLabelLeft, row(1), kLabelWidth, halfEdit);
  GroupBox5.SetBounds(rightHalf, top, halfWidth, GroupHeight(2));
  PlaceCheckRow(lbAutoStart, ckAutoStart, kLabelLeft, row(0), kLabelWidth);
  PlaceEditRow(lbTimerHours, edTimerHours, kLabelLeft, row(1), kLabelWidth, 60);
  top += GroupBox4.Height() + 4;

  // The update mode on the left, the two settings outside the groups beside it.
  GroupBox6.SetBounds(kMargin, top, halfWidth, GroupHeight(2));
  rbInternet.SetBounds(kLabelLeft + 8, row(0) + 2, 160, kCheckHeight);
  rbIntranet.SetBounds(kLabelLeft + 8, row(1) + 2, 160, kCheckHeight);
  constexpr int kOutsideLabelWidth = 128;
  const int outsideLeft = rightHalf + 4;
  PlaceEditRow(lbUpdateFile, edtUpdateFile, outsideLeft, top + row(0), kOutsideLabelWidth,
               pageWidth - kMargin - outsideLeft - kOutsideLabelWidth);
  PlaceCheckRow(lbCreate, ckCreate, outsideLeft, top + row(1), kOutsideLabelWidth);
}

void TForm1::BuildIntranetPage() {
  constexpr int kLabelLeft = 16;
  constexpr int kLabelWidth = 124;
  const int editWidth = tsIntranet.Width() - kLabelLeft - kLabelWidth - 24;
  int top = 20;
  for (auto [label, edit] : {std::pair{&lbNetPath, &edNetPath}, std::pair{&lbUsername, &edUsername},
                             std::pair{&lbPassword, &edPassword}}) {
    PlaceEditRow(*label, *edit, kLabelLeft, top, kLabelWidth, editWidth);
    top += 32;
  }
}

void TForm1::BuildInternetPage() {
  lbServerList.SetBounds(8, 8, 200, kLabelHeight);
  sgServer.SetBounds(8, 26, 501, 381);
  sgServer.SetColCount(3);
  sgServer.SetRowCount(5);
  sgServer.SetFixedRows(1);
  sgServer.SetDefaultRowHeight(20);
  sgServer.SetColWidth(0, 201);
  sgServer.SetColWidth(1, 273);
  sgServer.SetColWidth(2, 64);
  sgServer.SetOptions(ui::GridOptions{.colSizing = true, .editing = true, .rangeSelect = true});
  cbNew.SetBounds(8, 413, kButtonWidth, kButtonHeight);
  cbDel.SetBounds(96, 413, kButtonWidth, kButtonHeight);
}

void TForm1::BuildCustomPage() {
  constexpr int kLabelLeft = 12;
  constexpr int kLabelWidth = 136;
  const int groupWidth = tsCustom.Width() - 12;
  GroupBox7.SetBounds(6, 6, groupWidth, kFirstRowInGroup + 5 * 32 + 4);
  const int editWidth = groupWidth - kLabelLeft - kLabelWidth - 12;
  int top = kFirstRowInGroup + 4;
  for (auto [label, edit] : {std::pair{&lbCaption, &edtCaption}, std::pair{&lbVendor, &edtVendor},
                             std::pair{&lbVendorURL, &edtVendorURL},
                             std::pair{&lbSoftSite, &edtSoftSite},
                             std::pair{&lbSiteURL, &edtSiteURL}}) {
    PlaceEditRow(*label, *edit, kLabelLeft, top, kLabelWidth, editWidth);
    top += 32;
  }
}

void TForm1::BuildButtons() {
  const int top = kInside.top + kPagesHeight + 2 * kGap;
  cbClose.SetBounds(kInside.right - kButtonWidth, top, kButtonWidth, kButtonHeight);
  cbSave.SetBounds(cbClose.Left() - 2 * kGap - kButtonWidth, top, kButtonWidth, kButtonHeight);
  // Directly on the form: that is where the form's Enter key looks for its default button.
  cbSave.SetDefault(true);
}

std::vector<std::pair<ui::WinControl*, const char*>> TForm1::FieldHints() {
  return {
      {&edInstalledDir, "应用程序安装的目录, 默认为升级程序所在目录,文件更新到这里"},
      {&edVersion,
       "应用程序本地已安装的版本, 用来跟服务器版本信息比较进行升级，只比较主、次版本号两个部分，"
       "如：2.55，主版本号为2，次版本号为55；"},
      {&edSaved, "下载文件所保存的临时路径，默认为升级程序所在目录下的updates目录"},
      {&ckRunFile, "允许升级前关闭程序,升级后运行程序"},
      {&edKillFiles, "升级前需要关闭的运行文件, 用分号隔开多个文件, 同参数允许操作一起使用"},
      {&edFileName, "升级完成后运行文件, 可用批处理实现运行多个程序, 同参数允许操作一起使用"},
      {&chkRunSvc, "允许升级前后，对服务进行关闭与启动操作"},
      {&edtRunSvc,
       "升级前后需要关闭或启动的服务名称, 用分号隔开多个服务名称, 同参数允许操作一起使用；"
       "服务名称查看：在服务管理器中，双击打开服务，最上面显示的服务名称就是。"},
      {&ckAutoUpdate, "程序运行后自动进行升级操作,会自动在升级服务器列表中寻找有效的升级服务器"},
      {&edNoRunFile, "没有可用升级时,启动自己的程序文件名称, 可用批处理实现运行多个程序"},
      {&ckAutoStart, "随操作系统启动而自动启动"},
      {&edTimerHours, "定时升级时间间隔,以小时为单位,小于或等于0时不定时升级"},
      {&rbInternet, "升级模式, 默认为互联网升级, 否则为局域网升级"},
      {&rbIntranet, "升级模式, 默认为互联网升级, 否则为局域网升级"},
      {&edtUpdateFile,
       "服务器上的升级信息文件名称，可修改扩展名，避免禁止INI文件下载的站点无法升级的问题，"
       "为空用默认文件：updates.ini"},
      {&ckCreate, "根据更新文件所在的目录自动创建本地目录"},
      {&edNetPath, "用来进行局域网升级的服务器文件路径"},
      {&edUsername, "用来连接局域网升级的用户名称"},
      {&edPassword, "用来连接局域网升级的密码"},
      {&sgServer, kServerGridHint},
      {&edtCaption, "升级程序的窗口标题,可修改为自己程序的相关信息"},
      {&edtVendor, "开发商名称,可修改为自己的相关信息"},
      {&edtVendorURL, "点击打开的开发商网站URL,可修改为自己的相关信息"},
      {&edtSoftSite, "软件产品的网站,可修改为自己的相关信息"},
      {&edtSiteURL, "点击打开的软件产品的网站URL,可修改为自己的相关信息"},
  };
}

void TForm1::BindEvents() {
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  tvMenu.OnChange = [this](int node) { tvMenuChange(node); };
  cbSave.OnClick = [this] { cbSaveClick(); };
  cbClose.OnClick = [this] { cbCloseClick(); };
  cbNew.OnClick = [this] { cbNewClick(); };
  cbDel.OnClick = [this] { cbDelClick(); };
  sgServer.OnKeyDown = [this](WORD key, bool& handled) { sgServerKeyDown(key, handled); };
  for (auto [control, hint] : FieldHints()) {
    if (control == &sgServer) continue;
    control->OnEnter = [this, text = hint] { FieldEnter(text); };
    control->OnExit = [this] { FieldExit(); };
  }
  sgServer.OnEnter = [this] { sgServerEnter(); };
  sgServer.OnExit = [this] { sgServerExit(); };
}

void TForm1::FormCreate() {
  DefaultTips = mmTips.Text();
  ReadConfiguration();
  tvMenu.FullExpand();
}

void TForm1::FieldEnter(const char* hint) { mmTips.SetText(hint); }

void TForm1::FieldExit() { mmTips.SetText(DefaultTips); }

void TForm1::ShowOnlyPage(ui::TabSheet& page) {
  // The page's tab first, so that hiding the others never leaves the page area empty.
  page.SetTabVisible(true);
  for (ui::TabSheet* other : {&tsCommon, &tsIntranet, &tsInternet, &tsCustom}) {
    if (other != &page) other->SetTabVisible(false);
  }
  PageControl1.SetActivePage(&page);
}

void TForm1::tvMenuChange(int node) {
  switch (node) {
    case kCommonNode: ShowOnlyPage(tsCommon); break;
    case kIntranetNode: ShowOnlyPage(tsIntranet); break;
    case kInternetNode: ShowOnlyPage(tsInternet); break;
    case kCustomNode: ShowOnlyPage(tsCustom); break;
    default: break;  // the root and the file node have no page
  }
}

void TForm1::cbSaveClick() {
  DetectFieldEdits();
  WriteConfiguration();
}

void TForm1::cbCloseClick() { Close(); }

void TForm1::FormCloseQuery(bool& canClose) {
  DetectFieldEdits();
  if (!SettingsChanged) return;
  if (Say("相关设置已被更改过,是否要保存?", MB_YESNO | MB_ICONQUESTION) == IDNO) return;
  canClose = WriteConfiguration();
}

int TForm1::Say(const std::string& text, UINT flags) {
  return ui::Application::Instance().MessageBox(Handle(), text, kTitle, flags);
}
