// A picture painted by its parent, unscaled from the control's top-left corner and clipped to
// the control.
#pragma once

#include "platform/ui/control.h"
#include "platform/ui/picture.h"

namespace ui {

class Image : public GraphicControl {
 public:
  explicit Image(WinControl* parent);

  const PicturePtr& GetPicture() const { return picture_; }
  void SetPicture(PicturePtr picture);
  // Takes the picture's size whenever a picture is assigned.
  void SetAutoSize(bool autoSize);

  void Paint(HDC dc) override;

 private:
  PicturePtr picture_;
  bool autoSize_ = false;
};

}  // namespace ui
