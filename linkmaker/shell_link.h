// The shell link writer: one Windows shortcut (.lnk) through the Shell's ShellLink object.
#pragma once

#include <string>

// Writes the shortcut `linkFile` (used exactly as given) pointing at `target`, with the
// directory part of `target` as working directory and the icon `iconIndex` of `iconFile`.
// True exactly when the Shell saved the file. COM must be initialised on this thread;
// raises EOleSysError or EIntfCastError when the ShellLink object cannot be had.
bool CreateShellLink(const std::string& target, const std::string& linkFile, const char* iconFile,
                     int iconIndex);
