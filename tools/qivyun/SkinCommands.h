#pragma once
// The skin commands: pack a description, describe a blob, draw one part into a PNG, list the parts.
#include "Commands.h"

namespace qivyun::tool {

void AddSkinCommands(CommandTable& table);

}  // namespace qivyun::tool
