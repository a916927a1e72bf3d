#pragma once
// The commands of the qivyun tool. Each file adds its command to the table with the command's
// options and runs it once the command line has been read; what they share is here.
#include "support/InputFile.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun::tool {

// The exit statuses every command gives: done, failed (a cause on stderr), bad arguments.
inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitBadArguments = 2;

// Every command and its routine, read by one parser: options anywhere among the arguments,
// --opt=value, "--" before arguments that start with a dash, COMMAND --help with a description,
// the options and an example on stdout; a bad argument is named with its rule on stderr (exit 2).
class CommandTable {
public:
    CommandTable(std::string program, std::string description, std::string version);

    // Adds a command under `parent` (the table's root or another command). The description's first
    // line is what the list of commands shows; further lines come after the command's options, then
    // the example. `run` is called once the whole command line has been read and gives the exit
    // status; a command without one only holds others.
    CLI::App& Add(CLI::App& parent, const std::string& name, const std::string& description,
                  const std::string& example, std::function<int()> run = {});
    CLI::App& Root() { return *root; }

    // Reads the command line and runs its command; any exception becomes one line on stderr and
    // exit 1.
    int Run(int argc, char** argv);

private:
    int ParseAndRun(int argc, char** argv);
    std::string program;
    std::string version;
    std::unique_ptr<CLI::App> root;
    std::map<const CLI::App*, std::function<int()>> runs;
    std::shared_ptr<std::vector<std::string>> helpWanted;
};

// The length of the well-formed UTF-8 sequence at the start of `text` (no overlong forms, no
// surrogates, nothing past U+10FFFF), 0 when there is none; `codePoint` receives its value.
std::size_t Utf8Sequence(std::string_view text, char32_t& codePoint);

// Text safe for a terminal line: printable UTF-8 kept, control characters and bytes that are not
// UTF-8 written as \xNN.
std::string Printable(std::string_view text);

// "qivyun COMMAND: TEXT" on stderr, made printable; gives `status`.
int Complain(std::string_view command, std::string_view text, int status = ExitFailed);

// The whole content of an input file; nothing, after a line naming the file and the cause, when it
// cannot be read.
std::optional<std::string> ReadInput(std::string_view command, const std::string& path);

// An option's value as a whole number within [low, high] ("--page: 0 is not a whole number from 1
// to 999999999").
CLI::Validator WholeNumber(long long low, long long high);

}  // namespace qivyun::tool
