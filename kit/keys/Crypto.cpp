// The plain SHA-256 context is a value that copies without allocating, which
// the per-candidate MAC relies on; OpenSSL 3 marks it deprecated.
#define OPENSSL_SUPPRESS_DEPRECATED

#include "kit/keys/Crypto.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/core_names.h>
#include <openssl/hmac.h>
#include <openssl/kdf.h>
#include <openssl/params.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace quorvane::crypto {

namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

CipherContext newCipherContext()
{
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!context)
        throw std::runtime_error("cipher context unavailable");
    return context;
}

const unsigned char *bytes(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

unsigned char *bytes(QByteArray &array)
{
    return reinterpret_cast<unsigned char *>(array.data());
}

} // namespace

QByteArray hmacSha256(const QByteArray &key, const QByteArray &message)
{
    QByteArray mac(32, '\0');
    unsigned int length = 0;
    if (!HMAC(EVP_sha256(), key.constData(), int(key.size()), bytes(message), size_t(message.size()),
              bytes(mac), &length))
        throw std::runtime_error("HMAC failed");
    return mac;
}

struct HmacSha256Key::States
{
    SHA256_CTX inner;
    SHA256_CTX outer;
};

namespace {

constexpr int sha256BlockLength = 64;

static_assert(sizeof(SHA256_CTX) <= sizeof(HmacSha256Key::Prefixed::state));
static_assert(alignof(SHA256_CTX) <= alignof(HmacSha256Key::Prefixed));

void paddedState(SHA256_CTX &context, const unsigned char *block, unsigned char pad)
{
    unsigned char padded[sha256BlockLength];
    for (int i = 0; i < sha256BlockLength; ++i)
        padded[i] = block[i] ^ pad;
    const bool ok = SHA256_Init(&context) == 1 && SHA256_Update(&context, padded, sizeof padded) == 1;
    OPENSSL_cleanse(padded, sizeof padded);
    if (!ok)
        throw std::runtime_error("SHA-256 unavailable");
}

const SHA256_CTX &asContext(const HmacSha256Key::Prefixed &prefix)
{
    return *reinterpret_cast<const SHA256_CTX *>(prefix.state);
}

} // namespace

HmacSha256Key::HmacSha256Key(const QByteArray &key) : m_states(new States)
{
    unsigned char block[sha256BlockLength] = {};
    if (key.size() > sha256BlockLength) {
        unsigned int length = 0;
        EVP_Digest(key.constData(), size_t(key.size()), block, &length, EVP_sha256(), nullptr);
    } else {
        std::memcpy(block, key.constData(), size_t(key.size()));
    }
    try {
        paddedState(m_states->inner, block, 0x36);
        paddedState(m_states->outer, block, 0x5c);
    } catch (...) {
        OPENSSL_cleanse(block, sizeof block);
        OPENSSL_cleanse(m_states, sizeof *m_states);
        delete m_states;
        throw;
    }
    OPENSSL_cleanse(block, sizeof block);
}

HmacSha256Key::~HmacSha256Key()
{
    // The states derive from the key.
    OPENSSL_cleanse(m_states, sizeof *m_states);
    delete m_states;
}

uint64_t HmacSha256Key::leading64(QByteArrayView message) const
{
    Prefixed start;
    std::memcpy(start.state, &m_states->inner, sizeof(SHA256_CTX));
    return leading64(start, message);
}

HmacSha256Key::Prefixed HmacSha256Key::prefixed(QByteArrayView prefix) const
{
    Prefixed result;
    SHA256_CTX context = m_states->inner;
    SHA256_Update(&context, prefix.data(), size_t(prefix.size()));
    std::memcpy(result.state, &context, sizeof context);
    OPENSSL_cleanse(&context, sizeof context);
    return result;
}

uint64_t HmacSha256Key::leading64(const Prefixed &prefix, QByteArrayView rest) const
{
    unsigned char innerHash[32];
    unsigned char mac[32];
    SHA256_CTX context = asContext(prefix);
    bool ok = SHA256_Update(&context, rest.data(), size_t(rest.size())) == 1 && SHA256_Final(innerHash, &context) == 1;
    context = m_states->outer;
    ok = ok && SHA256_Update(&context, innerHash, sizeof innerHash) == 1 && SHA256_Final(mac, &context) == 1;
    if (!ok)
        throw std::runtime_error("HMAC failed");
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | mac[i];
    return value;
}

namespace {

// Encrypts plaintextSize bytes lying just past the nonce's room at box's
// start, in place, and appends the tag; box has room for all three.
void sealInto(const QByteArray &key, char *box, qsizetype plaintextSize, const QByteArray &associatedData)
{
    if (key.size() != 32)
        throw std::runtime_error("AES-256 needs a 32-byte key");
    const QByteArray nonce = randomBytes(gcmNonceLength);
    std::copy(nonce.cbegin(), nonce.cend(), box);
    auto *const text = reinterpret_cast<unsigned char *>(box) + gcmNonceLength;
    CipherContext context = newCipherContext();
    int length = 0;
    bool ok = EVP_EncryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1
        && EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_IVLEN, gcmNonceLength, nullptr) == 1
        && EVP_EncryptInit_ex(context.get(), nullptr, nullptr, bytes(key), bytes(nonce)) == 1
        && EVP_EncryptUpdate(context.get(), nullptr, &length, bytes(associatedData), int(associatedData.size())) == 1
        && EVP_EncryptUpdate(context.get(), text, &length, text, int(plaintextSize)) == 1
        && EVP_EncryptFinal_ex(context.get(), text + length, &length) == 1
        && EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, gcmTagLength, text + plaintextSize) == 1;
    if (!ok)
        throw std::runtime_error("AES-GCM sealing failed");
}

} // namespace

