#pragma once
// Each outside party of the test world adds its routes here.
#include "TestWorld.h"

namespace qivyun::devserver {

void AddVendorSite(TestWorld& world);
void AddSearchSites(TestWorld& world);
void AddPlaySites(TestWorld& world);
// False, with the reason on stderr, when its signing key cannot be loaded.
bool AddUpdateServer(TestWorld& world);
void AddDownloadModes(TestWorld& world);

}  // namespace qivyun::devserver
