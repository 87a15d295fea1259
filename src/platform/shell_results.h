#pragma once
// What opening a web address answers, in the shell's convention.

namespace platform::shell {

constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;
constexpr int kSuccess = 42;

}  // namespace platform::shell
