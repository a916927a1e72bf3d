#include "skin/patching/FunctionPatch.h"

#include <algorithm>
#include <cstring>

namespace qivyun::skin {
namespace {

constexpr CodeWidth ThisWidth = sizeof(void*) == 8 ? CodeWidth::x64 : CodeWidth::x86;
constexpr size_t ReadAhead = MaximumCoveredLength + 16;

uint64_t AddressOf(const void* pointer) { return reinterpret_cast<uint64_t>(pointer); }

// How many bytes from code on belong to the same committed region: decoding never reads past it.
size_t ReadableFrom(const uint8_t* code) {
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(code, &region, sizeof(region)) || region.State != MEM_COMMIT) return 0;
    auto end = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize;
    return std::min<size_t>(ReadAhead, static_cast<size_t>(end - code));
}

}  // namespace

uint8_t* FunctionPatch::JumpTarget() const {
    return ThisWidth == CodeWidth::x64 ? slot_.relay : static_cast<uint8_t*>(replacement_);
}

bool FunctionPatch::Install(void* function, void* replacement, CodeArena& arena) {
    if (Installed() || !function || !replacement) return false;
    auto* code = static_cast<uint8_t*>(function);
    auto slot = arena.Allocate(code);
    if (!slot) return false;
    slot_ = *slot;
    replacement_ = replacement;

    PatchAddresses at{AddressOf(code), AddressOf(slot_.trampoline), AddressOf(JumpTarget())};
    EntryPatchPlan plan = PlanEntryPatch(std::span<const uint8_t>(code, ReadableFrom(code)), at, ThisWidth);
    if (plan.refusal != PatchRefusal::none) return false;

    if (!CodeArena::WriteCode(slot_.trampoline, plan.trampoline.data(), plan.trampoline.size())) return false;
    if (ThisWidth == CodeWidth::x64) {
        auto relay = RelayCode(AddressOf(replacement));
        if (!CodeArena::WriteCode(slot_.relay, relay.data(), relay.size())) return false;
    }
    std::memcpy(original_.data(), code, plan.coveredLength);
    if (!CodeArena::WriteCode(code, plan.entry.data(), plan.coveredLength)) return false;
    function_ = code;
    coveredLength_ = plan.coveredLength;
    return true;
}

bool FunctionPatch::Remove() {
    if (!Installed()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const uint8_t recorded = slot_.trampoline[TrampolineSize - 1];
    if (recorded != coveredLength_ || recorded < MinimumCoveredLength || recorded > MaximumCoveredLength) {
        SetLastError(ERROR_INVALID_BLOCK);
        return false;
    }
    bool reachesReplacement =
        JumpDestination(std::span<const uint8_t>(function_, 5), AddressOf(function_), ThisWidth) ==
            AddressOf(JumpTarget()) &&
        (ThisWidth == CodeWidth::x86 ||
         RelayDestination(std::span<const uint8_t>(slot_.relay, RelaySize)) == AddressOf(replacement_));
    if (!reachesReplacement) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    if (!CodeArena::WriteCode(function_, original_.data(), coveredLength_)) {
        SetLastError(ERROR_INVALID_ACCESS);
        return false;
    }
    function_ = nullptr;
    return true;
}

}  // namespace qivyun::skin
