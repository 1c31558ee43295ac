// The line-file store: moves a text list to and from line files.
//
// A line file is plain text in the user's code page, one entry per line, each line ended by
// CR LF when written. On reading, a line ends at CR LF or at a lone CR (a lone LF is part of
// the line), the last line needs no line end, and a line end at the very end of the file adds
// no empty entry.
#pragma once

#include "platform/text/text.h"

namespace MyFunction_Lv02 {

// Moves `list` to or from line files; all arguments by reference, only the list changes.
//
// Whatever the mode, the first file that the listing gives for `path` loses its attributes
// (it becomes writable by its owner) before anything else happens.
//
// mode "S_Read": the list is replaced by the lines of every file that matches `path` (whose
//   last component may be a pattern), files in listing order, lines in file order. No matching
//   file, an empty file, or a file holding only CR LF all give the one empty entry. The list may
//   come in any state. The store yields (platform::DoEvents) once before each line it reads.
// mode "S_Write": empty entries are dropped from the list in place (see ListCompact, which
//   keeps a list of only empty entries at its length), then `path` itself is created or emptied
//   and each entry written as a line ended by CR LF. The store creates no folder. It yields once
//   before each entry it writes, on top of the yields of ListCompact. The list must hold at
//   least one entry.
// Any other mode, in other letter case too: nothing more happens; the list is not touched and
//   no file is opened or created.
//
// `encoding`: the system always passes "normal", entries and lines go unchanged; there is no
// other encoding, so any value behaves the same.
//
// Paths are expected to hold a backslash before their last component, as every path made by
// MyFunction_Lv01::PathJoin does: the store rebuilds the path of each listed file from the
// folder that ParentFolder gives and the listed name.
//
// A call that starts during a yield of another call (a double-click handled while the position
// is being read or written) runs nested at once, to its end, on another file number; the
// interrupted call goes on afterwards if the program has not ended. A read takes the names of
// all matching files before it opens the first one, and each file's content when it opens it,
// so a nested call changes nothing for it: should a nested write rewrite the very file that the
// interrupted read is reading, the file then holds exactly what the nested write wrote, and the
// read goes on with the lines of the file as it was when the read opened it. A nested write into
// a file that an interrupted write holds open leaves the nested write's lines in the file when
// it returns; the interrupted write, if it were to go on, would write its remaining lines from
// its own position (in the system the program ends before that can happen).
//
// Errors are not trapped: a file that cannot be listed, opened, read or written raises
// platform::RuntimeError naming the file and the reason. A write that stops this way leaves the
// lines written so far, and the file number is free again.
void SettingFile(const platform::Text& path, platform::TextList& list, const platform::Text& mode,
                 const platform::Text& encoding);

}  // namespace MyFunction_Lv02
