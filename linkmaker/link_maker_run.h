// The program body of _Lnkmake.
#pragma once

// Reads the command line (target, shortcut name, optional "/m"), writes the shortcut and
// reports; without arguments shows the usage box.
void RunLinkMaker();
