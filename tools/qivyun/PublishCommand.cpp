// qivyun publish OUTDIR [--programs DIR] [--base-address URL]: lays out the update server's files
// for any static web server: OUTDIR/QivYun/ with the manifest, the programs, the counter texts and
// pages, and the companion pages.
#include "VersionCommands.h"

#include "BuildConfig.h"
#include "UpdateSite.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace qivyun::tool {
namespace {

namespace fs = std::filesystem;

const char usage[] = "usage: qivyun publish OUTDIR [--programs DIR] [--base-address URL]\n";

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
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            std::cerr << usage;
            return 2;
        }
        if (arguments[i] == "--programs") {
            programsFolder = arguments[i + 1];
        } else if (arguments[i] == "--base-address") {
            baseAddress = arguments[i + 1];
        } else {
            std::cerr << usage;
            return 2;
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
        std::string digest = fs::is_regular_file(source, error) ? ComputeFileMd5(source.string()) : "";
        if (digest.empty())
            std::cerr << "qivyun publish: " << source.string() << " cannot be read; the manifest leaves out ["
                      << program.section << "]\n";
        published.push_back({program, digest});
        sources.push_back(source);
    }
    if (published[0].digest.empty() && published[1].digest.empty()) {
        std::cerr << "qivyun publish: no program to publish in " << programsFolder.string() << "\n";
        return 1;
    }
    const std::string manifestText = updatesite::ComposeManifest(base, published);
    const auto tooLong = updatesite::ValuesTooLongToRead(manifestText);
    if (!tooLong.empty()) {
        for (const std::string& value : tooLong)
            std::cerr << "qivyun publish: " << value << " would be cut by the programs; use a shorter base address\n";
        return 2;
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
    const fs::path manifestFile = outFolder / std::string(ManifestServerPath).substr(1);
    report(WriteWhole(manifestFile, manifestText), manifestFile);
    return ok ? 0 : 1;
}

}  // namespace qivyun::tool
