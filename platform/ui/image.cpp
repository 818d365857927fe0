#include "platform/ui/image.h"

namespace ui {

Image::Image(WinControl* parent) : GraphicControl(parent) {}

void Image::SetPicture(PicturePtr picture) {
  picture_ = std::move(picture);
  if (autoSize_ && picture_) SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  Invalidate();
}

void Image::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_ && picture_) SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
}

void Image::Paint(HDC dc) {
  if (picture_) picture_->Draw(dc, Left(), Top());
}

}  // namespace ui
