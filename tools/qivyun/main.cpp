// qivyun: the portable core of the QivYun programs on the command line.
//
//   qivyun COMMAND [ARGUMENTS...]      qivyun COMMAND --help      qivyun help      qivyun --version
#include "Commands.h"
#include "PlayCommands.h"
#include "SearchCommands.h"
#include "SkinCommands.h"
#include "VersionCommands.h"

using namespace qivyun::tool;

int main(int argc, char** argv) {
    CommandTable table("qivyun",
                       "qivyun: the portable core of the QivYun programs on the command line: search the sites, compose "
                       "play\naddresses, read and publish update manifests, download as the updater does, pack and "
                       "draw skins.",
                       QIVYUN_TOOL_VERSION);
    // The commands in the order the help lists them.
    AddEncodeCommand(table);
    AddAddressCommand(table);
    AddScrapeCommand(table);
    AddSearchCommand(table);
    AddPlayCommand(table);
    AddMd5Command(table);
    AddManifestCommand(table);
    AddPublishCommand(table);
    AddKeygenCommand(table);
    AddVerifyCommand(table);
    AddDownloadCommand(table);
    AddSkinCommands(table);
    return table.Run(argc, argv);
}
