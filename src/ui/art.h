// The program's pictures, drawn from SVG at any size: the toolbar's buttons and the application icon.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

enum class ToolIcon { kNew, kOpen, kSave, kRss, kAtom, kScan, kFtp, kSettings, kHelp };

// A toolbar picture whose default size is `size` pixels square.
wxBitmapBundle ToolIconBundle(ToolIcon icon, int size);
// The application icon at its usual sizes.
wxBitmapBundle AppIconBundle();
wxIconBundle AppIcons();
