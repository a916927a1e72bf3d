#pragma once
// The version-check subcommands: md5, manifest, publish.
#include "Commands.h"

namespace qivyun::tool {

int RunMd5(const Arguments& arguments);
int RunManifest(const Arguments& arguments);
int RunPublish(const Arguments& arguments);

}  // namespace qivyun::tool
