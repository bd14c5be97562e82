#pragma once
// The real sensor images of tests/data/real-teds, read from their files.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "teds_container.hpp"

namespace teds::testing {

inline container::Image realImage(const std::string& file) {
    std::ifstream in(std::string(TEDS_TEST_DATA_DIR "/real-teds/") + file, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const container::ReadResult read = container::readContainer(content);
    EXPECT_TRUE(read.ok()) << file << ": " << read.error;
    return read.image;
}

}  // namespace teds::testing
