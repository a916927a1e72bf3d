#pragma once
// The version-check and update commands: md5, manifest, publish, keygen, verify, download.
#include "Commands.h"

namespace qivyun::tool {

void AddMd5Command(CommandTable& table);
void AddManifestCommand(CommandTable& table);
void AddPublishCommand(CommandTable& table);
void AddKeygenCommand(CommandTable& table);
void AddVerifyCommand(CommandTable& table);
void AddDownloadCommand(CommandTable& table);

}  // namespace qivyun::tool
