#pragma once
// What the update server holds, whoever serves it: the folder that `qivyun publish` lays out for a
// static web server and the test world's update party answer with the same paths and manifest.
#include <string>
#include <string_view>
#include <vector>

namespace qivyun::updatesite {

// Paths on the server (the manifest's own is ManifestServerPath).
inline constexpr char CountPagePath[] = "/QivYun/Count.html";
inline constexpr char VisitorPagePath[] = "/QivYun/CountRen.html";
inline constexpr char AccumulativeTextPath[] = "/QivYun/Acoun.txt";
inline constexpr char UsageTextPath[] = "/QivYun/AcounRen.txt";
inline constexpr char MtkanPagePath[] = "/QivYun/Mtkan.html";
inline constexpr char QvodPagePath[] = "/QivYun/qvod.html";

// The two programs: the manifest section that names each and its file, served under "/QivYun/".
struct Program {
    const char* section;
    const char* fileName;
};
inline constexpr Program programs[] = {{"QivYunPlay", "QivYunPlay.exe"}, {"QivYunUpdate", "QivYunUpdate.exe"}};

// The server path of a program's file.
std::string ProgramPath(const Program& program);

// A program as published: its MD5 and SHA-256 texts, empty when the program is absent (its section
// is then left out, so the programs update nothing of it).
struct PublishedProgram {
    Program program;
    std::string digest;
    std::string sha256;
};

// A program's file as published, its digests taken from the file (empty when it cannot be read).
PublishedProgram PublishedFile(const Program& program, const std::string& path);

// The manifest of release `serial` for a server at baseAddress ("http://host[:port]", no trailing
// slash): release, counters, programs and companion pages, ini text with CR LF line ends.
std::string ComposeManifest(const std::string& baseAddress, const std::vector<PublishedProgram>& published,
                            long long serial);

// "SECTION/KEY" of every value of a manifest that the programs would read cut (longer than its
// buffer allows).
std::vector<std::string> ValuesTooLongToRead(const std::string& manifestText);

// "http://host[:port]" without a trailing slash, or empty when the address is not plain HTTP with a
// host (the programs' downloader speaks nothing else).
std::string NormalizedBaseAddress(std::string_view address);

// The built Windows programs of this source tree.
std::string DefaultProgramsFolder();

// The test world's signing key, the private half of the test builds' key: a test fixture only.
std::string TestSigningKeyFile();

// Pages in UTF-8: a counter page showing a hit count (empty for a static page) and the two
// companion download pages.
std::string CounterPage(std::string_view title, std::string_view hits);
std::string CompanionPage(std::string_view section);

}  // namespace qivyun::updatesite
