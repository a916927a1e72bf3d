// MD5 from the platform's hash provider, and files opened so that other readers may share them.
#include "versioncheck/Md5.h"

#include "framework/Handles.h"

#include <bcrypt.h>

namespace qivyun {

struct Md5Context::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool failed = false;
    ~State() {
        if (hash) BCryptDestroyHash(hash);  // the provider wipes the hash object
        if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};

Md5Context::Md5Context() = default;
Md5Context::~Md5Context() = default;

void Md5Init(Md5Context& context) {
    context.state = std::make_unique<Md5Context::State>();
    Md5Context::State& state = *context.state;
    state.failed = !BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&state.algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0)) ||
                   !BCRYPT_SUCCESS(BCryptCreateHash(state.algorithm, &state.hash, nullptr, 0, nullptr, 0, 0));
}

void Md5Update(Md5Context& context, const void* data, std::size_t size) {
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

bool Md5Final(Md5Context& context, Md5Digest& digest) {
    digest.fill(0);
    bool ok = context.state && !context.state->failed &&
              BCRYPT_SUCCESS(BCryptFinishHash(context.state->hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    if (!ok) digest.fill(0);
    context.state.reset();
    return ok;
}

std::string ComputeFileMd5(const std::string& path) {
    // Read sharing only: a file that someone is writing is not digested half-written.
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    return Md5TextOfReads([&file](char* buffer, std::size_t size) -> long {
        DWORD delivered = 0;
        if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(size), &delivered, nullptr)) return -1;
        return static_cast<long>(delivered);
    });
}

}  // namespace qivyun
