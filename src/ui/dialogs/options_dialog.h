// The Options dialog "設定": the application's own options.
#pragma once

class wxWindow;

// True when the options were changed (OK).
bool RunOptionsDialog(wxWindow* parent);
