// The expected files that tests/core/golden/make_golden.py writes.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace lumatab {

inline std::string Golden(const char* name) {
    std::ifstream file(std::string(LUMATAB_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing golden file " << name;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace lumatab
