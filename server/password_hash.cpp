// Argon2id hashing and session tokens (see password_hash.h).
#include "server/password_hash.h"

#include <sodium.h>

#include <mutex>
#include <stdexcept>

namespace zor::server {

namespace {

void StartSodium() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] { ok = sodium_init() >= 0; });
  if (!ok) throw std::runtime_error("Não foi possível iniciar a biblioteca de criptografia (libsodium).");
}

std::string Hex(const unsigned char* bytes, size_t n) {
  std::string out(n * 2 + 1, '\0');
  sodium_bin2hex(out.data(), out.size(), bytes, n);
  out.pop_back();
  return out;
}

}  // namespace

std::string HashPassword(const std::string& password, HashCost cost) {
  StartSodium();
  unsigned long long ops = cost == HashCost::Minimal ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
  size_t mem = cost == HashCost::Minimal ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
  char out[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str_alg(out, password.data(), password.size(), ops, mem, crypto_pwhash_ALG_ARGON2ID13) != 0)
    throw std::runtime_error("Memória insuficiente para calcular o hash da senha.");
  return out;
}

bool VerifyPassword(const std::string& password, const std::string& storedHash) {
  StartSodium();
  if (storedHash.empty() || storedHash.size() >= crypto_pwhash_STRBYTES) return false;
  return crypto_pwhash_str_verify(storedHash.c_str(), password.data(), password.size()) == 0;
}

std::string NewSessionToken() {
  StartSodium();
  unsigned char bytes[32];
  randombytes_buf(bytes, sizeof bytes);
  return Hex(bytes, sizeof bytes);
}

std::string TokenDigest(const std::string& token) {
  StartSodium();
  unsigned char digest[32];
  crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(token.data()), token.size(),
                     nullptr, 0);
  return Hex(digest, sizeof digest);
}

}  // namespace zor::server
