#include "skin/patching/CodeArena.h"

#include "skin/patching/EntryPatchPlan.h"

#include <cstring>

namespace qivyun::skin {
namespace {

constexpr size_t BlockSize = 64 * 1024;  // the allocation granularity
constexpr size_t SlotSize = TrampolineSize + 16;
// Slots this close to a function leave room for whatever its first instructions point at.
constexpr uint64_t ReuseDistance = 1ull << 30;
constexpr uint64_t SearchDistance = (2ull << 30) - 2 * BlockSize;

uint64_t Distance(const void* a, const void* b) {
    auto x = reinterpret_cast<uint64_t>(a), y = reinterpret_cast<uint64_t>(b);
    return x > y ? x - y : y - x;
}

}  // namespace

std::optional<CodeArena::Slot> CodeArena::Allocate(const void* function) {
    Block* block = nullptr;
    for (Block& candidate : blocks_) {
        bool nearEnough = sizeof(void*) == 4 || Distance(candidate.base, function) < ReuseDistance;
        if (nearEnough && candidate.used + SlotSize <= BlockSize) {
            block = &candidate;
            break;
        }
    }
    if (!block) {
        uint8_t* base = ReserveNear(function);
        if (!base) return std::nullopt;
        block = &blocks_.emplace_back(Block{base, 0});
    }
    uint8_t* at = block->base + block->used;
    block->used += SlotSize;
    return Slot{at, at + TrampolineSize};
}

uint8_t* CodeArena::ReserveNear(const void* function) {
    auto allocate = [](uint64_t address) {
        return static_cast<uint8_t*>(VirtualAlloc(reinterpret_cast<void*>(address), BlockSize,
                                                  MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READ));
    };
    if (sizeof(void*) == 4) return allocate(0);

    // Step outwards from the function's module, below it first, a block at a time.
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(function, &region, sizeof(region))) return nullptr;
    const auto module = reinterpret_cast<uint64_t>(region.AllocationBase) & ~uint64_t{BlockSize - 1};
    const auto at = reinterpret_cast<uint64_t>(function);
    for (uint64_t step = BlockSize; step < SearchDistance; step += BlockSize) {
        if (module > step && at - (module - step) < SearchDistance) {
            if (uint8_t* block = allocate(module - step)) return block;
        }
        if (uint8_t* block = allocate(at - at % BlockSize + step)) return block;
    }
    return nullptr;
}

bool CodeArena::WriteCode(void* at, const void* bytes, size_t size) {
    DWORD protection = 0;
    if (!VirtualProtect(at, size, PAGE_EXECUTE_READWRITE, &protection)) return false;
    std::memcpy(at, bytes, size);
    VirtualProtect(at, size, protection, &protection);
    FlushInstructionCache(GetCurrentProcess(), at, size);
    return true;
}

}  // namespace qivyun::skin
