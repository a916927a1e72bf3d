#pragma once
// Lengths and control flow of single x86 and x86-64 instructions: enough to move the first
// instructions of a system function into a trampoline.
#include <cstdint>
#include <optional>
#include <span>

namespace qivyun::skin {

enum class CodeWidth { x86, x64 };

enum class InstructionFlow {
    next,             // falls through to the following instruction
    call,             // relative call (e8)
    jump,             // relative unconditional jump (e9, eb)
    conditionalJump,  // 7x, 0f 8x
    loopJump,         // e0-e3: conditional short jumps without a near form
    indirectJump,     // ff /4, ff /5, far jumps
    ret,              // c2, c3, ca, cb, cf
};

struct Instruction {
    uint8_t length = 0;
    InstructionFlow flow = InstructionFlow::next;
    // The branch displacement (1 or 4 bytes), or in 64-bit code the displacement of a
    // RIP-relative memory operand; both count from the end of the instruction.
    uint8_t relativeOffset = 0;
    uint8_t relativeSize = 0;
    bool ripRelative = false;

    bool EndsFlow() const {
        return flow == InstructionFlow::jump || flow == InstructionFlow::indirectJump || flow == InstructionFlow::ret;
    }
    // Where the branch or the RIP-relative operand points when the instruction sits at address.
    uint64_t RelativeTarget(std::span<const uint8_t> code, uint64_t address) const;
};

// Decodes the instruction at the start of code; nothing for invalid, unsupported (VEX, 3DNow!,
// 16-bit addressing, operand-size prefixed branches) or truncated input.
std::optional<Instruction> DecodeInstruction(std::span<const uint8_t> code, CodeWidth width);

}  // namespace qivyun::skin
