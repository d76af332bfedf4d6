// Which URLs name one page.
#pragma once

#include <cstddef>
#include <string>

// Whether two bookmarks point at one page, for finding copies: the scheme
// and the host compare without regard to letter case, the rest byte for
// byte, since paths, queries and user names are case-sensitive on most
// servers ("/AbC" and "/abc" are two short links). The store's own rule
// (TextEqual) folds the whole URL.
bool SameAddress(const std::string& a, const std::string& b);

// Hash matching SameAddress: addresses that are the same hash alike.
size_t HashAddress(const std::string& url);

// The key under which similar addresses count as one, for the duplicate
// search's wider rule: for http and https the scheme folded to "http", the
// host in lower case without a leading "www.", the default port, a trailing
// "/", the fragment and tracking parameters (utm_*, fbclid, gclid) left
// out. Other schemes keep their URL but for the fragment.
std::string SimilarUrlKey(const std::string& url);
