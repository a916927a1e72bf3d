// qivyun manifest FILE SECTION KEY SIZE: a manifest value as a program reads it under a buffer of
// SIZE bytes. A missing section or key is a failure; a key without a value prints an empty line.
#include "VersionCommands.h"

#include "versioncheck/Manifest.h"

#include <iostream>

namespace qivyun::tool {
namespace {

struct ManifestOptions {
    std::string file;
    std::string section;
    std::string key;
    std::size_t size = 0;
};

int RunManifest(const ManifestOptions& options) {
    if (const auto problem = InputProblem(options.file)) return Complain("manifest", options.file + ": " + *problem);
    const auto text = ReadManifestFile(options.file);
    if (!text) return Complain("manifest", options.file + ": larger than any manifest (1 MiB)");
    const IniValue value = LookUpIniValue(*text, options.section, options.key, options.size);
    if (value.lookup == IniLookup::NoSection)
        return Complain("manifest", options.file + ": no section [" + options.section + "]");
    if (value.lookup == IniLookup::NoKey)
        return Complain("manifest", options.file + ": no key " + options.key + " in [" + options.section + "]");
    std::cout << value.value << "\n";
    return ExitDone;
}

}  // namespace

void AddManifestCommand(CommandTable& table) {
    auto options = std::make_shared<ManifestOptions>();
    CLI::App& command = table.Add(
        table.Root(), "manifest",
        "Print a value of an update manifest as a program reads it\n"
        "Section and key match in any case; the value is cut to SIZE - 1 bytes. A missing section or key is a\n"
        "failure (exit 1); a key without a value prints an empty line.",
        "qivyun manifest www/QivYun/QivYunUpdate.txt QivYunPlay md5 100", [options] { return RunManifest(*options); });
    command.add_option("FILE", options->file, "The manifest (ini text)")->required();
    command.add_option("SECTION", options->section, "The section")->required();
    command.add_option("KEY", options->key, "The key")->required();
    command.add_option("SIZE", options->size, "The program's buffer, its terminator included")
        ->required()
        ->check(WholeNumber(1, 65536));
}

}  // namespace qivyun::tool
