// The messages of _Lnkmake.
#pragma once

#include <string>

// Caption of every message box of _Lnkmake.
extern const char kLinkMakerCaption[];
// The text of the usage box.
extern const char kLinkMakerUsage[];

// The outcome message for the shortcut `shortcutName` (shown as typed, without ".lnk").
std::string OutcomeMessage(const std::string& shortcutName, bool created);
