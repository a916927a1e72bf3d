// qivyun publish OUTDIR [--programs DIR] [--base-address URL] [--sign PRIVATE] [--serial N]: lays
// out the update server's files for any static web server: OUTDIR/QivYun/ with the manifest of
// release N (by default one more than the manifest already there), the programs, the counter texts
// and pages, the companion pages, and with --sign the manifest's signature beside it.
#include "VersionCommands.h"

#include "BuildConfig.h"
#include "SigningKey.h"
#include "UpdateSite.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"
#include "versioncheck/Md5.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace qivyun::tool {
namespace {

namespace fs = std::filesystem;

const char usage[] = "usage: qivyun publish OUTDIR [--programs DIR] [--base-address URL] [--sign PRIVATE] [--serial N]\n";

// Written beside the target and renamed over it, so a server never hands out half a file.
bool WriteWhole(const fs::path& target, const std::string& content) {
    fs::path partial = target;
    partial += ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        if (!(file << content) || !file.flush()) return false;
    }
    std::error_code error;
    fs::rename(partial, target, error);
    return !error;
}

bool CopyWhole(const fs::path& source, const fs::path& target) {
    fs::path partial = target;
    partial += ".partial";
    std::error_code error;
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(partial, target, error);
    return !error;
}

}  // namespace

int RunPublish(const Arguments& arguments) {
    if (arguments.empty()) {
        std::cerr << usage;
        return 2;
    }
    fs::path outFolder = arguments[0];
    fs::path programsFolder = updatesite::DefaultProgramsFolder();
    std::string baseAddress = config::UpdateServerAddress;
    std::string keyFile;
    std::string serialText;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            std::cerr << usage;
            return 2;
        }
        if (arguments[i] == "--programs") {
            programsFolder = arguments[i + 1];
        } else if (arguments[i] == "--base-address") {
            baseAddress = arguments[i + 1];
        } else if (arguments[i] == "--sign") {
            keyFile = arguments[i + 1];
        } else if (arguments[i] == "--serial") {
            serialText = arguments[i + 1];
        } else {
            std::cerr << usage;
            return 2;
        }
    }
    const fs::path manifestFile = outFolder / std::string(ManifestServerPath).substr(1);
    const fs::path signatureFile = SignatureLocationOf(manifestFile.string());
    // A release goes on from the one published before it, and never back.
    const long long publishedSerial = ParseSerial(
        ReadIniValue(ReadManifestFile(manifestFile.string()).value_or(""), manifest::ReleaseSection,
                     manifest::SerialKey, manifest::SerialSize));
    const long long serial = serialText.empty() ? publishedSerial + 1 : ParseSerial(serialText);
    if (serial == 0) {
        std::cerr << "qivyun publish: the serial must be a positive whole number: " << serialText << "\n";
        return 2;
    }
    if (serial < publishedSerial) {
        std::cerr << "qivyun publish: " << manifestFile.string() << " already publishes serial " << publishedSerial
                  << "; programs that applied it refuse a lower one\n";
        return 2;
    }
    std::optional<updatesite::SigningKey> key;
    if (!keyFile.empty()) {
        std::string problem;
        key = updatesite::SigningKey::Load(keyFile, problem);
        if (!key) {
            std::cerr << "qivyun publish: " << keyFile << " " << problem << "\n";
            return 1;
        }
    }
    const std::string base = updatesite::NormalizedBaseAddress(baseAddress);
    if (base.empty()) {
        std::cerr << "qivyun publish: the base address must be plain http://host[:port]: " << baseAddress << "\n";
        return 2;
    }

    // Check everything before the first byte is written.
    std::vector<updatesite::PublishedProgram> published;
    std::vector<fs::path> sources;
    for (const updatesite::Program& program : updatesite::programs) {
        fs::path source = programsFolder / program.fileName;
        std::error_code error;
        updatesite::PublishedProgram file = fs::is_regular_file(source, error)
                                                ? updatesite::PublishedFile(program, source.string())
                                                : updatesite::PublishedProgram{program, "", ""};
        if (file.digest.empty() || file.sha256.empty()) {
            std::cerr << "qivyun publish: " << source.string() << " cannot be read; the manifest leaves out ["
                      << program.section << "]\n";
            file.digest.clear();
        }
        published.push_back(file);
        sources.push_back(source);
    }
    if (published[0].digest.empty() && published[1].digest.empty()) {
        std::cerr << "qivyun publish: no program to publish in " << programsFolder.string() << "\n";
        return 1;
    }
    const std::string manifestText = updatesite::ComposeManifest(base, published, serial);
    const auto tooLong = updatesite::ValuesTooLongToRead(manifestText);
    if (!tooLong.empty()) {
        for (const std::string& value : tooLong)
            std::cerr << "qivyun publish: " << value << " would be cut by the programs; use a shorter base address\n";
        return 2;
    }

    const std::string signatureText = key ? key->SignatureFileOf(manifestText) : std::string();
    if (key && signatureText.empty()) {
        std::cerr << "qivyun publish: the manifest cannot be signed with " << keyFile << "\n";
        return 1;
    }

    const fs::path folder = outFolder / "QivYun";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        std::cerr << "qivyun publish: cannot create " << folder.string() << ": " << error.message() << "\n";
        return 1;
    }
    bool ok = true;
    auto report = [&ok](bool written, const fs::path& path) {
        if (written) {
            std::cout << path.string() << "\n";
        } else {
            std::cerr << "qivyun publish: cannot write " << path.string() << "\n";
            ok = false;
        }
    };
    // The programs come before the manifest that names them, and a copy is checked against the
    // digest the manifest will carry.
    for (std::size_t i = 0; i < published.size(); ++i) {
        if (published[i].digest.empty()) continue;
        const fs::path target = folder / published[i].program.fileName;
        report(CopyWhole(sources[i], target) && SameDigest(ComputeFileMd5(target.string()), published[i].digest),
               target);
    }
    const struct {
        const char* path;
        std::string content;
    } pages[] = {
        {updatesite::AccumulativeTextPath, "0\r\n"},
        {updatesite::UsageTextPath, "0\r\n"},
        {updatesite::CountPagePath, updatesite::CounterPage("Count", "")},
        {updatesite::VisitorPagePath, updatesite::CounterPage("CountRen", "")},
        {updatesite::MtkanPagePath, updatesite::CompanionPage(manifest::MtkanSection)},
        {updatesite::QvodPagePath, updatesite::CompanionPage(manifest::QvodSection)},
    };
    for (const auto& page : pages) {
        const fs::path target = outFolder / std::string(page.path).substr(1);
        report(WriteWhole(target, page.content), target);
    }
    if (!ok) return 1;
    // The manifest and its signature change one right after the other; a signature left from an
    // earlier manifest would only be called invalid.
    report(WriteWhole(manifestFile, manifestText), manifestFile);
    if (key) {
        report(WriteWhole(signatureFile, signatureText), signatureFile);
    } else {
        fs::remove(signatureFile, error);
        std::cerr << "qivyun publish: no --sign: the manifest is unsigned, and programs built with a key refuse it\n";
    }
    return ok ? 0 : 1;
}

}  // namespace qivyun::tool
