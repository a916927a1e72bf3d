// qivyun md5 FILE: the file's digest as the programs compute it.
#include "VersionCommands.h"

#include "versioncheck/Md5.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace qivyun::tool {

void AddMd5Command(CommandTable& table) {
    auto file = std::make_shared<std::string>();
    CLI::App& command = table.Add(table.Root(), "md5", "Print a file's MD5 digest as the programs compute it",
                                  "qivyun md5 build/win32/bin/QivYunPlay.exe", [file] {
                                      if (const auto problem = InputProblem(*file))
                                          return Complain("md5", *file + ": " + *problem);
                                      const std::string digest = ComputeFileMd5(*file);
                                      if (digest.empty()) return Complain("md5", *file + ": " + std::strerror(errno));
                                      std::cout << digest << "\n";
                                      return ExitDone;
                                  });
    command.add_option("FILE", *file, "The file")->required();
}

}  // namespace qivyun::tool
