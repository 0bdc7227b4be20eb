#include "app/list_layout.h"

#include <algorithm>
#include <optional>

#include "settings/options.h"

namespace {

constexpr int kMargin = 10;

// A rectangle of the given size, an empty one where the arithmetic went below zero.
CLayoutRect Rect(int left, int top, int width, int height) {
  return CLayoutRect{left, top, left + std::max(width, 0), top + std::max(height, 0)};
}

std::optional<int>& RunPercent() {
  static std::optional<int> percent;
  return percent;
}

}  // namespace

CListLayout ComputeListLayout(const CLayoutRect& client, int buttonWidth, int buttonHeight, int percent, int minPane) {
  CListLayout layout;
  const int x0 = client.left + kMargin;
  const int y0 = client.top + kMargin;
  const int y1 = client.bottom - kMargin;
  const int xb = client.right - (buttonWidth + kMargin);
  for (int k = 0; k < 6; ++k) layout.buttons[k] = Rect(xb, y0 + k * (buttonHeight + kMargin), buttonWidth, buttonHeight);
  layout.create = Rect(xb, y1 - buttonHeight, buttonWidth, buttonHeight);

  const int width = xb - x0 - kMargin;
  // The shared height, in unsigned arithmetic as the view has always computed it; a window too small for
  // its margins shares nothing rather than a wrapped-around size.
  const int shared = std::max(y1 - y0, 0);
  const unsigned d = static_cast<unsigned>(shared) * static_cast<unsigned>(std::clamp(percent, 0, 100)) / 100u;
  int D = static_cast<int>(d);
  if (minPane > 0) {
    // The preview is "shared - D + 5" high, the list "D - 10".
    D = std::min(D, shared + 5 - minPane);
    D = std::max(D, std::min(minPane + kMargin, shared));
  }
  layout.list = Rect(x0, y0, width, D - kMargin);
  layout.preview = Rect(x0, y0 + D, width, y1 - y0 - D + 5);
  layout.splitter = CLayoutRect{0, y0 + D - kMargin, std::max(width, 0), y0 + D};
  return layout;
}

CLayoutRect MinimumListLayoutSize(int buttonWidth, int buttonHeight, int minListWidth, int minPane) {
  // Six places of the column and the create button, each with its margin, and the margins above and
  // below; the two panes with the margin between them.
  const int column = 7 * buttonHeight + 8 * kMargin;
  const int panes = 2 * minPane + 3 * kMargin;
  return CLayoutRect{0, 0, 3 * kMargin + minListWidth + buttonWidth, std::max(column, panes)};
}

bool SplitterPercent(int y, int clientHeight, int& percent) {
  const unsigned divisor = static_cast<unsigned>(clientHeight - 2 * kMargin);
  if (clientHeight - 2 * kMargin <= 0) return false;
  const unsigned quotient = (static_cast<unsigned>(y) * 100u + 1000u) / divisor;
  if (quotient < 1 || quotient > 99) return false;
  percent = static_cast<int>(quotient);
  return true;
}

int ListHeightPercent() {
  if (!RunPercent()) RunPercent() = GetHeightPercentOption();
  return *RunPercent();
}

void SetListHeightPercent(int percent) { RunPercent() = percent; }
