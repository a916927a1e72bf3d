#pragma once
// The process-wide services the programs start for themselves, started the same way for the tests
// and the benchmarks: OLE, the common controls, GDI+, and the skin engine attached to this thread
// (its windows are skinned once a skin is loaded). Stopped again when the owner goes.
#include <windows.h>

namespace qivyun::test {

class ProgramServices {
public:
    ProgramServices();
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

private:
    ULONG_PTR gdiplusToken_ = 0;
};

}  // namespace qivyun::test
