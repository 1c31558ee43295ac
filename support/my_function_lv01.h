// General routines shared by the sign and the setting file store: paths, a file-exists check,
// and resetting and compacting text lists.
//
// Every argument is passed by reference. Texts are compared exactly and case-sensitively. The
// backslash is the only path separator these routines know; a forward slash is an ordinary
// character. Nothing here keeps state between calls or traps an error.
#pragma once

#include "platform/text/text.h"

namespace MyFunction_Lv01 {

// The folder, one backslash and the name, with every run of backslashes anywhere in the result
// shrunk to one backslash: C:\dir + setting.dat, C:\ + setting.dat and C:\dir + \setting.dat all
// give C:\dir\setting.dat or C:\setting.dat, and \\server\share comes back as \server\share.
// Texts of any length are handled.
platform::Text PathJoin(const platform::Text& folder, const platform::Text& name);

// The folder part of a path: the text before its last backslash (C:\dir\setting.dat gives
// C:\dir, C:\setting.dat gives C:). A path that ends in a backslash already names a folder and
// comes back unchanged. A path without any backslash, the empty text among them, has no folder
// part that could be cut off and also comes back unchanged; joined with a name it then makes a
// path below the text itself, which the OS refuses rather than taking a file from elsewhere.
// Texts of any length are handled.
platform::Text ParentFolder(const platform::Text& path);

// "OK" when the directory listing gives at least one normal file for `path` (whose last
// component may be a pattern with '*' and '?'); folders and hidden files do not count. Else
// "ERROR", after a modal stop box "ファイルが存在しません。" titled "ディスクエラー" when the
// message switch is exactly "ON". Restarts the process's shared listing.
platform::Text FileCheck(const platform::Text& path, const platform::Text& message_switch);

// Makes the list the system's empty list: one entry, empty.
void ListReset(platform::TextList& list);

// Removes the empty entries and keeps the order of the others. A list whose entries are all
// empty keeps its length. Lets the waiting window events run once after each entry of the list
// and once after each entry of the result, so other handlers may run in between; none of them
// may touch this list.
void ListCompact(platform::TextList& list);

}  // namespace MyFunction_Lv01
