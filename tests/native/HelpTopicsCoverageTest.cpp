// Every help context number the program opens has its own page in the help
// folder, and the contents page links every page. The numbers are read from
// the sources and resources as they are written: named constants
// (k...HelpContext = N), HelpContext fields set to a number, and numbers
// handed straight to OpenHelp or HelpTopicPath.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Each context number, with one place it was found.
std::map<int, std::string> ContextNumbersIn(const fs::path& folder) {
    static const std::regex patterns[] = {
        std::regex(R"(\bk\w*HelpContext\w*\s*=\s*(\d+))"),
        std::regex(R"(\bHelpContext\s*=\s*(\d+))"),
        std::regex(R"(\bOpenHelp\(\s*(\d+)\s*\))"),
        std::regex(R"(\bHelpTopicPath\([^,()]+,\s*(\d+))"),
        std::regex(R"(\bHELPID\s+(\d+))"),
    };
    std::map<int, std::string> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h" && extension != ".rc")) continue;
        const std::string text = ReadText(entry.path());
        for (const std::regex& pattern : patterns) {
            for (std::sregex_iterator match(text.begin(), text.end(), pattern), end; match != end; ++match) {
                const int number = std::stoi((*match)[1].str());
                if (number != 0) found.emplace(number, entry.path().filename().string());
            }
        }
    }
    return found;
}

}  // namespace

TEST(HelpTopicsCoverageTest, EveryContextNumberHasItsPageAndTheContentsLinkIt) {
    const fs::path root = QM_SOURCE_DIR;
    std::map<int, std::string> numbers = ContextNumbersIn(root / "src");
    for (const auto& [number, place] : ContextNumbersIn(root / "res")) numbers.emplace(number, place);

    // The scan must see the numbers it is known to hold, or it proves nothing.
    for (int known : {2100, 2120, 2130, 3010, 3020, 4000, 4010, 4020, 4030, 5030})
        EXPECT_EQ(1u, numbers.count(known)) << known << " was not found in the sources";

    const std::string contents = ReadText(root / "help" / "index.htm");
    ASSERT_FALSE(contents.empty());
    for (const auto& [number, place] : numbers) {
        const std::string page = std::to_string(number) + ".htm";
        const std::string text = ReadText(root / "help" / page);
        EXPECT_FALSE(text.empty()) << "help/" << page << " is missing; " << place << " opens it";
        EXPECT_NE(std::string::npos, text.find("<h1>")) << page << " has no title";
        EXPECT_NE(std::string::npos, contents.find("href=\"" + page + "\"")) << "the contents do not link " << page;
    }
}

TEST(HelpTopicsCoverageTest, EveryPageLinksBackToTheContentsAndNoLinkIsBroken) {
    const fs::path help = fs::path(QM_SOURCE_DIR) / "help";
    const std::regex link(R"(href="([^":]+\.htm)\")");
    int pages = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(help)) {
        if (entry.path().extension() != ".htm") continue;
        ++pages;
        const std::string text = ReadText(entry.path());
        const std::string name = entry.path().filename().string();
        if (name != "index.htm") {
            EXPECT_NE(std::string::npos, text.find("href=\"index.htm\"")) << name;
        }
        for (std::sregex_iterator match(text.begin(), text.end(), link), end; match != end; ++match)
            EXPECT_TRUE(fs::exists(help / (*match)[1].str())) << name << " links " << (*match)[1].str();
    }
    EXPECT_GE(pages, 11);
}
