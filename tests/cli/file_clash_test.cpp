// An output that is also an input is refused before anything is opened: the input survives.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calc_options.h"
#include "calculator_main.h"
#include "file_clash.h"

namespace veltrane::cli {
namespace {

namespace fs = std::filesystem;

/// A directory of its own for each test, with in.csv, design.csv, a hard link to in.csv and a
/// study.
class FileClash : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir_ = fs::temp_directory_path() / ("veltrane-file-clash-" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Write("in.csv", kInput);
        Write("in.svg", kInput);
        Write("design.csv", kInput);
        fs::create_hard_link(dir_ / "in.csv", dir_ / "link.csv");
        fs::copy_file(fs::path(VELTRANE_CLI_FIXTURES) / "study_bins.veltrane",
                      dir_ / "study.veltrane");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& file, const std::string& text) const {
        std::ofstream(dir_ / file, std::ios::binary) << text;
    }
    [[nodiscard]] std::string Read(const std::string& file) const {
        std::ifstream in(dir_ / file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    /// The arguments with every "@NAME" taken as NAME in the test's directory.
    [[nodiscard]] std::vector<std::string> InDir(const std::vector<std::string>& arguments) const {
        std::vector<std::string> placed;
        for (const std::string& argument : arguments) {
            const std::size_t at = argument.find('@');
            placed.push_back(at == std::string::npos
                                 ? argument
                                 : argument.substr(0, at) +
                                       (dir_ / argument.substr(at + 1)).string());
        }
        return placed;
    }
    [[nodiscard]] std::string Clash(const std::vector<std::string>& arguments) const {
        const std::vector<std::string> placed = InDir(arguments);
        const std::vector<std::string_view> views(placed.begin(), placed.end());
        const ParsedArguments parsed = ParseArguments(views);
        EXPECT_EQ(parsed.error, "");
        return OutputThatIsAnInput(parsed.options);
    }

    static constexpr const char* kInput = "Twb\n60\n70\n";
    fs::path dir_;
};

struct ClashCase {
    std::vector<std::string> arguments;
    bool refused;
};

TEST_F(FileClash, shouldRefuseEveryOutputThatIsTheSameFileAsAnInput) {
    const ClashCase cases[] = {
        {{"--trace=@in.csv", "@in.csv"}, true},
        {{"--trace", "@in.csv"}, false},  // --trace alone writes to standard error: in.csv is read
        {{"--demand", "@in.csv", "@in.csv"}, true},
        {{"--chart", "@in.svg", "@in.csv", "@in.svg"}, true},
        {{"--curves", "@in.svg", "--slope", "0.6", "@in.svg"}, true},
        {{"--curves-csv", "@in.csv", "--slope", "0.6", "@in.csv"}, true},
        // The same file by another name: a hard link, a path through "."
        {{"--trace=@link.csv", "@in.csv"}, true},
        {{"--demand", "@./in.csv", "@in.csv"}, true},
        {{"--trace=@design.csv", "--acceptance", "@design.csv", "--slope", "0.6", "@in.csv"}, true},
        {{"--trace=@study.veltrane", "--study", "@study.veltrane"}, true},
        // Another file, or one that does not exist yet, is written as asked.
        {{"--trace=@design.csv", "@in.csv"}, false},
        {{"--demand", "@new.csv", "@in.csv"}, false},
        {{"--trace=@in.csv", "--defaults"}, false},
    };
    for (const ClashCase& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments)
            line += argument + ' ';
        SCOPED_TRACE(line);
        EXPECT_EQ(!Clash(c.arguments).empty(), c.refused);
    }
}

TEST_F(FileClash, shouldLeaveTheInputWholeAndExitTwo) {
    const std::vector<std::string> placed = InDir({"--trace=@in.csv", "@in.csv"});
    const std::vector<std::string_view> views(placed.begin(), placed.end());
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ASSERT_NE(err, nullptr);
    EXPECT_EQ(RunCalculator(views, stdin, out, err), kExitUsage);
    EXPECT_EQ(Read("in.csv"), kInput);
    EXPECT_EQ(std::ftell(out), 0L);
    EXPECT_GT(std::ftell(err), 0L);
    std::fclose(out);
    std::fclose(err);
}

}  // namespace
}  // namespace veltrane::cli
