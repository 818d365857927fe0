#include "platform/ui/page_control.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace ui {

PageControl::PageControl(WinControl* parent) : WinControl(parent) {
  CreateHandle(nullptr, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, "");
  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                          0, 0, Width(), Height(), Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tabs_) throw std::runtime_error("cannot create the tab control");
  if (HFONT font = Font()) SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void PageControl::SetMultiLine(bool multiLine) {
  LONG_PTR style = GetWindowLongPtrA(tabs_, GWL_STYLE);
  style = multiLine ? (style | TCS_MULTILINE) : (style & ~static_cast<LONG_PTR>(TCS_MULTILINE));
  SetWindowLongPtrA(tabs_, GWL_STYLE, style);
  Resized();
}

void PageControl::AddPage(TabSheet* page) {
  pages_.push_back(page);
  RebuildTabs();
  if (!active_) SetActivePage(page);
}

void PageControl::RemovePage(TabSheet* page) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  if (active_ == page) active_ = nullptr;
  if (tabs_ && IsWindow(tabs_)) RebuildTabs();
}

RECT PageControl::PageArea() const {
  RECT area{0, 0, Width(), Height()};
  if (tabs_) SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void PageControl::Resized() {
  if (!tabs_) return;
  SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, Width(), Height(), SWP_NOACTIVATE);
  const RECT area = PageArea();
  for (TabSheet* page : pages_) {
    page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
  }
}

void PageControl::RebuildTabs() {
  SendMessageA(tabs_, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  int selected = -1;
  for (TabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(page->Caption().c_str());
    item.lParam = reinterpret_cast<LPARAM>(page);
    SendMessageA(tabs_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    if (page == active_) selected = index;
    ++index;
  }
  SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
  Resized();  // a multi-line tab row may have changed height
}

std::vector<std::string> PageControl::TabCaptions() const {
  std::vector<std::string> captions;
  const int count = static_cast<int>(SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs_, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    captions.emplace_back(text);
  }
  return captions;
}

void PageControl::SetActivePage(TabSheet* page) {
  if (page && (!page->TabVisible() || std::find(pages_.begin(), pages_.end(), page) == pages_.end())) {
    return;
  }
  active_ = page;
  for (TabSheet* p : pages_) p->SetVisible(p == active_);
  int index = -1;
  int visibleIndex = 0;
  for (TabSheet* p : pages_) {
    if (!p->TabVisible()) continue;
    if (p == active_) index = visibleIndex;
    ++visibleIndex;
  }
  SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (OnChange) OnChange();
}

void PageControl::TabVisibilityChanged(TabSheet* page) {
  if (!page->TabVisible() && page == active_) {
    // The next page with a visible tab, else the nearest one before it.
    const auto at = std::find(pages_.begin(), pages_.end(), page);
    TabSheet* next = nullptr;
    for (auto it = at + 1; it != pages_.end() && !next; ++it) {
      if ((*it)->TabVisible()) next = *it;
    }
    for (auto it = at; it != pages_.begin() && !next;) {
      --it;
      if ((*it)->TabVisible()) next = *it;
    }
    active_ = nullptr;
    RebuildTabs();
    SetActivePage(next);
    if (!next) page->SetVisible(false);
    return;
  }
  RebuildTabs();
  if (page->TabVisible() && !active_) SetActivePage(page);
}

LRESULT PageControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
      const int index = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
      TCITEMA item{};
      item.mask = TCIF_PARAM;
      if (SendMessageA(tabs_, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
        SetActivePage(reinterpret_cast<TabSheet*>(item.lParam));
      }
      return 0;
    }
  }
  return WinControl::HandleMessage(message, wParam, lParam);
}

TabSheet::TabSheet(PageControl* pageControl, const std::string& caption)
    : WinControl(pageControl), pageControl_(pageControl), caption_(caption) {
  SetVisible(false);
  const RECT area = pageControl->PageArea();
  SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
  CreateHandle(nullptr, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, caption);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pageControl_->AddPage(this);
}

TabSheet::~TabSheet() { pageControl_->RemovePage(this); }

void TabSheet::SetTabVisible(bool visible) {
  if (tabVisible_ == visible) return;
  tabVisible_ = visible;
  pageControl_->TabVisibilityChanged(this);
}

}  // namespace ui
