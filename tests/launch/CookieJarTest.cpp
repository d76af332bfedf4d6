// Tests of the link check's cookies.
#include "launch/CookieJar.h"

#include <gtest/gtest.h>

namespace {

TEST(CookieJarTest, ACookieGoesBackOnlyToItsHostAlongItsPath)
{
    CookieJar jar;
    jar.Take("http://Site:8080/a/b?q", {"s=1", "deep=2; Path=/a/b/c", " t = 6 ; HttpOnly",
                                        "wide=3; path=/; Domain=example.org", "sec=4; Secure", "bare", "=5",
                                        "odd=7; Path=relative", "gone=8; Max-Age=0", "keep=9; Max-Age=x"});
    jar.Take("https://site/", {"sec=10; Secure; Path=/"});
    const struct {
        const char* url;
        const char* header;
    } cases[] = {
        {"http://site/a/x", "s=1; t=6; odd=7; keep=9; wide=3"},
        {"http://SITE:9/a/b/c/d", "deep=2; s=1; t=6; odd=7; keep=9; wide=3"},
        {"https://site/a", "s=1; t=6; odd=7; keep=9; wide=3; sec=10"},
        {"http://site/ab", "wide=3"},
        {"http://site", "wide=3"},
        {"http://other/a/x", ""},
        {"http://example.org/", ""},
        {"http://www.site/a", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.header, jar.HeaderFor(c.url)) << c.url;

    // The same name and path replaces; Max-Age 0 or less removes.
    jar.Take("http://site/a/", {"s=11; Path=/a", "wide=; Max-Age=-1; Path=/", "t=12; Max-Age=0; Path=/a"});
    EXPECT_EQ("s=11; odd=7; keep=9", jar.HeaderFor("http://site/a/x"));
}

} // namespace