QByteArray sealAesGcm(const QByteArray &key, const QByteArray &plaintext, const QByteArray &associatedData)
{
    QByteArray box(gcmNonceLength + plaintext.size() + gcmTagLength, Qt::Uninitialized);
    std::copy(plaintext.cbegin(), plaintext.cend(), box.begin() + gcmNonceLength);
    try {
        sealInto(key, box.data(), plaintext.size(), associatedData);
    } catch (...) {
        wipe(box);
        throw;
    }
    return box;
}

void sealAesGcmInPlace(const QByteArray &key, QByteArray &plaintext, const QByteArray &associatedData)
{
    const qsizetype size = plaintext.size();
    const qsizetype boxSize = gcmNonceLength + size + gcmTagLength;
    if (!plaintext.isDetached() || plaintext.capacity() < boxSize) {
        // Growing could leave a copy of the plaintext behind in freed memory.
        QByteArray box = sealAesGcm(key, plaintext, associatedData);
        wipe(plaintext);
        plaintext = std::move(box);
        return;
    }
    plaintext.resize(boxSize);
    char *const box = plaintext.data();
    std::memmove(box + gcmNonceLength, box, size_t(size));
    sealInto(key, box, size, associatedData);
}

std::optional<QByteArray> openAesGcm(const QByteArray &key, const QByteArray &box, const QByteArray &associatedData)
{
    if (key.size() != 32 || box.size() < gcmNonceLength + gcmTagLength)
        return std::nullopt;
    // Read where they lie in the box: a large key's box runs to tens of megabytes.
    const auto *nonce = bytes(box);
    const auto *ciphertext = nonce + gcmNonceLength;
    const int ciphertextLength = int(box.size() - gcmNonceLength - gcmTagLength);
    unsigned char tag[gcmTagLength];
    std::memcpy(tag, ciphertext + ciphertextLength, gcmTagLength);
    CipherContext context = newCipherContext();
    QByteArray plaintext(ciphertextLength, Qt::Uninitialized);
    int length = 0;
    const bool ok = EVP_DecryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) == 1
        && EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_IVLEN, gcmNonceLength, nullptr) == 1
        && EVP_DecryptInit_ex(context.get(), nullptr, nullptr, bytes(key), nonce) == 1
        && EVP_DecryptUpdate(context.get(), nullptr, &length, bytes(associatedData), int(associatedData.size())) == 1
        && EVP_DecryptUpdate(context.get(), bytes(plaintext), &length, ciphertext, ciphertextLength) == 1
        && EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, gcmTagLength, tag) == 1
        && EVP_DecryptFinal_ex(context.get(), bytes(plaintext) + length, &length) == 1;
    if (!ok) {
        wipe(plaintext);
        return std::nullopt;
    }
    return plaintext;
}

QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, uint32_t rounds, int length)
{
    // The EVP_KDF interface takes the full 32-bit round count, unlike PKCS5_PBKDF2_HMAC.
    std::unique_ptr<EVP_KDF, decltype(&EVP_KDF_free)> kdf(EVP_KDF_fetch(nullptr, "PBKDF2", nullptr), &EVP_KDF_free);
    if (!kdf)
        throw std::runtime_error("PBKDF2 unavailable");
    std::unique_ptr<EVP_KDF_CTX, decltype(&EVP_KDF_CTX_free)> context(EVP_KDF_CTX_new(kdf.get()), &EVP_KDF_CTX_free);
    if (!context)
        throw std::runtime_error("PBKDF2 unavailable");
    QByteArray passwordCopy = password; // OSSL_PARAM wants non-const pointers
    QByteArray saltCopy = salt;
    uint64_t iterations = rounds;
    char digest[] = "SHA256";
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_PASSWORD, passwordCopy.data(), size_t(passwordCopy.size())),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_SALT, saltCopy.data(), size_t(saltCopy.size())),
        OSSL_PARAM_construct_uint64(OSSL_KDF_PARAM_ITER, &iterations),
        OSSL_PARAM_construct_utf8_string(OSSL_KDF_PARAM_DIGEST, digest, 0),
        OSSL_PARAM_construct_end(),
    };
    QByteArray out(length, '\0');
    const bool ok = EVP_KDF_derive(context.get(), bytes(out), size_t(length), params) == 1;
    wipe(passwordCopy);
    if (!ok)
        throw std::runtime_error("PBKDF2 failed");
    return out;
}

QByteArray randomBytes(int length)
{
    QByteArray out(length, '\0');
    if (RAND_bytes(bytes(out), length) != 1)
        throw std::runtime_error("no secure random bytes available");
    return out;
}

void wipe(QByteArray &bytes)
{
    if (!bytes.isEmpty()) {
        // data() detaches first, so a shared copy elsewhere is left alone.
        OPENSSL_cleanse(bytes.data(), size_t(bytes.size()));
    }
    bytes.clear();
}

} // namespace quorvane::crypto
