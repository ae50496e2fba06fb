// The "restore" and "restore-text" commands: real values back into a returned
// file or into pasted text.
#include "cli/Command.h"
#include "cli/KeyFiles.h"
#include "cli/ProgressLine.h"
#include "cli/SpreadsheetFiles.h"
#include "kit/restore/Restorer.h"

#include <QFile>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

QString restoredCount(int count)
{
    return count == 1 ? u"Restored 1 value."_s : u"Restored %1 values."_s.arg(count);
}

int restoreCommand(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one input file"_s);
    const QString input = invocation.positionals().first();
    ProgressLine progress(invocation.err());
    progress.show(Progress::Stage::reading);
    const Spreadsheet spreadsheet = readSpreadsheet(input);
    progress.clear(); // the key may ask for its passphrase
    // A large key's entries go straight into the restorer's table.
    std::optional<Restorer> restorer;
    const OpenedKey opened = openKeyOption(invocation, [&restorer](const QByteArray &json) {
        restorer.emplace(Restorer::fromKeyJson(json));
        return restorer->key();
    });
    const QString output = copyPath(input, u"restored"_s, invocation.value(u"output"_s), opened.path);
    const Restorer::FileResult result = restorer->restore(spreadsheet, progress.report());
    progress.clear();
    if (result.count == 0)
        throw Failure(u"None of this key’s stand-ins are in the file. Was it swapped with a different key?"_s);
    writeAtomically(output, result.data);
    invocation.out() << restoredCount(result.count) << " The restored copy is “" << output << "”.\n";
    return 0;
}

int restoreTextCommand(const Invocation &invocation)
{
    invocation.expectPositionals(0, 0, u"no arguments besides --key; the text comes on standard input"_s);
    const OpenedKey opened = openKeyOption(invocation);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw Failure(u"The text couldn’t be read from standard input."_s);
    const QString text = QString::fromUtf8(input.readAll());
    const Restorer::TextResult result = Restorer(opened.key).restore(text);
    invocation.out() << result.text;
    invocation.out().flush();
    if (result.count == 0)
        invocation.err() << "No stand-ins from “" << opened.key.name() << "” in the text.\n";
    else
        invocation.err() << restoredCount(result.count) << '\n';
    invocation.err().flush();
    return 0;
}

} // namespace

QList<Command> restoreCommands()
{
    return {
        {{u"restore"_s}, u"INPUT --key FILE [-o OUTPUT]"_s,
         u"write a copy with the real values back (default: “NAME (restored).EXT” next to the input)"_s,
         {{u"key"_s, u"FILE"_s, u"the project key file"_s},
          {u"output"_s, u"OUTPUT"_s, u"where to write the restored copy"_s, u"o"_s}},
         restoreCommand},
        {{u"restore-text"_s}, u"--key FILE"_s,
         u"read text on standard input and write it with the real values back; the count goes to standard error"_s,
         {{u"key"_s, u"FILE"_s, u"the project key file"_s}},
         restoreTextCommand},
    };
}

} // namespace quorvane::cli
