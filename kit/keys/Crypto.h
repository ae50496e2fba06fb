#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

// Thin wrappers over libcrypto. Every function is safe to call from any thread.
namespace quorvane::crypto {

constexpr int gcmNonceLength = 12;
constexpr int gcmTagLength = 16;

QByteArray hmacSha256(const QByteArray &key, const QByteArray &message);

// HMAC-SHA-256 under one fixed key, with the key's inner and outer hash states
// computed once: each MAC then costs two SHA-256 compressions for a short
// message instead of four. Immutable after construction, so one instance may
// be shared between threads. Nothing is allocated per MAC.
class HmacSha256Key
{
public:
    // The inner hash state with the key and a message prefix absorbed, so
    // messages that share the prefix pay only for their own bytes.
    struct Prefixed
    {
        alignas(8) unsigned char state[128];
    };

    explicit HmacSha256Key(const QByteArray &key);
    ~HmacSha256Key();
    HmacSha256Key(const HmacSha256Key &) = delete;
    HmacSha256Key &operator=(const HmacSha256Key &) = delete;

    // The first eight bytes of the MAC of the message, read big-endian.
    uint64_t leading64(QByteArrayView message) const;
    Prefixed prefixed(QByteArrayView prefix) const;
    // The same number for the prefix followed by the rest.
    uint64_t leading64(const Prefixed &prefix, QByteArrayView rest) const;

private:
    struct States;
    States *m_states;
};

// Encrypts and authenticates; returns nonce ‖ ciphertext ‖ tag. A fresh random
// nonce is drawn on every call. Throws std::runtime_error if the cipher fails.
QByteArray sealAesGcm(const QByteArray &key, const QByteArray &plaintext, const QByteArray &associatedData);
// The same, turning the plaintext into its box in the plaintext's own buffer
// when that has room for the nonce and tag: a large key's box runs to tens of
// megabytes, and a second buffer would be held beside the first.
void sealAesGcmInPlace(const QByteArray &key, QByteArray &plaintext, const QByteArray &associatedData);
// The plaintext, or nothing when the box is too short or does not authenticate.
std::optional<QByteArray> openAesGcm(const QByteArray &key, const QByteArray &box, const QByteArray &associatedData);

// PBKDF2 with HMAC-SHA-256 as pseudo-random function.
QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, uint32_t rounds, int length);

// Bytes from the operating system's secure random source.
QByteArray randomBytes(int length);

// Overwrites the bytes in place so a secret does not linger in freed memory.
void wipe(QByteArray &bytes);

// Holds a secret and wipes it when it goes out of scope.
class WipeOnExit
{
public:
    explicit WipeOnExit(QByteArray &bytes) : m_bytes(bytes) {}
    ~WipeOnExit() { wipe(m_bytes); }
    WipeOnExit(const WipeOnExit &) = delete;
    WipeOnExit &operator=(const WipeOnExit &) = delete;

private:
    QByteArray &m_bytes;
};

} // namespace quorvane::crypto
