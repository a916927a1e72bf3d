#include "GdiObjects.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

namespace qivyun::test {
namespace {

// One entry of the handle table, the same in both widths; a type of 0 marks a free entry.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t TableEntries = 0x10000;

// The table's address in the process environment block (GdiSharedHandleTable).
const GdiHandleEntry* HandleTable() {
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return nullptr;
    const auto* peb = reinterpret_cast<const uint8_t*>(basic.PebBaseAddress);
    constexpr size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + offset);
}

}  // namespace

int GdiObjectCount() {
    const GdiHandleEntry* table = HandleTable();
    if (!table) return -1;
    int count = 0;
    for (size_t i = 0; i < TableEntries; ++i) {
        if (table[i].type != 0) ++count;
    }
    return count;
}

}  // namespace qivyun::test
