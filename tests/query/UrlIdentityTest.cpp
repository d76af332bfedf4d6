// Tests of which URLs name one page.
#include "query/UrlIdentity.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlIdentityTest, SchemeAndHostFoldTheRestIsBytes)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"HTTPS://Sho.RT/AbC", "https://sho.rt/AbC", true},
        {"https://sho.rt/AbC", "https://sho.rt/abc", false},
        {"https://youtu.be/dQw4w9WgXcQ", "https://youtu.be/dqw4w9wgxcq", false},
        {"http://h/?v=Ab", "http://h/?v=aB", false},
        {"http://h/#Top", "http://h/#top", false},
        {"http://h:80/x", "http://H:80/x", true},
        // A user name is not the host; its '@' is the last before the path.
        {"ftp://Ann@Host/", "ftp://ann@host/", false},
        {"ftp://ann@Host/", "ftp://ann@host/", true},
        {"http://a@b@Host/", "http://a@b@host/", true},
        {"http://Host?Q", "http://host?Q", true},
        {"http://Host?Q", "http://host?q", false},
        {"http://Host\\P", "http://host\\P", true},
        {"http://Host\\P", "http://host\\p", false},
        // Without "//" there is no host: only the scheme folds.
        {"MAILTO:Ann@Example.org", "mailto:Ann@Example.org", true},
        {"mailto:Ann@Example.org", "mailto:ann@example.org", false},
        // No scheme at all: every byte counts.
        {"www.Example.org", "www.example.org", false},
        {"1http://a/", "1HTTP://a/", false},
        {"http://\xC4/", "http://\xE4/", false},
        {"", "", true},
        {"http://", "HTTP://", true},
        {"http://a/", "http://a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.same, SameAddress(c.a, c.b)) << c.a << " / " << c.b;
        EXPECT_EQ(c.same, SameAddress(c.b, c.a)) << c.b << " / " << c.a;
        if (c.same) {
            EXPECT_EQ(HashAddress(c.a), HashAddress(c.b)) << c.a;
        }
    }
}

} // namespace

TEST(UrlIdentityTest, SimilarAddressesShareAKey)
{
    const struct {
        const char* a;
        const char* b;
        bool similar;
    } cases[] = {
        {"http://example.com/a", "https://www.Example.COM:443/a/#top", true},
        {"https://example.com:443/", "http://example.com", true},
        {"https://example.com:80/", "http://example.com", false},
        {"http://example.com/?utm_source=x&id=1&fbclid=y&gclid=z&UTM_medium=m", "http://example.com?id=1", true},
        {"http://user@WWW.example.com/p", "http://user@example.com/p", true},
        {"http://example.com/a", "http://example.com/A", false},
        {"http://example.com/?id=1", "http://example.com/?id=2", false},
        {"http://example.com:8080/", "http://example.com/", false},
        {"http://www2.example.com/", "http://example.com/", false},
        {"ftp://www.example.com/", "ftp://example.com/", false},
        {"mailto:a@b#x", "mailto:a@b", true},
        {"http://example.com/?utm", "http://example.com/?utm", true},
        {"http://example.com/?utm", "http://example.com/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SimilarUrlKey(c.a) == SimilarUrlKey(c.b), c.similar) << c.a << " " << c.b;
}
