// vamelrss: the desktop feed editor.
#include "ui/vamel_app.h"

wxIMPLEMENT_APP(CVamelRssApp);
