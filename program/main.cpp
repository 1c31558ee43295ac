// The program: the sign on the desktop.
#include <clocale>

#include "platform/fltk/desktop.h"
#include "sign/form1.h"

int main() {
  // The user's regional settings give the date and time formats and the code page of files.
  std::setlocale(LC_ALL, "");
  sign::Form1 form;
  return platform::RunOnDesktop(form);
}
