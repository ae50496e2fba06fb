#include "kit/find/ColumnGuess.h"
#include "kit/find/Detector.h"

#include <cstdint>

using namespace quorvane;

// Any cell text, in every column kind: findings stay inside the text and in order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Detector detector({{QStringLiteral("bobby"), ValueKind::name}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (ColumnKind column : allColumnKinds()) {
        qsizetype previousStart = 0;
        for (const Finding &finding : detector.findings(text, column)) {
            if (finding.range.start < previousStart || finding.range.end > text.size()
                || finding.range.of(text) != finding.text)
                __builtin_trap();
            previousStart = finding.range.start;
            for (const NamePart &part : finding.nameParts)
                if (part.range.of(finding.text) != part.word)
                    __builtin_trap();
        }
    }
    guessFromHeader(text);
    guessFromContents(text.split(QLatin1Char('\n')), detector);
    return 0;
}
