#pragma once
// File version resources: the fixed file information (signature
// 0xFEEF04BD) of a program file's version resource.
#include <cstdint>
#include <string>

namespace platform {

struct FixedFileVersion {
    std::uint32_t fileVersionMS = 0;  // major << 16 | minor
    std::uint32_t fileVersionLS = 0;  // third << 16 | fourth
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
};

// Reads the fixed file information of a file. A PE file's resource
// directory is walked to its version resource; any other file is scanned
// for the signature, so that our own executables can carry one. False when
// the file cannot be read or holds no such information.
bool ReadFileVersion(const std::string& path, FixedFileVersion& out);

// The same on bytes already read.
bool ParseFileVersion(const std::string& bytes, FixedFileVersion& out);

}  // namespace platform
