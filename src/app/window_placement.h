// The main window's placement as "Window size" keeps it: the rectangle text "Rect", the show state, the
// flags and whether the toolbar and the status bar are shown.
#pragma once

#include <string>

// The show states the program stores ("showCmd"), as the placement of the original program wrote them.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

struct CWindowPlacement {
  int left = 100, top = 100, right = 800, bottom = 600;  // the normal (restored) position
  int minX = 0, minY = 0;                                  // where the window goes when minimised
  int maxX = 0, maxY = 0;                                  // where it goes when maximised
  int showCmd = kShowNormal;
  int flags = 0;
  bool toolBar = true;
  bool statusBar = true;
};

// "%d,%d,%d,%d,%d,%d,%d,%d": left, top, right, bottom, minimised x, y, maximised x, y.
std::string FormatPlacementRect(const CWindowPlacement& placement);

// Reads "Rect" into `placement`. An empty text gives the normal position 100, 100, 800, 600, the
// minimised position 0, 0 and the maximised position minus one window border each way; a malformed text
// is read up to its first mismatch and the fields after it become 0.
void ParsePlacementRect(const std::string& text, int borderWidth, int borderHeight, CWindowPlacement& placement);

// The whole placement from the settings store ("Rect", "showCmd", "flags", "ToolBar", "StatusBar"), and
// back.
CWindowPlacement LoadWindowPlacement(int borderWidth, int borderHeight);
void SaveWindowPlacement(const CWindowPlacement& placement);
