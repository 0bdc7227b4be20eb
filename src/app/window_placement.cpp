#include "app/window_placement.h"

#include <cstdio>
#include <cstdlib>

#include "settings/options.h"

std::string FormatPlacementRect(const CWindowPlacement& p) {
  char text[128];
  std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d,%d,%d", p.left, p.top, p.right, p.bottom, p.minX, p.minY, p.maxX,
                p.maxY);
  return text;
}

void ParsePlacementRect(const std::string& text, int borderWidth, int borderHeight, CWindowPlacement& placement) {
  int* fields[] = {&placement.left, &placement.top, &placement.right, &placement.bottom,
                   &placement.minX, &placement.minY, &placement.maxX, &placement.maxY};
  if (text.empty()) {
    const int defaults[] = {100, 100, 800, 600, 0, 0, -borderWidth, -borderHeight};
    for (int i = 0; i < 8; ++i) *fields[i] = defaults[i];
    return;
  }
  // Field by field, as the format "%d,%d,..." reads: the first mismatch ends the reading.
  for (int* field : fields) *field = 0;
  const char* at = text.c_str();
  for (int i = 0; i < 8; ++i) {
    if (i > 0) {
      if (*at != ',') return;
      ++at;
    }
    char* end = nullptr;
    const long value = std::strtol(at, &end, 10);
    if (end == at) return;
    *fields[i] = value < -2147483647L ? -2147483647 : value > 2147483647L ? 2147483647 : static_cast<int>(value);
    at = end;
  }
}

CWindowPlacement LoadWindowPlacement(int borderWidth, int borderHeight) {
  CWindowPlacement placement;
  ParsePlacementRect(GetWindowRectOption(), borderWidth, borderHeight, placement);
  placement.showCmd = GetShowCmdOption();
  placement.flags = GetWindowFlagsOption();
  placement.toolBar = GetToolBarOption() != 0;
  placement.statusBar = GetStatusBarOption() != 0;
  return placement;
}

void SaveWindowPlacement(const CWindowPlacement& placement) {
  SetWindowRectOption(FormatPlacementRect(placement));
  SetShowCmdOption(placement.showCmd);
  SetWindowFlagsOption(placement.flags);
  SetToolBarOption(placement.toolBar ? 1 : 0);
  SetStatusBarOption(placement.statusBar ? 1 : 0);
}
