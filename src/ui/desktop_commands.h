// The desktop app's handler of each command of the command table (app/commands.h). A handler gathers
// what the command needs (the current row, a dialog of the app's own over the operations' values),
// calls the operation and shows the result; every command has exactly one.
#pragma once

class CMainFrame;

// Runs `command` on the main window; false when the desktop app has no handler for it.
bool RunDesktopCommand(CMainFrame& frame, int command);
