#pragma once
// The playback subcommand of the qivyun tool.
#include "Commands.h"

namespace qivyun::tool {

int RunPlay(const Arguments& arguments);

}  // namespace qivyun::tool
