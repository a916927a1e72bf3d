// MD5 from libcrypto, and files read through POSIX.
#include "versioncheck/Md5.h"

#include <openssl/evp.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qivyun {

struct Md5Context::State {
    EVP_MD_CTX* digest = nullptr;
    bool failed = false;
    ~State() { EVP_MD_CTX_free(digest); }  // frees and wipes
};

Md5Context::Md5Context() = default;
Md5Context::~Md5Context() = default;

void Md5Init(Md5Context& context) {
    context.state = std::make_unique<Md5Context::State>();
    context.state->digest = EVP_MD_CTX_new();
    context.state->failed =
        context.state->digest == nullptr || EVP_DigestInit_ex(context.state->digest, EVP_md5(), nullptr) != 1;
}

void Md5Update(Md5Context& context, const void* data, std::size_t size) {
    if (!context.state || context.state->failed || size == 0) return;
    if (EVP_DigestUpdate(context.state->digest, data, size) != 1) context.state->failed = true;
}

bool Md5Final(Md5Context& context, Md5Digest& digest) {
    digest.fill(0);
    bool ok = context.state && !context.state->failed;
    unsigned int length = 0;
    if (ok) ok = EVP_DigestFinal_ex(context.state->digest, digest.data(), &length) == 1 && length == digest.size();
    if (!ok) digest.fill(0);
    context.state.reset();
    return ok;
}

std::string ComputeFileMd5(const std::string& path) {
    int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return {};
    struct stat status {};
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(file);
        return {};
    }
    std::string text = Md5TextOfReads([file](char* buffer, std::size_t size) -> long {
        for (;;) {
            ssize_t n = read(file, buffer, size);
            if (n >= 0 || errno != EINTR) return static_cast<long>(n);
        }
    });
    close(file);
    return text;
}

}  // namespace qivyun
