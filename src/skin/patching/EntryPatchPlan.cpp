#include "skin/patching/EntryPatchPlan.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace qivyun::skin {
namespace {

constexpr uint8_t JumpNear = 0xe9;
constexpr uint8_t JumpShort = 0xeb;
constexpr uint8_t Breakpoint = 0xcc;

// The 32-bit displacement from the end of an instruction to target. 32-bit code wraps around
// the address space, so every target is reachable; 64-bit code reaches 2 GiB either way.
std::optional<int32_t> Displacement(uint64_t nextInstruction, uint64_t target, CodeWidth width) {
    if (width == CodeWidth::x86) {
        return static_cast<int32_t>(static_cast<uint32_t>(target) - static_cast<uint32_t>(nextInstruction));
    }
    auto distance = static_cast<int64_t>(target - nextInstruction);
    if (distance < std::numeric_limits<int32_t>::min() || distance > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(distance);
}

void PutInt32(uint8_t* at, int32_t value) { std::memcpy(at, &value, sizeof(value)); }

struct Output {
    std::array<uint8_t, TrampolineSize + 16> bytes{};
    size_t size = 0;

    void Append(std::span<const uint8_t> piece) {
        std::memcpy(bytes.data() + size, piece.data(), piece.size());
        size += piece.size();
    }
};

// The moved copy of one instruction at newAddress, its relative field pointing where the
// original's does; short branches grow into their near forms.
PatchRefusal Relocate(std::span<const uint8_t> original, const Instruction& instruction, uint64_t oldAddress,
                      uint64_t newAddress, const PatchAddresses& at, size_t coveredLength, CodeWidth width,
                      Output& out) {
    if (instruction.relativeSize == 0) {
        out.Append(original);
        return PatchRefusal::none;
    }
    if (instruction.flow == InstructionFlow::loopJump) return PatchRefusal::loopInstruction;
    uint64_t target = instruction.RelativeTarget(original, oldAddress);
    if (target >= at.function && target < at.function + coveredLength) return PatchRefusal::branchIntoEntry;

    std::array<uint8_t, 24> moved{};  // up to 14 prefixes, then a near branch
    size_t length = 0;
    size_t field = 0;
    if (instruction.relativeSize == 1) {
        size_t prefixes = instruction.relativeOffset - 1u;
        std::memcpy(moved.data(), original.data(), prefixes);
        length = prefixes;
        uint8_t opcode = original[prefixes];
        if (opcode == JumpShort) {
            moved[length++] = JumpNear;
        } else {
            moved[length++] = 0x0f;
            moved[length++] = static_cast<uint8_t>(0x80 | (opcode & 0x0f));
        }
        field = length;
        length += 4;
        // Prefixes that pile up before a short branch must not push its near form past what a
        // processor accepts.
        if (length > 15) return PatchRefusal::tooLong;
    } else {
        std::memcpy(moved.data(), original.data(), original.size());
        length = original.size();
        field = instruction.relativeOffset;
    }
    auto displacement = Displacement(newAddress + length, target, width);
    if (!displacement) return PatchRefusal::unreachable;
    PutInt32(moved.data() + field, *displacement);
    out.Append(std::span(moved.data(), length));
    return PatchRefusal::none;
}

EntryPatchPlan Refused(PatchRefusal refusal) {
    EntryPatchPlan plan;
    plan.refusal = refusal;
    return plan;
}

std::optional<std::array<uint8_t, 5>> RelativeJump(uint64_t from, uint64_t to, CodeWidth width) {
    auto displacement = Displacement(from + 5, to, width);
    if (!displacement) return std::nullopt;
    std::array<uint8_t, 5> jump{JumpNear};
    PutInt32(jump.data() + 1, *displacement);
    return jump;
}

}  // namespace

EntryPatchPlan PlanEntryPatch(std::span<const uint8_t> code, const PatchAddresses& at, CodeWidth width) {
    struct Covered {
        size_t offset;
        Instruction instruction;
    };
    std::array<Covered, MaximumCoveredLength> covered{};
    size_t count = 0;
    size_t coveredLength = 0;
    bool flowEnds = false;
    while (coveredLength < MinimumCoveredLength && !flowEnds) {
        auto instruction = DecodeInstruction(code.subspan(std::min(coveredLength, code.size())), width);
        if (!instruction) return Refused(PatchRefusal::undecodable);
        covered[count++] = {coveredLength, *instruction};
        coveredLength += instruction->length;
        flowEnds = instruction->EndsFlow();
    }
    if (coveredLength < MinimumCoveredLength) return Refused(PatchRefusal::tooShort);
    if (coveredLength > MaximumCoveredLength) return Refused(PatchRefusal::tooLong);

    Output out;
    for (size_t i = 0; i < count; ++i) {
        const auto& [offset, instruction] = covered[i];
        auto refusal = Relocate(code.subspan(offset, instruction.length), instruction, at.function + offset,
                                at.trampoline + out.size, at, coveredLength, width, out);
        if (refusal != PatchRefusal::none) return Refused(refusal);
        if (out.size > MaximumCoveredLength) return Refused(PatchRefusal::tooLong);
    }
    // Nothing after a return or a jump away needs the rest of the function.
    if (!flowEnds) {
        auto back = RelativeJump(at.trampoline + out.size, at.function + coveredLength, width);
        if (!back) return Refused(PatchRefusal::unreachable);
        out.Append(*back);
    }
    auto entryJump = RelativeJump(at.function, at.jumpTarget, width);
    if (!entryJump) return Refused(PatchRefusal::unreachable);

    EntryPatchPlan plan;
    plan.coveredLength = coveredLength;
    plan.trampoline.fill(Breakpoint);
    std::memcpy(plan.trampoline.data(), out.bytes.data(), out.size);
    plan.trampoline.back() = static_cast<uint8_t>(coveredLength);
    plan.entry.fill(Breakpoint);
    std::memcpy(plan.entry.data(), entryJump->data(), entryJump->size());
    return plan;
}

std::array<uint8_t, RelaySize> RelayCode(uint64_t destination) {
    std::array<uint8_t, RelaySize> relay{0xff, 0x25, 0, 0, 0, 0};
    std::memcpy(relay.data() + 6, &destination, sizeof(destination));
    return relay;
}

std::optional<uint64_t> RelayDestination(std::span<const uint8_t> code) {
    static constexpr uint8_t head[] = {0xff, 0x25, 0, 0, 0, 0};
    if (code.size() < RelaySize || std::memcmp(code.data(), head, sizeof(head)) != 0) return std::nullopt;
    uint64_t destination;
    std::memcpy(&destination, code.data() + 6, sizeof(destination));
    return destination;
}

std::optional<uint64_t> JumpDestination(std::span<const uint8_t> code, uint64_t address, CodeWidth width) {
    if (code.size() < 5 || code[0] != JumpNear) return std::nullopt;
    int32_t displacement;
    std::memcpy(&displacement, code.data() + 1, sizeof(displacement));
    uint64_t destination = address + 5 + static_cast<uint64_t>(static_cast<int64_t>(displacement));
    return width == CodeWidth::x86 ? destination & 0xffffffffu : destination;
}

}  // namespace qivyun::skin
