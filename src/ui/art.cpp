#include "ui/art.h"

#include <wx/bitmap.h>
#include <wx/icon.h>

#include "ui/art_data.h"

namespace {

const char* SvgOf(ToolIcon icon) {
  switch (icon) {
    case ToolIcon::kNew: return kArtNew;
    case ToolIcon::kOpen: return kArtOpen;
    case ToolIcon::kSave: return kArtSave;
    case ToolIcon::kRss: return kArtRss;
    case ToolIcon::kAtom: return kArtAtom;
    case ToolIcon::kScan: return kArtScan;
    case ToolIcon::kFtp: return kArtFtp;
    case ToolIcon::kSettings: return kArtSettings;
    case ToolIcon::kHelp: return kArtHelp;
  }
  return kArtHelp;
}

}  // namespace

wxBitmapBundle ToolIconBundle(ToolIcon icon, int size) { return wxBitmapBundle::FromSVG(SvgOf(icon), wxSize(size, size)); }

wxBitmapBundle AppIconBundle() { return wxBitmapBundle::FromSVG(kArtVamelRss, wxSize(32, 32)); }

wxIconBundle AppIcons() {
  wxIconBundle icons;
  const wxBitmapBundle bundle = AppIconBundle();
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    wxIcon icon;
    icon.CopyFromBitmap(bundle.GetBitmap(wxSize(size, size)));
    icons.AddIcon(icon);
  }
  return icons;
}
