#include "UpdateSite.h"

#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"

namespace qivyun::updatesite {
namespace {

const char* Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct ReadLimit {
    const char* section;
    const char* key;
    std::size_t bufferSize;
};

const ReadLimit readLimits[] = {
    {manifest::CountSection, manifest::CountPageKey, manifest::CountPageSize},
    {manifest::CountSection, manifest::VisitorPageKey, manifest::CountPageSize},
    {manifest::CountSection, manifest::AccumulativeTextKey, manifest::CounterTextAddressSize},
    {manifest::CountSection, manifest::UsageTextKey, manifest::CounterTextAddressSize},
    {manifest::PlayerSection, manifest::DigestKey, manifest::DigestSize},
    {manifest::PlayerSection, manifest::Sha256Key, manifest::DigestSize},
    {manifest::PlayerSection, manifest::AddressKey, manifest::ProgramAddressSize},
    {manifest::UpdaterSection, manifest::DigestKey, manifest::DigestSize},
    {manifest::UpdaterSection, manifest::Sha256Key, manifest::DigestSize},
    {manifest::UpdaterSection, manifest::AddressKey, manifest::ProgramAddressSize},
    {manifest::MtkanSection, manifest::AddressKey, manifest::LinkPageSize},
    {manifest::QvodSection, manifest::AddressKey, manifest::LinkPageSize},
};

}  // namespace

std::string ProgramPath(const Program& program) { return std::string("/QivYun/") + program.fileName; }

PublishedProgram PublishedFile(const Program& program, const std::string& path) {
    return {program, ComputeFileMd5(path), ComputeFileSha256(path)};
}

std::string ComposeManifest(const std::string& baseAddress, const std::vector<PublishedProgram>& published,
                            long long serial) {
    std::string text;
    auto line = [&text](std::string_view content) {
        text += content;
        text += "\r\n";
    };
    line(std::string("[") + manifest::ReleaseSection + "]");
    line(std::string(manifest::SerialKey) + "=" + std::to_string(serial));
    line("");
    line(std::string("[") + manifest::CountSection + "]");
    line(std::string(manifest::CountPageKey) + "=" + baseAddress + CountPagePath);
    line(std::string(manifest::VisitorPageKey) + "=" + baseAddress + VisitorPagePath);
    line(std::string(manifest::AccumulativeTextKey) + "=" + baseAddress + AccumulativeTextPath);
    line(std::string(manifest::UsageTextKey) + "=" + baseAddress + UsageTextPath);
    for (const PublishedProgram& entry : published) {
        if (entry.digest.empty()) continue;
        line("");
        line(std::string("[") + entry.program.section + "]");
        line(std::string(manifest::DigestKey) + "=" + entry.digest);
        line(std::string(manifest::Sha256Key) + "=" + entry.sha256);
        line(std::string(manifest::AddressKey) + "=" + baseAddress + ProgramPath(entry.program));
    }
    line("");
    line(std::string("[") + manifest::MtkanSection + "]");
    line(std::string(manifest::AddressKey) + "=" + baseAddress + MtkanPagePath);
    line("");
    line(std::string("[") + manifest::QvodSection + "]");
    line(std::string(manifest::AddressKey) + "=" + baseAddress + QvodPagePath);
    return text;
}

std::vector<std::string> ValuesTooLongToRead(const std::string& manifestText) {
    std::vector<std::string> tooLong;
    for (const ReadLimit& limit : readLimits) {
        // Read with one byte to spare: a value that fills it is longer than the program's buffer holds.
        if (ReadIniValue(manifestText, limit.section, limit.key, limit.bufferSize + 1).size() >= limit.bufferSize)
            tooLong.push_back(std::string(limit.section) + "/" + limit.key);
    }
    return tooLong;
}

std::string NormalizedBaseAddress(std::string_view address) {
    constexpr std::string_view scheme = "http://";
    if (address.substr(0, scheme.size()) != scheme) return {};
    while (address.size() > scheme.size() && address.back() == '/') address.remove_suffix(1);
    std::string_view rest = address.substr(scheme.size());
    if (rest.empty() || rest.front() == ':' || rest.find_first_of(" \t\r\n\"'") != std::string_view::npos)
        return {};
    return std::string(address);
}

std::string DefaultProgramsFolder() { return QIVYUN_DEFAULT_PROGRAMS_FOLDER; }

std::string TestSigningKeyFile() { return QIVYUN_TEST_SIGNING_KEY_FILE; }

std::string CounterPage(std::string_view title, std::string_view hits) {
    std::string page = Utf8(u8"<html><head><meta charset=\"utf-8\"><title>");
    page += title;
    page += Utf8(u8"</title></head><body><p>");
    page += title;
    if (!hits.empty()) {
        page += Utf8(u8": ");
        page += hits;
    }
    page += "</p></body></html>\n";
    return page;
}

std::string CompanionPage(std::string_view section) {
    std::string name = section == manifest::MtkanSection ? Utf8(u8"每天看(mtkan)云播加速器") : Utf8(u8"qvod 播放器");
    return Utf8(u8"<html><head><meta charset=\"utf-8\"><title>下载 ") + name +
           Utf8(u8"</title></head><body><h1>下载 ") + name + "</h1></body></html>\n";
}

}  // namespace qivyun::updatesite
