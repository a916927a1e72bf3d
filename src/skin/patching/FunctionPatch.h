#pragma once
// The redirection of one function: a jump over its entry to a replacement, and a trampoline that
// still runs the function as it was.
#include "skin/patching/CodeArena.h"
#include "skin/patching/EntryPatchPlan.h"

#include <array>

namespace qivyun::skin {

class FunctionPatch {
public:
    FunctionPatch() = default;
    FunctionPatch(const FunctionPatch&) = delete;
    FunctionPatch& operator=(const FunctionPatch&) = delete;

    // From now on every call of function goes to replacement. False, with nothing changed, when
    // the entry cannot be patched.
    bool Install(void* function, void* replacement, CodeArena& arena);

    // Copies the original bytes back. When the entry no longer holds this patch the code is left
    // alone and the reason goes to SetLastError: ERROR_INVALID_HANDLE (not installed),
    // ERROR_INVALID_BLOCK (the trampoline's record is damaged), ERROR_INVALID_DATA (the entry jumps
    // elsewhere), ERROR_INVALID_ACCESS (the entry cannot be made writable).
    bool Remove();

    bool Installed() const { return function_ != nullptr; }
    // The function as it was before the patch: run this to reach the system's code.
    void* Trampoline() const { return slot_.trampoline; }
    size_t CoveredLength() const { return coveredLength_; }

private:
    uint8_t* JumpTarget() const;

    uint8_t* function_ = nullptr;
    void* replacement_ = nullptr;
    CodeArena::Slot slot_{};
    size_t coveredLength_ = 0;
    std::array<uint8_t, MaximumCoveredLength> original_{};
};

}  // namespace qivyun::skin
