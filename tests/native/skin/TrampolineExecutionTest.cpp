// 64-bit trampolines run on this machine: small functions of the test's own, patched in
// executable memory, answer through the replacement and, called through the trampoline,
// as before.
#include "skin/patching/EntryPatchPlan.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>
#include <vector>

namespace qivyun::skin {
namespace {

#if defined(__x86_64__)

using Function = int (*)(int, int);
Function trampolineOfTheCase = nullptr;

int Replacement(int a, int b) { return 1000 + trampolineOfTheCase(a, b); }

int Sum(int a, int b) { return a + b; }

// Code, data and the engine's memory in one mapping; the trampoline and the relay lie 1 MiB
// past the function, so every relative field has to be rewritten.
class CodeArea {
public:
    static constexpr size_t Size = 2 << 20;
    static constexpr size_t FunctionAt = 0x100;
    static constexpr size_t DataAt = 0x800;
    static constexpr size_t TrampolineAt = 1 << 20;
    static constexpr size_t RelayAt = TrampolineAt + TrampolineSize;

    CodeArea() {
        base_ = static_cast<uint8_t*>(mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        EXPECT_NE(base_, MAP_FAILED);
    }
    ~CodeArea() { munmap(base_, Size); }

    uint8_t* At(size_t offset) const { return base_ + offset; }
    uint64_t Address(size_t offset) const { return reinterpret_cast<uint64_t>(base_ + offset); }
    void Put(size_t offset, const std::vector<uint8_t>& bytes) { std::memcpy(At(offset), bytes.data(), bytes.size()); }
    void PutDisplacement(size_t instructionAt, size_t fieldAt, size_t instructionLength, size_t target) {
        auto displacement = static_cast<int32_t>(static_cast<int64_t>(target) -
                                                 static_cast<int64_t>(instructionAt + instructionLength));
        std::memcpy(At(fieldAt), &displacement, sizeof(displacement));
    }
    void Executable(bool executable) {
        mprotect(base_, Size, executable ? PROT_READ | PROT_EXEC : PROT_READ | PROT_WRITE);
    }

    // Plans the patch of the function, writes trampoline, relay and entry, and returns the
    // original and the trampoline as callables.
    std::pair<Function, Function> Patch() {
        PatchAddresses at{Address(FunctionAt), Address(TrampolineAt), Address(RelayAt)};
        EntryPatchPlan plan = PlanEntryPatch(std::span(At(FunctionAt), 64), at, CodeWidth::x64);
        EXPECT_EQ(plan.refusal, PatchRefusal::none);
        std::memcpy(At(TrampolineAt), plan.trampoline.data(), plan.trampoline.size());
        auto relay = RelayCode(reinterpret_cast<uint64_t>(&Replacement));
        std::memcpy(At(RelayAt), relay.data(), relay.size());
        std::memcpy(At(FunctionAt), plan.entry.data(), plan.coveredLength);
        return {reinterpret_cast<Function>(At(FunctionAt)), reinterpret_cast<Function>(At(TrampolineAt))};
    }

private:
    uint8_t* base_ = nullptr;
};

TEST(TrampolineExecutionTest, PatchedFunctionsAnswerThroughTheReplacementAndTheirTrampolines) {
    struct Case {
        const char* shape;
        std::vector<uint8_t> code;
        void (*prepare)(CodeArea&);
        int a, b, expected;
    } cases[] = {
        // sub rsp,38h; lea eax,[rsi+8]; add eax,edi; add rsp,38h; ret
        {"frame set-up", {0x48, 0x83, 0xec, 0x38, 0x8d, 0x46, 0x08, 0x01, 0xf8, 0x48, 0x83, 0xc4, 0x38, 0xc3},
         nullptr, 3, 4, 15},
        // jmp [rip+d] through a slot holding Sum
        {"import thunk", {0xff, 0x25, 0, 0, 0, 0, 0x90, 0x90},
         [](CodeArea& area) {
             area.PutDisplacement(CodeArea::FunctionAt, CodeArea::FunctionAt + 2, 6, CodeArea::DataAt);
             auto sum = reinterpret_cast<uint64_t>(&Sum);
             std::memcpy(area.At(CodeArea::DataAt), &sum, sizeof(sum));
         },
         20, 22, 42},
        // mov eax,[rip+d]; add eax,edi; ret  (the data holds 100)
        {"rip-relative load", {0x8b, 0x05, 0, 0, 0, 0, 0x01, 0xf8, 0xc3},
         [](CodeArea& area) {
             area.PutDisplacement(CodeArea::FunctionAt, CodeArea::FunctionAt + 2, 6, CodeArea::DataAt);
             int32_t value = 100;
             std::memcpy(area.At(CodeArea::DataAt), &value, sizeof(value));
         },
         5, 0, 105},
        // test edi,edi; je +4; lea eax,[rdi+1]; ret; mov eax,42; ret
        {"short conditional jump, taken", {0x85, 0xff, 0x74, 0x04, 0x8d, 0x47, 0x01, 0xc3, 0xb8, 42, 0, 0, 0, 0xc3},
         nullptr, 0, 0, 42},
        {"short conditional jump, not taken",
         {0x85, 0xff, 0x74, 0x04, 0x8d, 0x47, 0x01, 0xc3, 0xb8, 42, 0, 0, 0, 0xc3}, nullptr, 7, 0, 8},
        // sub rsp,8; call helper; add rsp,8; ret;  helper: lea eax,[rdi+rsi]; ret
        {"relative call", {0x48, 0x83, 0xec, 0x08, 0xe8, 0x05, 0, 0, 0, 0x48, 0x83, 0xc4, 0x08, 0xc3, 0x8d, 0x04, 0x37, 0xc3},
         nullptr, 30, 12, 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        CodeArea area;
        area.Put(CodeArea::FunctionAt, c.code);
        if (c.prepare) c.prepare(area);
        area.Executable(true);
        EXPECT_EQ(reinterpret_cast<Function>(area.At(CodeArea::FunctionAt))(c.a, c.b), c.expected);

        area.Executable(false);
        auto [patched, trampoline] = area.Patch();
        area.Executable(true);
        trampolineOfTheCase = trampoline;
        EXPECT_EQ(patched(c.a, c.b), 1000 + c.expected);
        EXPECT_EQ(trampoline(c.a, c.b), c.expected);
    }
}

#endif

}  // namespace
}  // namespace qivyun::skin
