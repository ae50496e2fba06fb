// Feeds arbitrary bytes to the key-file reader and, when they parse, tries to
// open the box with a fixed secret; the same bytes also go to the reader of the
// project key's own JSON, which random boxes would never reach through the
// cipher. Any outcome but a failure of the reader or a key is a bug.
#include "kit/keys/KeyFile.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    static const QByteArray secret(32, '\x5a');
    try {
        const quorvane::KeyFile file(bytes);
        (void)file.data();
        (void)file.open(secret);
    } catch (const quorvane::KeyFile::Failure &) {
    }
    try {
        (void)quorvane::ProjectKey::fromJson(bytes).toJson();
    } catch (const std::runtime_error &) {
    }
    return 0;
}
