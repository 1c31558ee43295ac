// The remembered position: saved to "setting.dat" beside the program by the double-click that
// ends the program, restored at start-up.
#include <string>

#include "platform/app/app.h"
#include "platform/files/files.h"
#include "sign/form1.h"
#include "sign/layout.h"
#include "sign/number_reader.h"
#include "sign/rounding.h"
#include "support/my_function_lv01.h"
#include "support/my_function_lv02.h"

namespace sign {
namespace {

using platform::Text;
using platform::TextList;

Text SettingPath() { return MyFunction_Lv01::PathJoin(platform::ProgramFolder(), u"setting.dat"); }

Text DecimalText(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

// A sign with no pixel on any screen could be neither seen nor closed: it has no task-bar entry,
// no keyboard and no menu. A sign partly off the screen is reachable, so it stays.
bool ReachableOnSomeScreen(float left, float top, float width, float height) {
  const std::vector<platform::ScreenArea> screens = platform::Screens();
  if (screens.empty()) return true;  // nothing known about the screens
  for (const platform::ScreenArea& screen : screens) {
    if (left < screen.left + screen.width && left + width > screen.left &&
        top < screen.top + screen.height && top + height > screen.top) {
      return true;
    }
  }
  return false;
}

}  // namespace

void Form1::SavePosition() {
  // An overflow here is a runtime error, raised before the file is touched.
  const auto left = RoundToInt32(Left());
  const auto top = RoundToInt32(Top());
  if (!left || !top)
    throw platform::RuntimeError("Overflow: the window position does not fit 32 bits");

  TextList list(3);
  list[0] = DecimalText(*left);
  list[1] = DecimalText(*top);
  const Text path = SettingPath();
  MyFunction_Lv02::SettingFile(path, list, u"S_Write", u"normal");
}

void Form1::RestorePosition() {
  TextList list;
  const Text path = SettingPath();
  if (MyFunction_Lv01::FileCheck(path, u"OFF") != u"OK") return;
  MyFunction_Lv02::SettingFile(path, list, u"S_Read", u"normal");

  // A file of fewer than two lines, a value out of the 32-bit range, or a place on no screen
  // leaves the sign where it was created.
  if (list.size() < 2) return;
  const auto left = RoundToInt32(ReadNumber(list[0]));
  const auto top = RoundToInt32(ReadNumber(list[1]));
  if (!left || !top) return;
  if (!ReachableOnSomeScreen(static_cast<float>(*left), static_cast<float>(*top), Width(),
                             Height())) {
    return;
  }
  SetLeft(static_cast<float>(*left));
  SetTop(static_cast<float>(*top));
}

}  // namespace sign
