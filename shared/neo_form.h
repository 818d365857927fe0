// The window frame both programs share: no system border; a title bar, edges and system
// buttons drawn from pictures; moving by the caption, resizing by the edges when sizeable;
// sizes kept between 200 x 60 and the desktop's work area.
#pragma once

#include <string>

#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"

class TNeoForm : public ui::Form {
 public:
  // caption: the design's caption; the client size is the whole window (the frame lies inside).
  TNeoForm(const std::string& caption, int clientWidth, int clientHeight, ui::BorderIcons icons);
  ~TNeoForm() override;

  void SetCaptionText(const std::string& text);
  std::string GetCaptionText() const;
  void SetSizeable(bool sizeable);
  void SetHideOnMinimize(bool hide);
  void UpdateEdgeCursors(bool on);
  RECT GetWorkArea() const;

  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Frame pieces, in declaration order (which is also their order back to front).
  ui::Panel TopPanel;
  ui::Image TopLeftImage;
  ui::Image TopCenterImage;
  ui::Panel BottomPanel;
  ui::Image BottomLeftImage;
  ui::Image BottomCenterImage;
  ui::Image BottomRightImage;
  ui::Image LeftImage;
  ui::Image RightImage;
  ui::Image ControlBoxImage;
  ui::Image MinImage;
  ui::Image MaxImage;
  ui::Image CloseImage;
  ui::Label CaptionLabel;
  ui::Image TopImage;
  ui::Image RestoreImage;
  ui::Image GetFTopLeftImage;
  ui::Image GetFTopCenterImage;
  ui::Image GetFTopRightImage;
  ui::Image TopRightImage;

  // State; all clear after construction.
  bool FSizeable = false;
  bool FEdgeDragging = false;
  int FDragStartX = 0;
  int FDragStartY = 0;
  bool FCaptionDragging = false;
  int FCaptionDragX = 0;
  int FCaptionDragY = 0;
  bool FHideOnMinimize = false;

  // Event handlers of the frame.
  void FormCanResize(int& newWidth, int& newHeight, bool& resize);
  void TopPanelResize();
  void BottomPanelResize();
  void CaptionLabelMouseDown(const ui::MouseEvent& event);
  void CaptionLabelMouseMove(const ui::MouseEvent& event);
  void CaptionLabelMouseUp(const ui::MouseEvent& event);
  void CaptionLabelDblClick();
  void MinImageClick();
  void MaxImageClick();
  void RestoreImageClick();
  void CloseImageClick();
  void FormCreate() {}
  void FormShow() {}
  void FormResize() {}

 private:
  // Edge pieces share their mouse handling; the piece decides which sides move.
  void EdgeMouseDown(const ui::MouseEvent& event);
  void EdgeMouseUp(const ui::MouseEvent& event);
  void EdgeMouseMove(const ui::Image& piece);
  void BindEdge(ui::Image& piece);
  void LoadPictures();
  void PlaceTitlePieces();
};
