#pragma once
// The words of the about box and the introductory letter.
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kMakerName = "Tollvane";
constexpr const char* kAboutCaption = "About Quarrymap 2000";
constexpr const char* kMajorVersion = "Version 2.1";
constexpr const char* kBuildPrefix = "Build ";
constexpr const char* kLegalNotice = "Copyright \xC2\xA9 1999-2026 Tollvane. All rights reserved.";
constexpr const char* kProductLinkTip = "Visit the Quarrymap 2000 Web page";
// The maker's site, without its scheme: a link opens it over http.
constexpr const char* kMakerWebSite = "www.tollvane.example/";
constexpr int kSupportHelpContext = 5030;

constexpr const char* kLetterCaption = "Please read the entire letter before continuing";
constexpr const char* kSurveyFileName = "SURVEY.TXT";

// The letter, lines joined by CR LF, from its empty first line to the two
// closing lines.
std::string IntroLetterText();

// The about box's hidden message, kept enciphered in the program and
// deciphered only when it is shown.
std::string HiddenMessage();
// The cipher both ways: each byte mixed with a running key, so the same
// call enciphers and deciphers.
std::vector<uint8_t> MixWithKey(const std::vector<uint8_t>& bytes);
// The message as the program stores it.
const std::vector<uint8_t>& StoredHiddenMessage();
