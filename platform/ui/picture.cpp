#include "platform/ui/picture.h"

#include <stdexcept>
#include <string>

namespace ui {

Picture::Picture(HBITMAP bitmap) : bitmap_(bitmap) {
  BITMAP info{};
  if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

std::shared_ptr<Picture> Picture::FromResource(int id) {
  auto* bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw std::runtime_error("missing picture resource " + std::to_string(id));
  return std::make_shared<Picture>(bitmap);
}

void Picture::Draw(HDC dc, int x, int y) const {
  HDC source = CreateCompatibleDC(dc);
  {
    SelectedObject select(source, bitmap_.Get());
    BitBlt(dc, x, y, width_, height_, source, 0, 0, SRCCOPY);
  }
  DeleteDC(source);
}

void Picture::DrawTransparent(HDC dc, int x, int y, COLORREF key) const {
  HDC source = CreateCompatibleDC(dc);
  {
    SelectedObject select(source, bitmap_.Get());
    TransparentBlt(dc, x, y, width_, height_, source, 0, 0, width_, height_, key);
  }
  DeleteDC(source);
}

}  // namespace ui
