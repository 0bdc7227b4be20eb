// Sizing a dialog to its contents.
#pragma once

class wxDialog;

// Sizes the dialog to fit its contents and keeps that as its smallest size. Under a window manager wx
// learns how tall the title bar and how wide the borders are only when the first window of a kind is
// shown, and counts them as nothing until then, so the first such dialog would open too small by
// their size and cut off its last row of controls; once the real sizes arrive, the dialog grows to
// its contents again.
void FitDialog(wxDialog* dialog);
