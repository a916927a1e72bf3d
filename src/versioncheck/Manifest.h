#pragma once
// The update manifest: ini text on the update server, kept locally as "QivYunUpdate.ini" in the
// temporary folder, its signature beside it with ".sig" added to the name. Both programs read it;
// neither writes it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

// Where the manifest lives on the update server.
inline constexpr char ManifestServerPath[] = "/QivYun/QivYunUpdate.txt";

// Sections, keys and the buffer sizes (terminator included) under which the programs read them.
namespace manifest {
inline constexpr char CountSection[] = "Count";
inline constexpr char CountPageKey[] = "CountAsp";
inline constexpr char VisitorPageKey[] = "CountrenAsp";
inline constexpr char AccumulativeTextKey[] = "AcounTxt";
inline constexpr char UsageTextKey[] = "AcounRenTxt";
inline constexpr char PlayerSection[] = "QivYunPlay";
inline constexpr char UpdaterSection[] = "QivYunUpdate";
inline constexpr char MtkanSection[] = "Mtkan";
inline constexpr char QvodSection[] = "qvod";
inline constexpr char DigestKey[] = "md5";
inline constexpr char Sha256Key[] = "sha256";
inline constexpr char AddressKey[] = "url";
inline constexpr char ReleaseSection[] = "Release";
inline constexpr char SerialKey[] = "serial";

inline constexpr std::size_t CountPageSize = 200;
inline constexpr std::size_t CounterTextAddressSize = 50;
inline constexpr std::size_t DigestSize = 100;
inline constexpr std::size_t ProgramAddressSize = 200;
inline constexpr std::size_t LinkPageSize = 600;
inline constexpr std::size_t SerialSize = 32;
}  // namespace manifest

// The local copy: the temporary folder joined with "QivYunUpdate.ini".
std::string ManifestLocalPath();

// Where the signature of a manifest lies: the manifest's path or address with ".sig" added.
inline std::string SignatureLocationOf(const std::string& manifestLocation) { return manifestLocation + ".sig"; }

// The whole content of a manifest or signature file; nothing when it cannot be read or is larger
// than any manifest (1 MiB).
std::optional<std::string> ReadManifestFile(const std::string& path);

// A value of the ini file at a full path, read afresh on every call: at most bufferSize - 1 bytes,
// empty when the file, the section or the key is missing. Section and key names match ignoring
// case. On Windows this is the platform's private-profile reader, the reference that the in-memory
// reader below is held to (it takes the file's name and gives the value in the system's code page);
// the programs themselves read their checked manifest from memory, by a UTF-8 file name.
std::string ReadManifestValueAt(const std::string& path, std::string_view section, std::string_view key,
                                std::size_t bufferSize);

// The platform ini reader's rules applied to ini text: lines are trimmed; the first section whose
// name matches holds the answer, in it the first key that matches; the value is trimmed, a pair of
// matching quotes around it is removed, then it is cut to bufferSize - 1 bytes.
std::string ReadIniValue(std::string_view iniText, std::string_view section, std::string_view key,
                         std::size_t bufferSize);

// The same lookup, telling a missing section or key from a value that is empty.
enum class IniLookup { Found, NoSection, NoKey };
struct IniValue {
    IniLookup lookup = IniLookup::NoSection;
    std::string value;  // when found
};
IniValue LookUpIniValue(std::string_view iniText, std::string_view section, std::string_view key,
                        std::size_t bufferSize);

}  // namespace qivyun
