#include "skin/patching/InstructionDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qivyun::skin {
namespace {

// What follows an opcode byte.
enum Operand : uint16_t {
    none = 0,
    modRm = 1 << 0,
    imm8 = 1 << 1,
    immZ = 1 << 2,       // 4 bytes, 2 with the operand-size prefix
    immV = 1 << 3,       // like immZ, 8 bytes with REX.W (mov r64, imm64)
    imm16 = 1 << 4,
    moffs = 1 << 5,      // an address of the address size (mov al/eax, [moffs])
    farPointer = 1 << 6, // ptr16:32
    rel8 = 1 << 7,
    relZ = 1 << 8,
    group3 = 1 << 9,     // f6/f7: test carries an immediate, the other members do not
    invalid64 = 1 << 10,
    invalid = 1 << 11,
};

using OpcodeTable = std::array<uint16_t, 256>;

constexpr void Fill(OpcodeTable& table, int first, int last, uint16_t operands) {
    for (int opcode = first; opcode <= last; ++opcode) table[static_cast<size_t>(opcode)] = operands;
}

constexpr OpcodeTable MakeOneByteTable() {
    OpcodeTable t{};
    // The eight arithmetic rows: r/m forms, then al/eax with an immediate.
    for (int row = 0x00; row <= 0x38; row += 8) {
        Fill(t, row, row + 3, modRm);
        t[row + 4] = imm8;
        t[row + 5] = immZ;
    }
    for (int opcode : {0x06, 0x07, 0x0e, 0x16, 0x17, 0x1e, 0x1f, 0x27, 0x2f, 0x37, 0x3f}) t[opcode] = invalid64;
    t[0x0f] = invalid;  // the two-byte escape is handled apart
    Fill(t, 0x60, 0x61, invalid64);
    t[0x62] = modRm | invalid64;  // bound; EVEX in 64-bit code
    t[0x63] = modRm;
    t[0x68] = immZ;
    t[0x69] = modRm | immZ;
    t[0x6a] = imm8;
    t[0x6b] = modRm | imm8;
    Fill(t, 0x70, 0x7f, rel8);
    t[0x80] = modRm | imm8;
    t[0x81] = modRm | immZ;
    t[0x82] = modRm | imm8 | invalid64;
    t[0x83] = modRm | imm8;
    Fill(t, 0x84, 0x8f, modRm);
    t[0x9a] = farPointer | invalid64;
    Fill(t, 0xa0, 0xa3, moffs);
    t[0xa8] = imm8;
    t[0xa9] = immZ;
    Fill(t, 0xb0, 0xb7, imm8);
    Fill(t, 0xb8, 0xbf, immV);
    t[0xc0] = modRm | imm8;
    t[0xc1] = modRm | imm8;
    t[0xc2] = imm16;
    t[0xc4] = invalid;  // VEX, and les/lds only in 32-bit code with a memory operand: refused
    t[0xc5] = invalid;
    t[0xc6] = modRm | imm8;
    t[0xc7] = modRm | immZ;
    t[0xc8] = imm16 | imm8;
    t[0xca] = imm16;
    t[0xcd] = imm8;
    t[0xce] = invalid64;
    Fill(t, 0xd0, 0xd3, modRm);
    t[0xd4] = imm8 | invalid64;
    t[0xd5] = imm8 | invalid64;
    t[0xd6] = invalid;
    Fill(t, 0xd8, 0xdf, modRm);
    Fill(t, 0xe0, 0xe3, rel8);
    Fill(t, 0xe4, 0xe7, imm8);
    t[0xe8] = relZ;
    t[0xe9] = relZ;
    t[0xea] = farPointer | invalid64;
    t[0xeb] = rel8;
    t[0xf6] = modRm | group3;
    t[0xf7] = modRm | group3;
    t[0xfe] = modRm;
    t[0xff] = modRm;
    return t;
}

constexpr OpcodeTable MakeTwoByteTable() {
    OpcodeTable t{};
    Fill(t, 0x00, 0xff, modRm);
    Fill(t, 0x04, 0x0c, none);  // syscall, clts, sysret, invd, wbinvd, ud2 ...
    for (int opcode : {0x04, 0x0a, 0x0c}) t[opcode] = invalid;
    t[0x0d] = modRm;
    t[0x0e] = none;
    t[0x0f] = invalid;  // 3DNow!
    Fill(t, 0x24, 0x27, invalid);
    Fill(t, 0x30, 0x37, none);
    t[0x39] = invalid;
    Fill(t, 0x3b, 0x3f, invalid);
    Fill(t, 0x70, 0x73, modRm | imm8);
    t[0x77] = none;
    t[0x7a] = invalid;
    t[0x7b] = invalid;
    Fill(t, 0x80, 0x8f, relZ);
    Fill(t, 0xa0, 0xa2, none);
    t[0xa4] = modRm | imm8;
    t[0xa6] = invalid;
    t[0xa7] = invalid;
    Fill(t, 0xa8, 0xaa, none);
    t[0xac] = modRm | imm8;
    t[0xba] = modRm | imm8;
    Fill(t, 0xc2, 0xc2, modRm | imm8);
    Fill(t, 0xc4, 0xc6, modRm | imm8);
    Fill(t, 0xc8, 0xcf, none);
    return t;
}

constexpr OpcodeTable oneByte = MakeOneByteTable();
constexpr OpcodeTable twoByte = MakeTwoByteTable();

constexpr size_t MaximumInstructionLength = 15;

bool IsLegacyPrefix(uint8_t byte) {
    switch (byte) {
    case 0x26: case 0x2e: case 0x36: case 0x3e: case 0x64: case 0x65:
    case 0x66: case 0x67: case 0xf0: case 0xf2: case 0xf3:
        return true;
    default:
        return false;
    }
}

}  // namespace

