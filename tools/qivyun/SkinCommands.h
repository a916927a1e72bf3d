#pragma once
// The skin subcommands: pack a description, describe a blob, draw one part into a PNG.
#include "Commands.h"

namespace qivyun::tool {

int RunSkin(const Arguments& arguments);

}  // namespace qivyun::tool
