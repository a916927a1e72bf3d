#pragma once
// Each outside party of the test world adds its routes here.
#include "TestWorld.h"

namespace qivyun::devserver {

void AddVendorSite(TestWorld& world);
void AddSearchSites(TestWorld& world);
void AddPlaySites(TestWorld& world);
void AddUpdateServer(TestWorld& world);
void AddDownloadModes(TestWorld& world);

}  // namespace qivyun::devserver
