#include <gtest/gtest.h>

#include <string>

#include "controls/Url.h"
#include "platform/memory/RecordingShellOpen.h"

namespace {

class UrlTest : public ::testing::Test {
protected:
    TRecordingShellOpen Shell;
    TURL Link{Shell};
};

TEST_F(UrlTest, EmptyAddressOpensNothing) {
    Link.URLType = TURLType::utMailto;
    EXPECT_FALSE(Link.Open());
    EXPECT_TRUE(Shell.Opened.empty());
}

TEST_F(UrlTest, SchemeDefaultsToHttpAndOpensWithoutActivating) {
    Link.URL = "www.tollvane.example/quarrymap";
    EXPECT_TRUE(Link.Open());
    ASSERT_EQ(1u, Shell.Opened.size());
    EXPECT_EQ("http://www.tollvane.example/quarrymap", Shell.Opened[0].Target);
    EXPECT_EQ(4, Shell.Opened[0].ShowMode);
}

TEST_F(UrlTest, EverySchemeHasItsPrefix) {
    const std::pair<TURLType, const char*> cases[] = {
        {TURLType::utFile, "file://"}, {TURLType::utFtp, "ftp://"},     {TURLType::utGopher, "gopher://"},
        {TURLType::utHttp, "http://"}, {TURLType::utHttps, "https://"}, {TURLType::utMailto, "mailto:"},
        {TURLType::utNews, "news:"},   {TURLType::utTelnet, "telnet:"}, {TURLType::utWais, "wais:"},
    };
    Link.URL = "host/x";
    for (const auto& c : cases) {
        Link.URLType = c.first;
        EXPECT_TRUE(Link.Open());
        EXPECT_EQ(std::string(c.second) + "host/x", Shell.Opened.back().Target);
    }
}

TEST_F(UrlTest, ShellResultsUpTo32AreFailures) {
    Link.URL = "example.org";
    for (const intptr_t failure : {0, 2, 32}) {
        Shell.Result = failure;
        EXPECT_FALSE(Link.Open()) << failure;
    }
    Shell.Result = 33;
    EXPECT_TRUE(Link.Open());
}

}  // namespace
