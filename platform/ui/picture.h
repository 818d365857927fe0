// A bitmap picture, shared between the controls that show it (assigning a picture to another
// image shares it rather than copying pixels).
#pragma once

#include <windows.h>

#include <memory>

#include "platform/ui/gdi_handles.h"

namespace ui {

class Picture {
 public:
  explicit Picture(HBITMAP bitmap);
  // A bitmap resource of the running program; throws when it is missing.
  static std::shared_ptr<Picture> FromResource(int id);

  HBITMAP Bitmap() const { return bitmap_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Draws unscaled with its top-left corner at (x, y); with a key colour, pixels of that
  // colour are left out.
  void Draw(HDC dc, int x, int y) const;
  void DrawTransparent(HDC dc, int x, int y, COLORREF key) const;

 private:
  ScopedBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

using PicturePtr = std::shared_ptr<Picture>;

}  // namespace ui
