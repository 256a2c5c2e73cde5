// Temporary files for the cartio tests: each test gets a fresh directory, removed afterwards.
#ifndef CARTULAN_TESTS_SUPPORT_TEST_FILES_H
#define CARTULAN_TESTS_SUPPORT_TEST_FILES_H

#include <filesystem>
#include <string>

struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const;

    std::filesystem::path root;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

#endif