uint64_t Instruction::RelativeTarget(std::span<const uint8_t> code, uint64_t address) const {
    int64_t displacement = 0;
    if (relativeSize == 1) {
        displacement = static_cast<int8_t>(code[relativeOffset]);
    } else if (relativeSize == 4) {
        int32_t value;
        std::memcpy(&value, code.data() + relativeOffset, sizeof(value));
        displacement = value;
    }
    return address + length + static_cast<uint64_t>(displacement);
}

std::optional<Instruction> DecodeInstruction(std::span<const uint8_t> code, CodeWidth width) {
    const bool x64 = width == CodeWidth::x64;
    const size_t available = std::min(code.size(), MaximumInstructionLength);
    size_t at = 0;
    bool operandSize16 = false;
    bool addressSizeOverride = false;
    uint8_t rex = 0;

    // Legacy prefixes in any order; a REX prefix counts only right before the opcode.
    while (at < available) {
        uint8_t byte = code[at];
        if (IsLegacyPrefix(byte)) {
            operandSize16 |= byte == 0x66;
            addressSizeOverride |= byte == 0x67;
            rex = 0;
        } else if (x64 && (byte & 0xf0) == 0x40) {
            rex = byte;
        } else {
            break;
        }
        ++at;
    }
    if (at >= available) return std::nullopt;
    // 16-bit addressing is not worth decoding in an entry sequence.
    if (addressSizeOverride && !x64) return std::nullopt;

    Instruction instruction;
    uint8_t opcode = code[at++];
    uint16_t operands;
    if (opcode == 0x0f) {
        if (at >= available) return std::nullopt;
        uint8_t second = code[at++];
        if (second == 0x38 || second == 0x3a) {
            if (at >= available) return std::nullopt;
            ++at;  // the third opcode byte
            operands = second == 0x3a ? modRm | imm8 : modRm;
        } else {
            operands = twoByte[second];
            if ((second & 0xf0) == 0x80) instruction.flow = InstructionFlow::conditionalJump;
        }
    } else {
        operands = oneByte[opcode];
        if ((opcode & 0xf0) == 0x70) instruction.flow = InstructionFlow::conditionalJump;
        if (opcode >= 0xe0 && opcode <= 0xe3) instruction.flow = InstructionFlow::loopJump;
        if (opcode == 0xe8) instruction.flow = InstructionFlow::call;
        if (opcode == 0xe9 || opcode == 0xeb) instruction.flow = InstructionFlow::jump;
        if (opcode == 0xea) instruction.flow = InstructionFlow::indirectJump;
        if (opcode == 0xc2 || opcode == 0xc3 || opcode == 0xca || opcode == 0xcb || opcode == 0xcf) {
            instruction.flow = InstructionFlow::ret;
        }
    }
    if (operands & invalid) return std::nullopt;
    if (x64 && (operands & invalid64)) return std::nullopt;
    // Operand-size prefixed branches change the width of the displacement and of the target.
    if (operandSize16 && (operands & (rel8 | relZ))) return std::nullopt;

    // REX.W makes the operand 64 bits wide; the immediate stays 32 bits and 0x66 has no say.
    const size_t immediateZ = operandSize16 && !(rex & 0x08) ? 2 : 4;
    size_t immediate = 0;
    if (operands & modRm) {
        if (at >= available) return std::nullopt;
        uint8_t modrm = code[at++];
        uint8_t mod = modrm >> 6;
        uint8_t reg = (modrm >> 3) & 7;
        uint8_t rm = modrm & 7;
        if (opcode == 0xff && (reg == 4 || reg == 5)) instruction.flow = InstructionFlow::indirectJump;
        // xbegin (c7 f8) carries a branch displacement where its table entry says immediate.
        if (opcode == 0xc7 && modrm == 0xf8) return std::nullopt;
        if ((operands & group3) && reg < 2) immediate += opcode == 0xf6 ? 1 : immediateZ;
        if (mod != 3) {
            size_t displacement = mod == 1 ? 1 : mod == 2 ? 4 : 0;
            if (rm == 4) {
                if (at >= available) return std::nullopt;
                uint8_t sib = code[at++];
                if (mod == 0 && (sib & 7) == 5) displacement = 4;
            } else if (mod == 0 && rm == 5) {
                displacement = 4;
                if (x64) {
                    instruction.ripRelative = true;
                    instruction.relativeOffset = static_cast<uint8_t>(at);
                    instruction.relativeSize = 4;
                }
            }
            at += displacement;
        }
    }
    if (operands & imm8) immediate += 1;
    if (operands & imm16) immediate += 2;
    if (operands & immZ) immediate += immediateZ;
    if (operands & immV) immediate += (rex & 0x08) ? 8 : immediateZ;
    if (operands & farPointer) immediate += operandSize16 ? 4 : 6;
    if (operands & moffs) immediate += x64 ? (addressSizeOverride ? 4 : 8) : 4;
    if (operands & (rel8 | relZ)) {
        instruction.relativeOffset = static_cast<uint8_t>(at);
        instruction.relativeSize = (operands & rel8) ? 1 : 4;
        immediate += instruction.relativeSize;
    }
    at += immediate;
    if (at > available) return std::nullopt;
    instruction.length = static_cast<uint8_t>(at);
    return instruction;
}

}  // namespace qivyun::skin
