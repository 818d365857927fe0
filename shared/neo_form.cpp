#include "shared/neo_form.h"

#include "platform/ui/application.h"
#include "resources/resource_ids.h"

namespace {

constexpr ui::Color kFrameColor = 13619151;  // RGB(207, 207, 207)
constexpr int kMinWidth = 200;
constexpr int kMinHeight = 60;

}  // namespace

TNeoForm::TNeoForm(const std::string& caption, int clientWidth, int clientHeight,
                   ui::BorderIcons icons)
    : ui::Form(caption, clientWidth, clientHeight, icons),
      TopPanel(this),
      TopLeftImage(&TopPanel),
      TopCenterImage(&TopPanel),
      BottomPanel(this),
      BottomLeftImage(&BottomPanel),
      BottomCenterImage(&BottomPanel),
      BottomRightImage(&BottomPanel),
      LeftImage(this),
      RightImage(this),
      ControlBoxImage(&TopPanel),
      MinImage(&TopPanel),
      MaxImage(&TopPanel),
      CloseImage(&TopPanel),
      CaptionLabel(&TopPanel, ""),
      TopImage(&TopPanel),
      RestoreImage(&TopPanel),
      GetFTopLeftImage(&TopPanel),
      GetFTopCenterImage(&TopPanel),
      GetFTopRightImage(&TopPanel),
      TopRightImage(&TopPanel) {
  LoadPictures();
  TopPanel.SetBounds(0, 0, Width(), 40);
  TopPanel.SetAlign(ui::Align::Top);
  BottomPanel.SetBounds(0, Height() - 12, Width(), 12);
  BottomPanel.SetAlign(ui::Align::Bottom);
  LeftImage.SetBounds(0, 40, 10, Height() - 52);
  LeftImage.SetAlign(ui::Align::Left);
  RightImage.SetAutoSize(true);
  RightImage.SetAlign(ui::Align::Right);

  TopLeftImage.SetBounds(0, 0, 81, 40);
  TopLeftImage.SetAutoSize(true);
  TopCenterImage.SetBounds(81, 0, 1024, 40);
  TopRightImage.SetBounds(TopPanel.Width() - 94, 0, 94, 40);
  TopRightImage.SetAutoSize(true);
  CaptionLabel.SetBounds(82, 11, Width() - 175, 31);
  CaptionLabel.SetAlignment(ui::TextAlign::Center);
  CaptionLabel.SetFontColor(RGB(255, 255, 255));
  ControlBoxImage.SetBounds(4, 5, 37, 21);
  TopImage.SetBounds(0, 0, TopPanel.Width(), 6);
  TopImage.SetAlign(ui::Align::Top);
  MinImage.SetBounds(TopPanel.Width() - 55, 4, 17, 19);
  MaxImage.SetBounds(TopPanel.Width() - 38, 4, 17, 19);
  RestoreImage.SetBounds(TopPanel.Width() - 38, 4, 17, 19);
  RestoreImage.SetVisible(false);
  CloseImage.SetBounds(TopPanel.Width() - 21, 4, 17, 19);
  GetFTopLeftImage.SetBounds(0, 0, 81, 40);
  GetFTopCenterImage.SetBounds(0, 0, 211, 40);
  GetFTopRightImage.SetBounds(0, 0, 94, 40);
  for (ui::Image* holder : {&GetFTopLeftImage, &GetFTopCenterImage, &GetFTopRightImage}) {
    holder->SetVisible(false);
  }

  BottomLeftImage.SetBounds(0, 0, 10, 12);
  BottomCenterImage.SetBounds(8, 0, 1024, 12);
  BottomCenterImage.SetAutoSize(true);
  BottomCenterImage.SetAnchors({true, true, true, false});
  BottomRightImage.SetBounds(BottomPanel.Width() - 12, 0, 12, 12);
  BottomRightImage.SetAlign(ui::Align::Right);

  TopPanel.OnResize = [this] { TopPanelResize(); };
  BottomPanel.OnResize = [this] { BottomPanelResize(); };
  OnCanResize = [this](int& w, int& h, bool& resize) { FormCanResize(w, h, resize); };
  CaptionLabel.OnMouseDown = [this](const ui::MouseEvent& e) { CaptionLabelMouseDown(e); };
  CaptionLabel.OnMouseMove = [this](const ui::MouseEvent& e) { CaptionLabelMouseMove(e); };
  CaptionLabel.OnMouseUp = [this](const ui::MouseEvent& e) { CaptionLabelMouseUp(e); };
  CaptionLabel.OnDblClick = [this] { CaptionLabelDblClick(); };
  for (ui::Image* edge : {&TopImage, &LeftImage, &RightImage, &BottomLeftImage,
                          &BottomCenterImage, &BottomRightImage}) {
    BindEdge(*edge);
  }
  MinImage.OnClick = [this] { MinImageClick(); };
  MaxImage.OnClick = [this] { MaxImageClick(); };
  RestoreImage.OnClick = [this] { RestoreImageClick(); };
  CloseImage.OnClick = [this] { CloseImageClick(); };
  ControlBoxImage.OnDblClick = [this] { CloseImageClick(); };
  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  // The right end of the title bar lies behind the system buttons it carries.
  TopRightImage.SendToBack();
  Realign();
  TopPanelResize();
  BottomPanelResize();

  // Set-up once both designs are in place.
  SetSizeable(false);
  FEdgeDragging = false;
  FCaptionDragging = false;
  FHideOnMinimize = false;
  SetColor(kFrameColor);
  CaptionLabel.SetCaption(Caption());
  MinImage.SetVisible(icons.minimize);
  MaxImage.SetVisible(icons.maximize);
  MinImage.SetHint("\xD7\xEE\xD0\xA1\xBB\xAF");    // 最小化
  MaxImage.SetHint("\xD7\xEE\xB4\xF3\xBB\xAF");    // 最大化
  RestoreImage.SetHint("\xBB\xB9\xD4\xAD");        // 还原
  CloseImage.SetHint("\xB9\xD8\xB1\xD5");          // 关闭
}

