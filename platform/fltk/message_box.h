// The modal message box: an icon by style, the text, and one OK button. Its text is drawn with
// per-character fallback faces, so Japanese messages show in a face that has their characters.
#pragma once

#include "platform/fltk/display_scale.h"
#include "platform/fltk/font_faces.h"
#include "platform/fltk/text_painter.h"
#include "platform/text/text.h"

namespace platform::desktop {

// Shows the box and returns when the user closes it, with the answer kMsgBoxOk. Other events
// (timer ticks, repaints) keep being dispatched while it is open; input to other windows is
// held back. Style 16 shows the stop icon, 32 a question mark, 48 an exclamation mark and 64
// an information mark; the box always has the one OK button.
int RunMessageBox(const Text& prompt, int style, const Text& title, const DisplayScale& scale,
                  FontFaces& faces, TextPainter& painter);

}  // namespace platform::desktop
