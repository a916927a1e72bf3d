#pragma once
// The playback command of the qivyun tool.
#include "Commands.h"

namespace qivyun::tool {

void AddPlayCommand(CommandTable& table);

}  // namespace qivyun::tool
