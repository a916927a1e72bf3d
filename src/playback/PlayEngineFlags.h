#pragma once
// Which cloud-play service plays an address. Exactly one is 1 once the main window has started.
namespace qivyun {

struct PlayEngineFlags {
    int useMtkan = 0;
    int useKcplay = 0;
};

// Process-wide, as the play handlers and the main window share it.
inline PlayEngineFlags playEngines;

}  // namespace qivyun
