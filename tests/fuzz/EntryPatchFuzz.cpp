// Fuzz target: the redirection planner over any entry bytes.
//   byte 0      bit 0: 64-bit code; bits 1-7: how far the trampoline lies from the function
//   the rest    the function's first bytes
// An accepted plan covers 5 to 26 bytes, and its trampoline, read instruction by instruction
// beside the original, sends every branch and RIP-relative operand where the original does.
#include "skin/patching/EntryPatchPlan.h"

#include <cstdint>
#include <vector>

using namespace qivyun::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const CodeWidth width = (data[0] & 1) ? CodeWidth::x64 : CodeWidth::x86;
    // The code in a buffer of exactly its size, so that any read past its end is caught.
    const std::vector<uint8_t> code(data + 1, data + size);
    const uint64_t function = width == CodeWidth::x64 ? 0x2169d0000 : 0x77d41230;
    const uint64_t distance = static_cast<uint64_t>(data[0] >> 1) << 24;  // up to 2 GiB
    const PatchAddresses at{function, function - distance, function + 0x1000};

    const EntryPatchPlan plan = PlanEntryPatch(code, at, width);
    if (plan.refusal != PatchRefusal::none) return 0;
    if (plan.coveredLength < MinimumCoveredLength || plan.coveredLength > MaximumCoveredLength) __builtin_trap();
    if (plan.trampoline.back() != plan.coveredLength) __builtin_trap();
    if (JumpDestination(plan.entry, at.function, width) != at.jumpTarget) __builtin_trap();

    const uint64_t mask = width == CodeWidth::x86 ? 0xffffffffu : ~uint64_t{0};
    size_t from = 0, to = 0;
    while (from < plan.coveredLength) {
        auto original = DecodeInstruction(std::span(code).subspan(from), width);
        auto moved = DecodeInstruction(std::span(plan.trampoline).subspan(to, TrampolineSize - 1 - to), width);
        if (!original || !moved) __builtin_trap();
        if ((original->relativeSize != 0) != (moved->relativeSize != 0)) __builtin_trap();
        if (original->relativeSize != 0 &&
            (original->RelativeTarget(std::span(code).subspan(from), at.function + from) & mask) !=
                (moved->RelativeTarget(std::span(plan.trampoline).subspan(to), at.trampoline + to) & mask)) {
            __builtin_trap();
        }
        from += original->length;
        to += moved->length;
    }
    if (from != plan.coveredLength) __builtin_trap();
    return 0;
}
