// Digests from the platform's hash provider, and files opened so that other readers may share them.
#include "versioncheck/Digest.h"

#include "common/CodePage.h"
#include "framework/Handles.h"

#include <bcrypt.h>

#include <algorithm>

namespace qivyun {

struct DigestContext::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    std::size_t size = 0;
    bool failed = false;
    ~State() {
        if (hash) BCryptDestroyHash(hash);  // the provider wipes the hash object
        if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};

DigestContext::DigestContext() = default;
DigestContext::~DigestContext() = default;

void DigestInit(DigestContext& context, DigestAlgorithm algorithm) {
    context.state = std::make_unique<DigestContext::State>();
    DigestContext::State& state = *context.state;
    state.size = DigestSize(algorithm);
    const wchar_t* name = algorithm == DigestAlgorithm::Md5 ? BCRYPT_MD5_ALGORITHM : BCRYPT_SHA256_ALGORITHM;
    state.failed = !BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&state.algorithm, name, nullptr, 0)) ||
                   !BCRYPT_SUCCESS(BCryptCreateHash(state.algorithm, &state.hash, nullptr, 0, nullptr, 0, 0));
}

void DigestUpdate(DigestContext& context, const void* data, std::size_t size) {
    if (!context.state || context.state->failed) return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        if (!BCRYPT_SUCCESS(BCryptHashData(context.state->hash, const_cast<PUCHAR>(bytes), piece, 0))) {
            context.state->failed = true;
            return;
        }
        bytes += piece;
        size -= piece;
    }
}

bool DigestFinal(DigestContext& context, unsigned char* digest, std::size_t size) {
    std::fill(digest, digest + size, 0);
    bool ok = context.state && !context.state->failed && size == context.state->size &&
              BCRYPT_SUCCESS(BCryptFinishHash(context.state->hash, digest, static_cast<ULONG>(size), 0));
    if (!ok) std::fill(digest, digest + size, 0);
    context.state.reset();
    return ok;
}

std::string ComputeFileDigest(const std::string& path, DigestAlgorithm algorithm) {
    // Read sharing only: a file that someone is writing is not digested half-written.
    UniqueHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    return DigestTextOfReads(algorithm, [&file](char* buffer, std::size_t size) -> long {
        DWORD delivered = 0;
        if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(size), &delivered, nullptr)) return -1;
        return static_cast<long>(delivered);
    });
}

}  // namespace qivyun
