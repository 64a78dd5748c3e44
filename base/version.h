#pragma once
// The program's version, set once by the build (the project version in CMakeLists.txt).

namespace qv {

constexpr const char* kVersion = QUORVEL_VERSION;

}  // namespace qv