TNeoForm::~TNeoForm() = default;

void TNeoForm::LoadPictures() {
  using ui::Picture;
  GetFTopLeftImage.SetPicture(Picture::FromResource(IDB_FRAME_TOP_LEFT));
  GetFTopCenterImage.SetPicture(Picture::FromResource(IDB_FRAME_TOP_CENTER));
  GetFTopRightImage.SetPicture(Picture::FromResource(IDB_FRAME_TOP_RIGHT));
  LeftImage.SetPicture(Picture::FromResource(IDB_FRAME_LEFT));
  RightImage.SetPicture(Picture::FromResource(IDB_FRAME_RIGHT));
  BottomLeftImage.SetPicture(Picture::FromResource(IDB_FRAME_BOTTOM_LEFT));
  BottomCenterImage.SetPicture(Picture::FromResource(IDB_FRAME_BOTTOM_CENTER));
  BottomRightImage.SetPicture(Picture::FromResource(IDB_FRAME_BOTTOM_RIGHT));
  MinImage.SetPicture(Picture::FromResource(IDB_FRAME_MIN));
  MaxImage.SetPicture(Picture::FromResource(IDB_FRAME_MAX));
  RestoreImage.SetPicture(Picture::FromResource(IDB_FRAME_RESTORE));
  CloseImage.SetPicture(Picture::FromResource(IDB_FRAME_CLOSE));
}

void TNeoForm::SetCaptionText(const std::string& text) { CaptionLabel.SetCaption(text); }

std::string TNeoForm::GetCaptionText() const { return CaptionLabel.Caption(); }

void TNeoForm::SetSizeable(bool sizeable) {
  FSizeable = sizeable;
  UpdateEdgeCursors(sizeable);
}

void TNeoForm::SetHideOnMinimize(bool hide) { FHideOnMinimize = hide; }

void TNeoForm::UpdateEdgeCursors(bool on) {
  TopImage.SetCursor(on ? IDC_SIZENS : IDC_ARROW);
  BottomCenterImage.SetCursor(on ? IDC_SIZENS : IDC_ARROW);
  LeftImage.SetCursor(on ? IDC_SIZEWE : IDC_ARROW);
  RightImage.SetCursor(on ? IDC_SIZEWE : IDC_ARROW);
  BottomLeftImage.SetCursor(on ? IDC_SIZENESW : IDC_ARROW);
  BottomRightImage.SetCursor(on ? IDC_SIZENWSE : IDC_ARROW);
}

