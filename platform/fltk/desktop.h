// The desktop view: shows a form in a window on the X11 display and runs the message loop.
#pragma once

#include "platform/forms/form.h"

namespace platform {

// Opens the display, shows `form` through its Form_Load, runs the message loop; returns the
// exit status. Without a display it prints one clear line to stderr and returns 1.
int RunOnDesktop(Form& form);

}  // namespace platform
