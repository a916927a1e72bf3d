#include "Commands.h"

#include <iostream>

namespace qivyun::tool {
namespace {

// The chosen command and the commands above it, "skin info"; empty before one is chosen.
std::string CommandPath(const CLI::App& root) {
    std::string path;
    for (const CLI::App* command = &root; !command->get_subcommands().empty();) {
        command = command->get_subcommands().front();
        path += (path.empty() ? "" : " ") + command->get_name();
    }
    return path;
}

const CLI::App* FindCommand(const CLI::App& parent, const std::string& name) {
    const auto found = parent.get_subcommands([&name](const CLI::App* command) { return command->check_name(name); });
    return found.empty() ? nullptr : found.front();
}

const CLI::App& ChosenCommand(const CLI::App& root) {
    const CLI::App* command = &root;
    while (!command->get_subcommands().empty()) command = command->get_subcommands().front();
    return *command;
}

}  // namespace

CommandTable::CommandTable(std::string programName, std::string description, std::string versionText)
    : program(std::move(programName)), version(std::move(versionText)),
      root(std::make_unique<CLI::App>(std::move(description), program)) {
    const auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("SUBCOMMAND", "COMMAND");
    formatter->label("Positionals", "Arguments");
    formatter->column_width(34);
    root->formatter(formatter);
    root->set_version_flag("--version", program + " " + version, "Print the version and exit");

    // qivyun help [COMMAND...]: the list of commands, or one command's help
    // The parser would take the names that follow for commands to run, so Run reads them itself.
    auto wanted = std::make_shared<std::vector<std::string>>();
    helpWanted = wanted;
    CLI::App& help = Add(*root, "help", "Print the commands, or the help of one command", program + " help search",
                         [this, wanted] {
                             const CLI::App* command = root.get();
                             std::string path = program;  // for the usage line
                             for (const std::string& name : *wanted) {
                                 command = FindCommand(*command, name);
                                 if (command == nullptr)
                                     return Complain("help", "no command " + name + " (" + program + " help lists them)",
                                                     ExitBadArguments);
                                 path += " " + name;
                             }
                             // the formatter itself: the help of the table would be that of the chosen command, help
                             std::cout << command->get_formatter()->make_help(command, path, CLI::AppFormatMode::Normal);
                             return ExitDone;
                         });
    help.add_option("COMMAND", *wanted, "A command, and a command under it (skin info)");
}

CLI::App& CommandTable::Add(CLI::App& parent, const std::string& name, const std::string& description,
                            const std::string& example, std::function<int()> run) {
    // the first line says what the command does in the list of commands; the others follow its options
    const std::size_t lineEnd = description.find('\n');
    CLI::App& command = *parent.add_subcommand(name, description.substr(0, lineEnd));
    command.group("Commands");
    const std::string details = lineEnd == std::string::npos ? "" : description.substr(lineEnd + 1) + "\n\n";
    command.footer(details + "Example:\n  " + example);
    if (run) runs[&command] = std::move(run);
    return command;
}

int CommandTable::Run(int argc, char** argv) {
    try {
        return ParseAndRun(argc, argv);
    } catch (const std::exception& error) {
        return Complain(CommandPath(*root), std::string("unexpected failure: ") + error.what());
    } catch (...) {
        return Complain(CommandPath(*root), "unexpected failure");
    }
}

int CommandTable::ParseAndRun(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << root->help();
        return ExitBadArguments;
    }
    const std::string first = argv[1];
    if (first == "help" && argc > 2 && argv[2][0] != '-') {
        helpWanted->assign(argv + 2, argv + argc);
        return runs.at(FindCommand(*root, "help"))();
    }
    if (!first.empty() && first[0] != '-' && !FindCommand(*root, first))
        return Complain("", "unknown command " + first + " (" + program + " help lists the commands)", ExitBadArguments);
    try {
        root->parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << root->help();
        return ExitDone;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << root->help();
        return ExitDone;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return ExitDone;
    } catch (const CLI::ParseError& error) {
        const std::string path = CommandPath(*root);
        const std::string helpCommand = program + (path.empty() ? "" : " " + path) + " --help";
        return Complain(path, std::string(error.what()) + " (" + helpCommand + " tells more)", ExitBadArguments);
    }
    const CLI::App& chosen = ChosenCommand(*root);
    if (const auto run = runs.find(&chosen); run != runs.end()) return run->second();
    // a command that only holds others (the table itself, skin) needs one of them
    std::string names;
    for (const CLI::App* command : chosen.get_subcommands({})) names += (names.empty() ? "" : ", ") + command->get_name();
    return Complain(CommandPath(*root), "a command is needed: " + names, ExitBadArguments);
}

}  // namespace qivyun::tool
