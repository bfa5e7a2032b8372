#include "cleaner/cleaner_run.h"

const char kCleanerUsage[] =
    "Command line usage: \r\n"
    "/t - do not delete temporary directory.\r\n"
    "/? - This dialog.\r\n"
    "\r\n"
    "Name of configuration file must be : _Del.inf";
