#pragma once

#include <QString>

// Program version; the three numbers are also written into every label document file.
namespace version {
constexpr int major = 4;
constexpr int minor = 1;
constexpr int patch = 0;
constexpr const char *string = "v4.1.0";
constexpr const char *suffix = "";

// "Veltrux Tagorix 4.1.0", with "-<suffix>" appended when there is one.
QString displayName();
} // namespace version
