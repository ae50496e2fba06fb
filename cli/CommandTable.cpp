#include "cli/Command.h"

namespace quorvane::cli {

// The one place a new command group is registered: add its function here.
const QList<Command> &allCommands()
{
    static const QList<Command> commands = [] {
        QList<Command> all;
        all += keyCommands();
        all += keyStoreCommands();
        all += swapCommands();
        all += restoreCommands();
        all += sheetCommands();
        all += suggestCommands();
        return all;
    }();
    return commands;
}

} // namespace quorvane::cli
