// A fresh directory per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/utf8path.h"

namespace velmora::testing {

class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("velmora-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // The UTF-8 name of an entry in the directory.
    std::string Path(const std::string& name) const { return NameOf(dir_) + "/" + name; }

    // Whether the directory tells apart names that differ only in case (not so on Windows).
    bool NamesDifferInCase() const {
        std::ofstream(dir_ / "case-probe").put('x');
        return !std::filesystem::exists(dir_ / "CASE-PROBE");
    }

    void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(PathOf(Path(name)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::uint8_t> ReadBytes(const std::string& name) const {
        std::ifstream in(PathOf(Path(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir_;
};

}  // namespace velmora::testing
