#pragma once
// Executable memory for trampolines and relays. 64-bit code reaches only 2 GiB with a relative
// jump, so there each slot lies within reach of the function it serves.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace qivyun::skin {

class CodeArena {
public:
    struct Slot {
        uint8_t* trampoline;  // TrampolineSize bytes
        uint8_t* relay;       // RelaySize bytes, used in 64-bit code only
    };

    CodeArena() = default;
    CodeArena(const CodeArena&) = delete;
    CodeArena& operator=(const CodeArena&) = delete;

    // A slot near function (anywhere in 32-bit code); nothing when no memory in reach is free.
    // Slots are never given back: a trampoline may still be running when its patch is removed.
    std::optional<Slot> Allocate(const void* function);

    // Writes code over executable memory: made writable for the copy, its protection restored,
    // the instruction cache flushed. False when the memory cannot be made writable.
    static bool WriteCode(void* at, const void* bytes, size_t size);

private:
    struct Block {
        uint8_t* base;
        size_t used;
    };
    static uint8_t* ReserveNear(const void* function);

    std::vector<Block> blocks_;
};

}  // namespace qivyun::skin
