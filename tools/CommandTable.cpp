// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CommandTable.h"

#include "tools/BuildCommand.h"
#include "tools/CompareCommand.h"
#include "tools/DumpCommand.h"
#include "tools/ExportCommand.h"
#include "tools/NewCommand.h"
#include "tools/RenderCommands.h"
#include "tools/RequestCommands.h"
#include "tools/ResultsCommand.h"
#include "tools/RoleCommand.h"
#include "tools/WebPageCommand.h"

std::span<const Command> kvtoolCommands() {
    // A new subcommand is one entry here (plus its source file in CMakeLists.txt).
    static const Command table[] = {
        dumpCommand(),    buildCommand(),   newCommand(),     requestCommand(), answerCommand(),
        mergeCommand(),   resultsCommand(), roleCommand(),    renderCommand(),  reportCommand(),
        webPageCommand(), exportCommand(),  compareCommand(),
    };
    return table;
}
