// The process-wide switches.
#include "shell/settings.h"

Settings zorakSettings;
