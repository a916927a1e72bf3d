// Digests from libcrypto, and files read through POSIX.
#include "versioncheck/Digest.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qivyun {

struct DigestContext::State {
    EVP_MD_CTX* digest = nullptr;
    std::size_t size = 0;
    bool failed = false;
    ~State() { EVP_MD_CTX_free(digest); }  // frees and wipes
};

DigestContext::DigestContext() = default;
DigestContext::~DigestContext() = default;

void DigestInit(DigestContext& context, DigestAlgorithm algorithm) {
    context.state = std::make_unique<DigestContext::State>();
    DigestContext::State& state = *context.state;
    state.size = DigestSize(algorithm);
    state.digest = EVP_MD_CTX_new();
    const EVP_MD* type = algorithm == DigestAlgorithm::Md5 ? EVP_md5() : EVP_sha256();
    state.failed = state.digest == nullptr || EVP_DigestInit_ex(state.digest, type, nullptr) != 1;
}

void DigestUpdate(DigestContext& context, const void* data, std::size_t size) {
    if (!context.state || context.state->failed || size == 0) return;
    if (EVP_DigestUpdate(context.state->digest, data, size) != 1) context.state->failed = true;
}

bool DigestFinal(DigestContext& context, unsigned char* digest, std::size_t size) {
    std::fill(digest, digest + size, 0);
    bool ok = context.state && !context.state->failed && size == context.state->size;
    unsigned int length = 0;
    if (ok) ok = EVP_DigestFinal_ex(context.state->digest, digest, &length) == 1 && length == size;
    if (!ok) std::fill(digest, digest + size, 0);
    context.state.reset();
    return ok;
}

std::string ComputeFileDigest(const std::string& path, DigestAlgorithm algorithm) {
    int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return {};
    struct stat status {};
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(file);
        return {};
    }
    std::string text = DigestTextOfReads(algorithm, [file](char* buffer, std::size_t size) -> long {
        for (;;) {
            ssize_t n = read(file, buffer, size);
            if (n >= 0 || errno != EINTR) return static_cast<long>(n);
        }
    });
    close(file);
    return text;
}

}  // namespace qivyun
