#pragma once
// A copy of the shipped content in a temporary directory, broken on purpose and checked with the
// strict content checker.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "lib/content_check.h"
#include "test_support.h"

namespace veloria {

inline const std::string kShippedContent = std::string(VELORIA_SOURCE_DIR) + "/content";

inline check::CheckResult CheckDir(const std::string& dir, bool media = false) {
    check::CheckOptions options;
    options.media = media;
    return check::CheckContent(dir, options);
}

inline std::string Describe(const check::CheckResult& r) {
    std::string s = std::to_string(r.loaderWarnings) + " loader warnings\n";
    for (const std::string& p : r.problems) s += p + "\n";
    return s;
}

struct BrokenCopy : TempDir {
    BrokenCopy() {
        std::filesystem::copy(kShippedContent, path, std::filesystem::copy_options::recursive);
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(path + "/" + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Replaces the index-th white-space separated word of a file, keeping the rest as it was
    // ("" removes it, "1 2" puts two words in its place).
    void SetWord(const std::string& relative, size_t index, const std::string& word) const {
        std::string text = Read(relative);
        size_t pos = 0;
        for (size_t k = 0;; ++k) {
            pos = text.find_first_not_of(" \t\r\n", pos);
            ASSERT_NE(pos, std::string::npos) << relative << " has no word " << index;
            size_t end = std::min(text.find_first_of(" \t\r\n", pos), text.size());
            if (k == index) {
                Write(relative, text.replace(pos, end - pos, word));
                return;
            }
            pos = end;
        }
    }
    void Remove(const std::string& relative) const {
        std::filesystem::remove(path + "/" + relative);
    }
    check::CheckResult Check(bool media = false) const { return CheckDir(path, media); }
};

}  // namespace veloria
