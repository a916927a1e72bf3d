#include "skin/patching/EntryPatchPlan.h"

#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint64_t Function32 = 0x77d41230;
constexpr uint64_t Trampoline32 = 0x00412000;
constexpr uint64_t Replacement32 = 0x00401500;
constexpr uint64_t Function64 = 0x2169d0000;
constexpr uint64_t Trampoline64 = 0x2169c0040;  // within 2 GiB below the function
constexpr uint64_t Relay64 = 0x2169c0000;

PatchAddresses At(CodeWidth width) {
    return width == CodeWidth::x86 ? PatchAddresses{Function32, Trampoline32, Replacement32}
                                   : PatchAddresses{Function64, Trampoline64, Relay64};
}

// Bytes enough to decode past the covered ones, as a function's entry always has.
Bytes Padded(Bytes code) {
    code.resize(code.size() + 32, 0x90);
    return code;
}

TEST(EntryPatchPlanTest, RecordedEntrySequencesAreCoveredAndMovedWhole) {
    struct Case {
        const char* shape;
        CodeWidth width;
        Bytes code;
        size_t covered;
    } cases[] = {
        // This Wine, 32-bit.
        {"stack realignment", CodeWidth::x86, {0x8d, 0x4c, 0x24, 0x04, 0x83, 0xe4, 0xf0, 0xff, 0x71, 0xfc}, 7},
        {"hot-patch prologue before pop ebp", CodeWidth::x86, {0x8b, 0xff, 0x55, 0x8b, 0xec, 0x5d, 0xff, 0x25}, 5},
        // This Wine, 64-bit.
        {"register saves", CodeWidth::x64, {0x41, 0x57, 0x41, 0x56, 0x41, 0x55, 0x41, 0x54, 0x55, 0x57}, 6},
        {"frame set-up", CodeWidth::x64, {0x48, 0x83, 0xec, 0x38, 0x8d, 0x42, 0x08, 0x83, 0xf8, 0x04}, 7},
        {"8-byte no-op", CodeWidth::x64, {0x48, 0x8d, 0xa4, 0x24, 0x00, 0x00, 0x00, 0x00, 0x57, 0x56}, 8},
        {"pointer-sized window long", CodeWidth::x64, {0x57, 0x56, 0x53, 0x48, 0x83, 0xec, 0x20, 0x41, 0xb8}, 7},
        // Windows' own shapes.
        {"mov edi,edi hot-patch pad", CodeWidth::x86, {0x8b, 0xff, 0x55, 0x8b, 0xec, 0x83, 0xec, 0x10}, 5},
        {"frame with locals", CodeWidth::x86, {0x55, 0x8b, 0xec, 0x83, 0xec, 0x10}, 6},
        {"structured exception frame", CodeWidth::x86, {0x6a, 0x10, 0x68, 0x78, 0x56, 0x34, 0x12, 0xe8}, 7},
        {"register spill", CodeWidth::x64, {0x48, 0x89, 0x5c, 0x24, 0x08, 0x57, 0x48, 0x83, 0xec, 0x20}, 5},
        {"stack pointer copy", CodeWidth::x64, {0x4c, 0x8b, 0xdc, 0x49, 0x89, 0x5b, 0x08, 0x57}, 7},
        {"push with REX", CodeWidth::x64, {0x40, 0x53, 0x48, 0x83, 0xec, 0x20}, 6},
        {"immediate to memory", CodeWidth::x64, {0x48, 0xc7, 0x44, 0x24, 0x10, 0xfe, 0xff, 0xff, 0xff}, 9},
        {"mov r64, imm64", CodeWidth::x64, {0x48, 0xb8, 1, 2, 3, 4, 5, 6, 7, 8, 0xff, 0xe0}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        PatchAddresses at = At(c.width);
        Bytes code = Padded(c.code);
        EntryPatchPlan plan = PlanEntryPatch(code, at, c.width);
        ASSERT_EQ(plan.refusal, PatchRefusal::none);
        ASSERT_EQ(plan.coveredLength, c.covered);
        EXPECT_EQ(Bytes(plan.trampoline.begin(), plan.trampoline.begin() + c.covered),
                  Bytes(code.begin(), code.begin() + c.covered));
        EXPECT_EQ(JumpDestination(std::span(plan.trampoline).subspan(c.covered), at.trampoline + c.covered, c.width),
                  at.function + c.covered);
        for (size_t i = c.covered + 5; i + 1 < TrampolineSize; ++i) EXPECT_EQ(plan.trampoline[i], 0xcc);
        EXPECT_EQ(plan.trampoline.back(), c.covered);
        EXPECT_EQ(JumpDestination(plan.entry, at.function, c.width), at.jumpTarget);
        for (size_t i = 5; i < c.covered; ++i) EXPECT_EQ(plan.entry[i], 0xcc);
    }
}

// The moved copy of a relative instruction points where the original did; nothing follows a
// copy that leaves the function.
TEST(EntryPatchPlanTest, MovedBranchesAndRipRelativeOperandsReachTheOldTarget) {
    struct Case {
        const char* shape;
        CodeWidth width;
        Bytes code;
        size_t covered;
        size_t relativeAt;    // offset of the relative instruction in the entry
        size_t movedLength;   // its length in the trampoline
        bool jumpsBack;
    } cases[] = {
        {"import thunk, 32-bit: absolute, copied as is", CodeWidth::x86,
         {0xff, 0x25, 0x10, 0x20, 0xd6, 0x77, 0x90, 0x90}, 6, 0, 6, false},
        {"import thunk, 64-bit", CodeWidth::x64, {0xff, 0x25, 0xfa, 0x22, 0x03, 0x00, 0x90, 0x90}, 6, 0, 6, false},
        {"call rel32", CodeWidth::x86, {0x55, 0x8b, 0xec, 0xe8, 0x10, 0x00, 0x00, 0x00}, 8, 3, 5, true},
        {"call rel32, 64-bit", CodeWidth::x64, {0x53, 0xe8, 0x00, 0xf0, 0xff, 0xff}, 6, 1, 5, true},
        {"jmp rel32 of an earlier patch", CodeWidth::x86, {0xe9, 0x00, 0x10, 0x00, 0x00}, 5, 0, 5, false},
        {"short jmp grows", CodeWidth::x86, {0x55, 0x89, 0xe5, 0xeb, 0x20}, 5, 3, 5, false},
        {"short jcc grows", CodeWidth::x86, {0x85, 0xc9, 0x74, 0x10, 0x56}, 5, 2, 6, true},
        {"short jcc grows, 64-bit", CodeWidth::x64, {0x48, 0x85, 0xc9, 0x7f, 0x80}, 5, 3, 6, true},
        {"near jcc", CodeWidth::x86, {0x85, 0xc9, 0x0f, 0x84, 0x00, 0x01, 0x00, 0x00}, 8, 2, 6, true},
        {"rip-relative load", CodeWidth::x64, {0x48, 0x8b, 0x05, 0x10, 0x32, 0x04, 0x00}, 7, 0, 7, true},
        {"rip-relative store with an immediate after the displacement", CodeWidth::x64,
         {0xc7, 0x05, 0xf0, 0xff, 0xff, 0xff, 0x01, 0x00, 0x00, 0x00}, 10, 0, 10, true},
        {"rip-relative indirect call", CodeWidth::x64, {0x53, 0xff, 0x15, 0x00, 0x00, 0x10, 0x00}, 7, 1, 6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        PatchAddresses at = At(c.width);
        Bytes code = Padded(c.code);
        EntryPatchPlan plan = PlanEntryPatch(code, at, c.width);
        ASSERT_EQ(plan.refusal, PatchRefusal::none);
        ASSERT_EQ(plan.coveredLength, c.covered);
        const size_t relativeAt = c.relativeAt;
        const size_t movedLength = c.movedLength;
        auto original = DecodeInstruction(std::span(code).subspan(relativeAt), c.width);
        auto moved = DecodeInstruction(std::span(plan.trampoline).subspan(relativeAt), c.width);
        ASSERT_TRUE(original && moved);
        EXPECT_EQ(moved->length, movedLength);
        EXPECT_EQ(moved->flow, original->flow == InstructionFlow::conditionalJump ? InstructionFlow::conditionalJump
                                                                                  : original->flow);
        uint64_t oldTarget = original->RelativeTarget(std::span(code).subspan(relativeAt), at.function + relativeAt);
        uint64_t newTarget = moved->RelativeTarget(std::span(plan.trampoline).subspan(relativeAt),
                                                   at.trampoline + relativeAt);
        if (c.width == CodeWidth::x86) {
            newTarget &= 0xffffffffu;
            oldTarget &= 0xffffffffu;
        }
        if (original->relativeSize != 0) {
            EXPECT_EQ(newTarget, oldTarget);
        }
        size_t end = c.covered - original->length + movedLength;
        auto back = JumpDestination(std::span(plan.trampoline).subspan(end), at.trampoline + end, c.width);
        if (c.jumpsBack) {
            EXPECT_EQ(back, at.function + c.covered);
        } else {
            EXPECT_EQ(plan.trampoline[end], 0xcc);
        }
    }
}

TEST(EntryPatchPlanTest, EntriesThatCannotBeMovedAreRefused) {
    constexpr uint64_t FarAway = Function64 + 0x90000000;  // 2.25 GiB above
    struct Case {
        const char* shape;
        CodeWidth width;
        Bytes code;
        PatchRefusal refusal;
        PatchAddresses at;
    } cases[] = {
        {"return at once", CodeWidth::x86, {0xc3}, PatchRefusal::tooShort, At(CodeWidth::x86)},
        {"return inside the first 5 bytes", CodeWidth::x86, {0x8b, 0xff, 0xc3}, PatchRefusal::tooShort,
         At(CodeWidth::x86)},
        {"return inside the first 5 bytes, 64-bit", CodeWidth::x64, {0x48, 0x31, 0xc0, 0xc3},
         PatchRefusal::tooShort, At(CodeWidth::x64)},
        {"short jump away", CodeWidth::x86, {0x55, 0xeb, 0x10}, PatchRefusal::tooShort, At(CodeWidth::x86)},
        {"indirect jump through a register", CodeWidth::x64, {0x55, 0xff, 0xe0}, PatchRefusal::tooShort,
         At(CodeWidth::x64)},
        {"over 26 bytes once the short branches grow", CodeWidth::x64,
         {0x74, 0x40, 0x75, 0x40, 0x66, 0x66, 0x2e, 0x48, 0xc7, 0x84, 0x24, 1, 2, 3, 4, 5, 6, 7, 8},
         PatchRefusal::tooLong, At(CodeWidth::x64)},
        {"VEX instruction", CodeWidth::x64, {0xc5, 0xf8, 0x77, 0x90, 0x90}, PatchRefusal::undecodable,
         At(CodeWidth::x64)},
        {"truncated", CodeWidth::x86, {0x55, 0x8b}, PatchRefusal::undecodable, At(CodeWidth::x86)},
        {"loop", CodeWidth::x86, {0x55, 0xe2, 0x10, 0x90, 0x90}, PatchRefusal::loopInstruction, At(CodeWidth::x86)},
        {"branch back into the covered bytes", CodeWidth::x86, {0x55, 0x74, 0xfd, 0x90, 0x90},
         PatchRefusal::branchIntoEntry, At(CodeWidth::x86)},
        {"rip-relative operand out of the trampoline's reach", CodeWidth::x64,
         {0x48, 0x8b, 0x05, 0, 0, 0, 0}, PatchRefusal::unreachable, {Function64, FarAway, Relay64}},
        {"relay out of the entry's reach", CodeWidth::x64, {0x48, 0x83, 0xec, 0x38, 0x8d, 0x42, 0x08},
         PatchRefusal::unreachable, {Function64, Trampoline64, FarAway}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        Bytes code = c.code;
        if (c.refusal != PatchRefusal::undecodable) code = Padded(code);
        EntryPatchPlan plan = PlanEntryPatch(code, c.at, c.width);
        EXPECT_EQ(plan.refusal, c.refusal);
        EXPECT_EQ(plan.coveredLength, 0u);
    }
}

// More than 2 GiB apart, yet reachable: 32-bit code wraps around the address space.
TEST(EntryPatchPlanTest, ThirtyTwoBitBranchesReachAcrossTheWholeAddressSpace) {
    Bytes code = Padded({0xe8, 0xfb, 0xff, 0xff, 0x7f});  // call 0x90000000
    PatchAddresses at{0x10000000, 0x00400000, 0xa0000000};
    EntryPatchPlan plan = PlanEntryPatch(code, at, CodeWidth::x86);
    ASSERT_EQ(plan.refusal, PatchRefusal::none);
    auto moved = DecodeInstruction(plan.trampoline, CodeWidth::x86);
    EXPECT_EQ(moved->RelativeTarget(plan.trampoline, at.trampoline) & 0xffffffffu, 0x90000000u);
    EXPECT_EQ(JumpDestination(plan.entry, at.function, CodeWidth::x86), 0xa0000000u);
}

TEST(EntryPatchPlanTest, RelayCarriesItsDestination) {
    auto relay = RelayCode(0x140001234);
    EXPECT_EQ(Bytes(relay.begin(), relay.begin() + 6), (Bytes{0xff, 0x25, 0, 0, 0, 0}));
    EXPECT_EQ(RelayDestination(relay), 0x140001234u);
    relay[2] = 1;
    EXPECT_EQ(RelayDestination(relay), std::nullopt);
}

}  // namespace
}  // namespace qivyun::skin