RECT TNeoForm::GetWorkArea() const {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void TNeoForm::FormCanResize(int& newWidth, int& newHeight, bool& resize) {
  if (newWidth < kMinWidth || newHeight < kMinHeight) {
    resize = false;
    return;
  }
  const RECT work = GetWorkArea();
  if (work.right - work.left < newWidth) newWidth = work.right - work.left;
  if (work.bottom - work.top < newHeight) newHeight = work.bottom - work.top;
}

void TNeoForm::TopPanelResize() {
  CaptionLabel.SetBounds(82, 11, Width() - 175, CaptionLabel.Height());
  CaptionLabel.SendToBack();
  TopRightImage.SetLeft(TopPanel.Width() - TopRightImage.Width());
  TopCenterImage.SendToBack();
  TopCenterImage.SetLeft(TopLeftImage.Left() + TopLeftImage.Width());
  MinImage.SetLeft(TopPanel.Width() - 55);
  MaxImage.SetLeft(TopPanel.Width() - 38);
  RestoreImage.SetLeft(TopPanel.Width() - 38);
  CloseImage.SetLeft(TopPanel.Width() - 21);
  TopPanel.Repaint();
}

void TNeoForm::BottomPanelResize() {
  BottomRightImage.SetLeft(BottomPanel.Width() - BottomRightImage.Width());
  BottomPanel.Repaint();
}

void TNeoForm::CaptionLabelMouseDown(const ui::MouseEvent& event) {
  FCaptionDragging = true;
  FCaptionDragX = CaptionLabel.Left() + event.x;
  FCaptionDragY = CaptionLabel.Top() + event.y;
}

void TNeoForm::CaptionLabelMouseMove(const ui::MouseEvent&) {
  if (!FCaptionDragging || GetWindowState() == ui::WindowState::Maximized) return;
  POINT cursor;
  GetCursorPos(&cursor);
  SetTop(cursor.y - FCaptionDragY);
  SetLeft(cursor.x - FCaptionDragX);
}

void TNeoForm::CaptionLabelMouseUp(const ui::MouseEvent&) { FCaptionDragging = false; }

void TNeoForm::CaptionLabelDblClick() {
  if (!GetBorderIcons().maximize) return;
  SetWindowState(GetWindowState() == ui::WindowState::Maximized ? ui::WindowState::Normal
                                                               : ui::WindowState::Maximized);
}

void TNeoForm::BindEdge(ui::Image& piece) {
  piece.OnMouseDown = [this](const ui::MouseEvent& e) { EdgeMouseDown(e); };
  piece.OnMouseUp = [this](const ui::MouseEvent& e) { EdgeMouseUp(e); };
  piece.OnMouseMove = [this, &piece](const ui::MouseEvent&) { EdgeMouseMove(piece); };
}

void TNeoForm::EdgeMouseDown(const ui::MouseEvent& event) {
  FEdgeDragging = true;
  FDragStartX = event.x;
  FDragStartY = event.y;
}

void TNeoForm::EdgeMouseUp(const ui::MouseEvent&) { FEdgeDragging = false; }

void TNeoForm::EdgeMouseMove(const ui::Image& piece) {
  if (!FSizeable || GetWindowState() == ui::WindowState::Maximized || !FEdgeDragging) return;
  POINT cursor;
  GetCursorPos(&cursor);
  RECT r = BoundsRect();
  if (&piece == &TopImage) {
    r.top = cursor.y - FDragStartY;
  } else if (&piece == &LeftImage) {
    r.left = cursor.x - FDragStartX;
  } else if (&piece == &RightImage) {
    r.right = cursor.x + (RightImage.Width() - FDragStartX);
  } else if (&piece == &BottomCenterImage) {
    r.bottom = cursor.y + (BottomCenterImage.Height() - FDragStartY);
  } else if (&piece == &BottomLeftImage) {
    r.left = cursor.x - FDragStartX;
    r.bottom = cursor.y + (BottomLeftImage.Height() - FDragStartY);
  } else if (&piece == &BottomRightImage) {
    r.right = cursor.x + (BottomRightImage.Width() - FDragStartX);
    r.bottom = cursor.y + (BottomRightImage.Height() - FDragStartY);
  }
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TNeoForm::MinImageClick() {
  ui::Application& app = ui::Application::Instance();
  if (app.MainForm() == this) {
    app.Minimize();
  } else {
    SetWindowState(ui::WindowState::Minimized);
  }
  if (FHideOnMinimize) {
    app.SetShowMainForm(false);
    ShowWindow(app.TaskbarHandle(), SW_HIDE);
  }
}

void TNeoForm::MaxImageClick() { SetWindowState(ui::WindowState::Maximized); }

void TNeoForm::RestoreImageClick() { SetWindowState(ui::WindowState::Normal); }

void TNeoForm::CloseImageClick() { Close(); }

LRESULT TNeoForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = ui::Form::WndProc(message, wParam, lParam);
  if (message == WM_SIZE) {
    if (wParam == SIZE_RESTORED) {
      if (GetBorderIcons().maximize) {
        MaxImage.SetVisible(true);
        RestoreImage.SetVisible(false);
      }
      UpdateEdgeCursors(FSizeable);
    } else if (wParam == SIZE_MAXIMIZED) {
      if (GetBorderIcons().maximize) {
        MaxImage.SetVisible(false);
        RestoreImage.SetVisible(true);
      }
      UpdateEdgeCursors(false);
    }
  } else if (message == WM_ACTIVATE) {
    const WORD state = LOWORD(wParam);
    if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
      TopLeftImage.SetPicture(GetFTopLeftImage.GetPicture());
      TopCenterImage.SetPicture(GetFTopCenterImage.GetPicture());
      TopRightImage.SetPicture(GetFTopRightImage.GetPicture());
      TopPanel.Repaint();
    }
  }
  return result;
}
