#pragma once
// One function redirection planned as bytes, before any memory is touched: the trampoline that
// runs the function's first instructions from elsewhere and jumps back into it, and the jump that
// goes over the function's entry.
#include "skin/patching/InstructionDecoder.h"

#include <array>
#include <cstddef>

namespace qivyun::skin {

constexpr size_t TrampolineSize = 32;
constexpr size_t MinimumCoveredLength = 5;
constexpr size_t MaximumCoveredLength = 26;
// 64-bit code: jmp [rip+0] followed by the destination, so the entry's 5-byte jump reaches
// anything from a relay placed within 2 GiB of the function.
constexpr size_t RelaySize = 14;

enum class PatchRefusal {
    none,
    undecodable,      // an instruction the decoder does not know
    tooShort,         // the function returns or jumps away before 5 bytes are covered
    tooLong,          // more than 26 bytes, covered or once relocated
    unreachable,      // a moved branch or operand, or a jump of the patch, cannot reach its target
    branchIntoEntry,  // a branch to the covered bytes, which the patch overwrites
    loopInstruction,  // loop and jcxz have no near form to relocate to
};

struct PatchAddresses {
    uint64_t function = 0;    // the entry that is patched
    uint64_t trampoline = 0;  // where the trampoline will live
    uint64_t jumpTarget = 0;  // where the entry jumps: the replacement, or its relay in 64-bit code
};

struct EntryPatchPlan {
    PatchRefusal refusal = PatchRefusal::none;
    size_t coveredLength = 0;
    // The moved instructions, the jump back to the rest of the function, 0xCC, and in the last
    // byte the covered length.
    std::array<uint8_t, TrampolineSize> trampoline{};
    // What goes over the first coveredLength bytes of the function: the jump, then 0xCC.
    std::array<uint8_t, MaximumCoveredLength> entry{};
};

// code: the function's first bytes as they are now (at least as many as decoding needs).
EntryPatchPlan PlanEntryPatch(std::span<const uint8_t> code, const PatchAddresses& at, CodeWidth width);

std::array<uint8_t, RelaySize> RelayCode(uint64_t destination);
// Where a relay sends; nothing when the bytes are not a relay.
std::optional<uint64_t> RelayDestination(std::span<const uint8_t> code);
// Where a 5-byte relative jump at address goes; nothing when the bytes are not one.
std::optional<uint64_t> JumpDestination(std::span<const uint8_t> code, uint64_t address, CodeWidth width);

}  // namespace qivyun::skin
