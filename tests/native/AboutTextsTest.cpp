#include "main/AboutTexts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

}  // namespace

TEST(IntroLetterTextTest, OpensWithAnEmptyLineAndEndsWithTheTwoClosingLines) {
    const std::vector<std::string> lines = LinesOf(IntroLetterText());
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ("", lines[0]);
    EXPECT_EQ("Dear User:", lines[1]);
    EXPECT_EQ("PS - This letter won't appear again. If you'd like to re-read", lines[lines.size() - 2]);
    EXPECT_EQ("it later, select Introductory Letter from the Help menu.", lines.back());
    // Lines end in CR LF only: a lone LF would show as a box in the memo.
    for (const std::string& line : lines) EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << line;
}

TEST(IntroLetterTextTest, AsksForTheSurveyAndIsSigned) {
    const std::string text = IntroLetterText();
    EXPECT_NE(std::string::npos, text.find("SURVEY.TXT"));
    EXPECT_NE(std::string::npos, text.find("Quarrymap 2000 development team"));
    EXPECT_NE(std::string::npos, text.find(std::string("\r\n") + kMakerName + "\r\n"));
}

TEST(HiddenMessageTest, IsStoredEncipheredAndReadsBackAsText) {
    const std::vector<uint8_t>& stored = StoredHiddenMessage();
    const std::string message = HiddenMessage();
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(stored.size(), message.size());
    // Not one word of it can be found in the program's bytes.
    std::istringstream words(message);
    const std::string storedText(stored.begin(), stored.end());
    for (std::string word; words >> word;) {
        if (word.size() >= 4) {
            EXPECT_EQ(std::string::npos, storedText.find(word)) << word;
        }
    }
    for (char c : message) EXPECT_TRUE(c == '\r' || c == '\n' || (c >= ' ' && c <= '~')) << int(c);
}

TEST(HiddenMessageTest, TheCipherUndoesItself) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 600; ++i) bytes.push_back(uint8_t(i * 7 + 3));
    const std::vector<uint8_t> mixed = MixWithKey(bytes);
    EXPECT_NE(bytes, mixed);
    EXPECT_EQ(bytes, MixWithKey(mixed));
    EXPECT_TRUE(MixWithKey({}).empty());
}
