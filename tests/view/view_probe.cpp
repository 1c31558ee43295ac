// A small form for the view tests, in the sign's window and picture:
//  - one label of kanji and one of characters that no face has, both in the sign's font, so
//    that a test can tell drawn kanji from the boxes of missing glyphs;
//  - a 100 ms timer that writes "tick" to stderr, to show that ticks go on while a message box
//    is open;
//  - a double-click that raises a runtime error with a Japanese message;
//  - a "ctype <name>" line on stderr at load, the LC_CTYPE locale that the form runs under.
#include <clocale>
#include <cstdio>

#include "assets/sign_assets.h"
#include "platform/app/app.h"
#include "platform/fltk/desktop.h"
#include "platform/forms/form.h"

namespace {

class ProbeForm : public platform::Form {
 public:
  ProbeForm() {
    SetCaption(u"Probe");
    SetLeft(6495);
    SetTop(3975);
    SetSize(4260, 4260);
    SetPicture(assets::SignPicture());
    SetIcon(assets::SignIcon());
    AddLabel(kanji_);
    AddLabel(missing_);
    AddTimer(ticker_);
  }

  void Form_Load() override {
    Show();
    std::fprintf(stderr, "ctype %s\n", std::setlocale(LC_CTYPE, nullptr));
  }

  void Form_DblClick() override {
    throw platform::RuntimeError("ファイル \"/probe/setting.dat\" を開けません: Permission denied");
  }

 private:
  platform::Label kanji_{840, 1560, 3255, 615, {u"Impact", 24}, u"日年月日"};
  platform::Label missing_{
      840, 2280, 3255, 615, {u"Impact", 24}, u"\U0010FFFD\U0010FFFD\U0010FFFD\U0010FFFD"};
  platform::Timer ticker_{100, true, [] { std::fputs("tick\n", stderr); }};
};

}  // namespace

int main() {
  std::setlocale(LC_ALL, "");
  ProbeForm form;
  return platform::RunOnDesktop(form);
}
