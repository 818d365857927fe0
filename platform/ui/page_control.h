// Pages with a row of tabs. Each page (TabSheet) has a tab that may be hidden; the tab row
// shows the visible tabs in page order, and exactly the active page is shown. The pages are
// siblings of the system tab control inside our own container rather than children of the tab
// control, because the tab control does not pass its children's notifications on.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/win_control.h"

namespace ui {

class TabSheet;

class PageControl : public WinControl {
 public:
  explicit PageControl(WinControl* parent);

  TabSheet* ActivePage() const { return active_; }
  // Shows the page (its tab must be visible; otherwise nothing changes).
  void SetActivePage(TabSheet* page);
  const std::vector<TabSheet*>& Pages() const { return pages_; }
  // The captions the tab row shows now, read back from the tab control.
  std::vector<std::string> TabCaptions() const;
  void SetMultiLine(bool multiLine);

  Event OnChange;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Resized() override;

 private:
  friend class TabSheet;
  void AddPage(TabSheet* page);
  void RemovePage(TabSheet* page);
  void TabVisibilityChanged(TabSheet* page);
  void RebuildTabs();
  RECT PageArea() const;

  HWND tabs_ = nullptr;
  std::vector<TabSheet*> pages_;
  TabSheet* active_ = nullptr;
};

class TabSheet : public WinControl {
 public:
  TabSheet(PageControl* pageControl, const std::string& caption);
  ~TabSheet() override;

  const std::string& Caption() const { return caption_; }
  bool TabVisible() const { return tabVisible_; }
  // Hiding the active page's tab shows the next page with a visible tab (or the one before);
  // showing a tab while no page is active makes its page the active one.
  void SetTabVisible(bool visible);

 private:
  PageControl* pageControl_;
  std::string caption_;
  bool tabVisible_ = true;
};

}  // namespace ui
