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

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace qivyun::tool {
namespace {

namespace fs = std::filesystem;

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

struct PublishOptions {
    std::string outFolder;
    std::string programsFolder = updatesite::DefaultProgramsFolder();
    std::string baseAddress = config::UpdateServerAddress;
    std::string keyFile;
    long long serial = 0;  // 0: one more than the manifest already published
};

int RunPublish(const PublishOptions& options) {
    const fs::path outFolder = options.outFolder;
    const fs::path programsFolder = options.programsFolder;
    const std::string& keyFile = options.keyFile;
    const fs::path manifestFile = outFolder / std::string(ManifestServerPath).substr(1);
    const fs::path signatureFile = SignatureLocationOf(manifestFile.string());
    // A release goes on from the one published before it, and never back.
    const long long publishedSerial = ParseSerial(
        ReadIniValue(ReadManifestFile(manifestFile.string()).value_or(""), manifest::ReleaseSection,
                     manifest::SerialKey, manifest::SerialSize));
    const long long serial = options.serial == 0 ? publishedSerial + 1 : options.serial;
    if (serial < publishedSerial) {
        return Complain("publish", manifestFile.string() + " already publishes serial " + std::to_string(publishedSerial) +
                                       "; programs that applied it refuse a lower one",
                        ExitBadArguments);
    }
    const std::string base = updatesite::NormalizedBaseAddress(options.baseAddress);
    if (base.empty())
        return Complain("publish", "--base-address " + options.baseAddress + ": not a plain http://host[:port] address",
                        ExitBadArguments);
    std::optional<updatesite::SigningKey> key;
    if (!keyFile.empty()) {
        if (const auto problem = InputProblem(keyFile)) return Complain("publish", keyFile + ": " + *problem);
        std::string problem;
        key = updatesite::SigningKey::Load(keyFile, problem);
        if (!key) return Complain("publish", keyFile + " " + problem);
    }

    // Check everything before the first byte is written: both programs are needed, since a manifest
    // without one would leave installations with the other half of a release.
    if (std::error_code error; !fs::is_directory(programsFolder, error))
        return Complain("publish", programsFolder.string() + ": " + InputProblem(programsFolder.string()).value_or("not a folder"));
    std::vector<updatesite::PublishedProgram> published;
    std::vector<fs::path> sources;
    bool allThere = true;
    for (const updatesite::Program& program : updatesite::programs) {
        const fs::path source = programsFolder / program.fileName;
        const auto problem = InputProblem(source.string());
        updatesite::PublishedProgram file = problem ? updatesite::PublishedProgram{program, "", ""}
                                                    : updatesite::PublishedFile(program, source.string());
        if (file.digest.empty() || file.sha256.empty()) {
            Complain("publish", source.string() + ": " + problem.value_or("cannot be read"));
            allThere = false;
        }
        published.push_back(file);
        sources.push_back(source);
    }
    if (!allThere) return ExitFailed;
    const std::string manifestText = updatesite::ComposeManifest(base, published, serial);
    const auto tooLong = updatesite::ValuesTooLongToRead(manifestText);
    if (!tooLong.empty()) {
        for (const std::string& value : tooLong)
            Complain("publish", value + " would be cut by the programs; use a shorter base address");
        return ExitBadArguments;
    }

    const std::string signatureText = key ? key->SignatureFileOf(manifestText) : std::string();
    if (key && signatureText.empty()) return Complain("publish", "the manifest cannot be signed with " + keyFile);

    const fs::path folder = outFolder / "QivYun";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return Complain("publish", "cannot create " + folder.string() + ": " + error.message());
    bool ok = true;
    auto report = [&ok](bool written, const fs::path& path) {
        if (written) {
            std::cout << path.string() << "\n";
        } else {
            Complain("publish", "cannot write " + path.string() + ": " + std::strerror(errno));
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
    // The counters count on the live server: a counter already there keeps its count.
    const struct {
        const char* path;
        std::string content;
        bool counter;
    } pages[] = {
        {updatesite::AccumulativeTextPath, "0\r\n", true},
        {updatesite::UsageTextPath, "0\r\n", true},
        {updatesite::CountPagePath, updatesite::CounterPage("Count", ""), true},
        {updatesite::VisitorPagePath, updatesite::CounterPage("CountRen", ""), true},
        {updatesite::MtkanPagePath, updatesite::CompanionPage(manifest::MtkanSection), false},
        {updatesite::QvodPagePath, updatesite::CompanionPage(manifest::QvodSection), false},
    };
    for (const auto& page : pages) {
        const fs::path target = outFolder / std::string(page.path).substr(1);
        if (page.counter && fs::exists(fs::symlink_status(target, error))) continue;
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
        Complain("publish", "no --sign: the manifest is unsigned, and programs built with a key refuse it", ExitDone);
    }
    return ok ? ExitDone : ExitFailed;
}

}  // namespace

void AddPublishCommand(CommandTable& table) {
    auto options = std::make_shared<PublishOptions>();
    CLI::App& command = table.Add(
        table.Root(), "publish",
        "Lay out the update server's folder for any static web server\n"
        "OUTDIR/QivYun/ receives the manifest of the release, its signature (--sign), both programs, the counter\n"
        "texts and pages (those already there keep their counts) and the companion pages.",
        "qivyun publish www --programs build/release/bin --base-address http://update.example.com --sign maker-update-key.pem",
        [options] { return RunPublish(*options); });
    command.add_option("OUTDIR", options->outFolder, "The web server's folder")->required();
    command.add_option("--programs", options->programsFolder, "The folder of QivYunPlay.exe and QivYunUpdate.exe")
        ->capture_default_str();
    command.add_option("--base-address", options->baseAddress, "The server's http://host[:port] in the manifest")
        ->capture_default_str();
    command.add_option("--sign", options->keyFile, "The maker's private key (PEM) that signs the manifest");
    command.add_option("--serial", options->serial, "The release's serial (one more than the published one by default)")
        ->check(WholeNumber(1, 999999999999999));
}

}  // namespace qivyun::tool
