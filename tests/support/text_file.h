#pragma once

// Whole files as text for the tests: golden outputs, problem files, files a run wrote.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace varnel::testing_support {

// The bytes of the file at path; empty when it cannot be read.
inline std::string readTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes text to the file at path, replacing it.
inline void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

}  // namespace varnel::testing_support
