#pragma once
// Runs a program to its end with its standard output and standard error captured: how black-box
// tests see a command-line tool.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace qivyun::test {

struct ProcessRun {
    int exitCode = -1;  // 128 + the signal's number when a signal ended it
    std::string out;
    std::string err;
};

inline ProcessRun RunProgram(const std::vector<std::string>& arguments) {
    static int runs = 0;
    const std::string base = "/tmp/qivyun-run-" + std::to_string(getpid()) + "-" + std::to_string(++runs);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (base + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (base + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ProcessRun run;
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    const auto read = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(file), {}};
        unlink(path.c_str());
        return text;
    };
    run.out = read(base + ".out");
    run.err = read(base + ".err");
    return run;
}

}  // namespace qivyun::test
