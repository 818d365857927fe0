#pragma once

#include "platform/ui/win_control.h"

namespace ui {

class ProgressBar : public WinControl {
 public:
  explicit ProgressBar(WinControl* parent);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const;
  void SetRange(int min, int max);
  void SetPosition(int position);

 private:
  int min_ = 0;
  int max_ = 100;
};

}  // namespace ui
