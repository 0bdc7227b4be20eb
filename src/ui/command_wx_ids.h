// The window ids that the program's commands (app/commands.h) have in wx, which refuses ids of 32767
// and above. The numbers stay the commands' identities; this is the only place that knows both.
#pragma once

#include "app/commands.h"

// The wx id of a command number (a stock id for the framework's own commands); wxID_NONE for a number
// the program does not know.
int WxIdOfCommand(int command);
// The command number of a wx id; 0 for an id that is no command of the program.
int CommandOfWxId(int id);
