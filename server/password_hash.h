// Password hashing for the server's users: Argon2id through libsodium's
// crypto_pwhash, stored in libsodium's self-describing text form (the cost
// travels with the hash, so a cheaper cost chosen for tests or a dearer one
// chosen later still verifies). Also the random session tokens and the
// digest under which a token is stored.
#pragma once

#include <string>

namespace zor::server {

enum class HashCost {
  Interactive,  // what the command line and the demo use (64 MiB, ~0.1 s)
  Minimal,      // tests only: the smallest cost libsodium accepts
};

// Throws std::runtime_error when libsodium cannot start or runs out of memory.
std::string HashPassword(const std::string& password, HashCost cost = HashCost::Interactive);
bool VerifyPassword(const std::string& password, const std::string& storedHash);

// 32 random bytes as 64 hexadecimal digits.
std::string NewSessionToken();
// The digest (BLAKE2b-256, hexadecimal) a token is stored and looked up by,
// so that a copy of the database does not hold usable tokens.
std::string TokenDigest(const std::string& token);

}  // namespace zor::server
