#pragma once
// The state of the window model as one line of JSON, for the driver's "show".
#include <string>
#include <vector>

#include "app/Frm.h"

namespace porukami::cli {

// What happened outside the model since the last "show".
struct Happenings {
  std::vector<std::string> messages;
  std::vector<std::string> mci;
  std::vector<std::string> pages;
};

std::string ShowJson(const Frm& frm, const Happenings& happened);

}  // namespace porukami::cli
