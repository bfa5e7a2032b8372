#include "linkmaker/link_texts.h"

const char kLinkMakerCaption[] = "_Lnkmake.exe";

const char kLinkMakerUsage[] =
    "Command line usage : \r\n"
    "_Lnkmake.exe [<File Name>] [<Shortcut Name>] [/Option]\r\n"
    "Example: _Lnkmake.exe C:\\Windows\\notepad.exe C:\\Windows\\Desktop\\Notepad /m \r\n"
    "Option:  /m - Message\r\n"
    "\r\n"
    "NOTE !!! For support long names you must type like here \"File Name\"";

std::string OutcomeMessage(const std::string& shortcutName, bool created) {
  return "Shortcut " + shortcutName + (created ? " now was created." : " Creation Failed.");
}
