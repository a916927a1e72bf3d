#pragma once
// The version-check and update subcommands: md5, manifest, publish, keygen, verify, download.
#include "Commands.h"

namespace qivyun::tool {

int RunMd5(const Arguments& arguments);
int RunManifest(const Arguments& arguments);
int RunPublish(const Arguments& arguments);
int RunKeygen(const Arguments& arguments);
int RunVerify(const Arguments& arguments);
int RunDownload(const Arguments& arguments);

}  // namespace qivyun::tool
