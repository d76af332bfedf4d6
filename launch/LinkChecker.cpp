// The link check: its jobs, workers and outcomes.
#include "launch/LinkChecker.h"

#include "launch/CookieJar.h"
#include "store/DataFile.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const int kMaxRedirects = 5;
const size_t kMaxUrlBytes = 8192;
// Bytes a URL may not carry as they are; escaped before sending.
const char kUnsafeInUrl[] = " \"<>\\^`{|}";

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const size_t length = std::strlen(prefix);
    return text.size() >= length && TextEqual(text.substr(0, length), prefix);
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = FoldAscii(c);
    return text;
}

// Where the path begins in an absolute URL: the first '/', '?' or '#' after "//".
size_t PathStart(const std::string& url)
{
    const size_t scheme = url.find("://");
    const size_t start = url.find_first_of("/?#", scheme == std::string::npos ? 0 : scheme + 3);
    return start == std::string::npos ? url.size() : start;
}

// The URL as it is sent: no fragment, no user name or password (never sent),
// blanks and bytes beyond ASCII escaped. False for control characters, an
// empty or odd host, and absurd lengths.
bool PrepareUrl(const std::string& url, std::string& prepared)
{
    if (!IsCheckedUrl(url) || url.size() > kMaxUrlBytes)
        return false;
    for (const char c : url) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    }
    const size_t hostStart = url.find("://") + 3;
    const size_t pathStart = PathStart(url);
    std::string authority = url.substr(hostStart, pathStart - hostStart);
    authority.erase(0, authority.rfind('@') + 1);  // npos + 1 erases nothing
    if (authority.empty() || authority.find_first_of(kUnsafeInUrl) != std::string::npos)
        return false;
    prepared = Lowered(url.substr(0, hostStart)) + authority;
    const std::string rest = url.substr(pathStart, url.find('#', pathStart) - pathStart);
    for (const char c : rest) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || std::strchr(kUnsafeInUrl, c)) {
            const char hex[] = "0123456789ABCDEF";
            prepared += '%';
            prepared += hex[byte >> 4];
            prepared += hex[byte & 15];
        } else {
            prepared += c;
        }
    }
    return true;
}

// Requests are limited per scheme, host and port: "http://host:80".
std::string HostKey(const std::string& prepared)
{
    const size_t pathStart = PathStart(prepared);
    std::string key = Lowered(prepared.substr(0, pathStart));
    const size_t colon = key.rfind(':');
    const size_t bracket = key.rfind(']');  // an IPv6 address holds colons of its own
    if (colon < key.find("://") + 3 || (bracket != std::string::npos && colon < bracket))
        key += StartsWithNoCase(key, "https:") ? ":443" : ":80";
    return key;
}

// Whether GET may get the page where HEAD did not: many servers refuse HEAD
// (403, 404, 405, a dropped connection) and answer a browser's GET.
bool HeadRefused(const HttpReply& reply)
{
    if (reply.failure == HttpFailure::None)
        return reply.status < 200 || reply.status >= 400;
    return reply.failure != HttpFailure::Cancelled;
}

// A browser takes only these for the page's new address; 302, 303 and 307
// lead elsewhere for now (a login page, a session), the address stays.
bool IsPermanentRedirect(int status)
{
    return status == 301 || status == 308;
}

// The user name and password of a URL, '@' included; empty without them.
std::string Credentials(const std::string& url)
{
    const size_t hostStart = url.find("://");
    if (hostStart == std::string::npos)
        return std::string();
    const size_t pathStart = PathStart(url);
    const size_t at = url.rfind('@', pathStart - 1);
    return at != std::string::npos && at > hostStart + 2 ? url.substr(hostStart + 3, at - hostStart - 2)
                                                          : std::string();
}

// The host of a URL without port, user name and password, letters folded.
std::string HostName(const std::string& url)
{
    const size_t hostStart = url.find("://");
    if (hostStart == std::string::npos)
        return std::string();
    std::string host = url.substr(hostStart + 3, PathStart(url) - hostStart - 3);
    host.erase(0, host.rfind('@') + 1);
    const size_t colon = host.rfind(':');
    const size_t bracket = host.rfind(']');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket))
        host.resize(colon);
    return Lowered(host);
}

} // namespace

std::string LinkCheckUserAgent()
{
    return "Linkhive/" LINKHIVE_VERSION;
}

bool IsCheckedUrl(const std::string& url)
{
    return StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://");
}

std::vector<LinkJob> LinkJobsOf(const StoreContent& content, const std::string* group, size_t& notChecked)
{
    std::vector<LinkJob> jobs;
    notChecked = 0;
    for (size_t i = 0; i < content.m_arrItems.size(); ++i) {
        const BookmarkItem& item = content.m_arrItems[i];
        if (group && !TextEqual(item.m_strGroup, *group))
            continue;
        if (IsCheckedUrl(item.m_strURL))
            jobs.push_back({i, item.m_strURL});
        else
            ++notChecked;
    }
    return jobs;
}

std::vector<LinkJob> PlanLinkCheck(const StoreContent& content, const std::string* group,
                                   std::vector<CheckedBookmark>& checked, size_t& notChecked)
{
    std::vector<LinkJob> jobs = LinkJobsOf(content, group, notChecked);
    checked.clear();
    for (size_t job = 0; job < jobs.size(); ++job) {
        const BookmarkItem& item = content.m_arrItems[jobs[job].index];
        checked.push_back({jobs[job].index, item.m_strGroup, item.m_strName, item.m_strURL});
        jobs[job].index = job;
    }
    return jobs;
}

std::string ResolveLocation(const std::string& base, const std::string& location)
{
    const size_t colon = location.find(':');
    if (colon != std::string::npos && colon > 0 && location.find_first_of("/?#") > colon &&
        std::isalpha(static_cast<unsigned char>(location[0])))
        return location;
    const size_t pathStart = PathStart(base);
    if (location.compare(0, 2, "//") == 0)
        return base.substr(0, base.find(':') + 1) + location;
    const std::string origin = base.substr(0, pathStart);
    if (location.empty() || location[0] == '/')
        return origin + (location.empty() ? "/" : location);
    std::string path = base.substr(pathStart, base.find_first_of("?#", pathStart) - pathStart);
    if (path.empty())
        path = "/";
    if (location[0] == '?' || location[0] == '#')
        return origin + path + location;
    return origin + path.substr(0, path.rfind('/') + 1) + location;
}

std::string NewAddress(const std::string& bookmarkUrl, const std::string& finalUrl)
{
    std::string address = finalUrl;
    const std::string credentials = Credentials(bookmarkUrl);
    if (!credentials.empty() && Credentials(finalUrl).empty() && HostName(bookmarkUrl) == HostName(finalUrl)) {
        const size_t hostStart = address.find("://");
        if (hostStart != std::string::npos)
            address.insert(hostStart + 3, credentials);
    }
    const size_t fragment = bookmarkUrl.find('#');
    if (fragment != std::string::npos && address.find('#') == std::string::npos)
        address += bookmarkUrl.substr(fragment);
    return address;
}

std::string OutcomeDetail(const LinkOutcome& outcome)
{
    switch (outcome.status) {
    case LinkStatus::Ok:
        return std::string();
    case LinkStatus::Moved:
        return outcome.finalUrl;
    case LinkStatus::Broken:
    case LinkStatus::Busy:
        return std::to_string(outcome.httpStatus);
    case LinkStatus::Unreachable:
        break;
    }
    switch (outcome.failure) {
    case HttpFailure::BadAddress:
        return "bad address";
    case HttpFailure::NameNotFound:
        return "name not found";
    case HttpFailure::Refused:
        return "connection refused";
    case HttpFailure::Timeout:
        return "timed out";
    case HttpFailure::Tls:
        return "TLS failure";
    case HttpFailure::Malformed:
        return "malformed answer";
    case HttpFailure::TooManyRedirects:
        return "too many redirects";
    case HttpFailure::NotWebRedirect:
        return "redirect to " + outcome.failureText;
    case HttpFailure::Cancelled:
        return "cancelled";
    case HttpFailure::None:
    case HttpFailure::Other:
        break;
    }
    return outcome.failureText.empty() ? "no answer" : outcome.failureText;
}

LinkChecker::LinkChecker(IHttpClient& http, const LinkCheckLimits& limits) : m_http(http), m_limits(limits) {}

LinkChecker::~LinkChecker()
{
    Cancel();
}

void LinkChecker::Start(std::vector<LinkJob> jobs, Report report)
{
    m_jobs = std::move(jobs);
    m_report = std::move(report);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (size_t n = 0; n < m_jobs.size(); ++n) {
            std::string prepared;
            Host& host = m_hosts[PrepareUrl(m_jobs[n].url, prepared) ? HostKey(prepared) : std::string()];
            host.waiting.push_back(n);
            MarkReady(host);
        }
        m_untaken = m_jobs.size();
    }
    const size_t workers = std::min(std::max<size_t>(m_limits.requests, 1), m_jobs.size());
    for (size_t n = 0; n < workers; ++n)
        m_workers.emplace_back(&LinkChecker::Work, this);
}

void LinkChecker::Wait()
{
    JoinWorkers();
}

void LinkChecker::Cancel()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_cancel = true;
    }
    m_changed.notify_all();
    JoinWorkers();
}

void LinkChecker::JoinWorkers()
{
    for (std::thread& worker : m_workers) {
        if (worker.joinable())
            worker.join();
    }
}

void LinkChecker::Work()
{
    size_t job = 0;
    while (Host* held = TakeJob(job)) {
        const LinkOutcome outcome = Check(m_jobs[job], held);
        if (held)
            Release(held);
        const std::lock_guard<std::mutex> lock(m_reportMutex);
        if (!m_cancel)
            m_report(outcome);
    }
}

void LinkChecker::MarkReady(Host& host)
{
    if (!host.ready && !host.waiting.empty() && host.active < m_limits.perHost) {
        host.ready = true;
        m_ready.push_back(&host);
    }
}

LinkChecker::Host* LinkChecker::TakeJob(size_t& job)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_cancel || m_untaken == 0)
            return nullptr;
        while (!m_ready.empty()) {
            Host* host = m_ready.front();
            m_ready.pop_front();
            host->ready = false;
            if (host->waiting.empty() || host->active >= m_limits.perHost)
                continue;  // a redirect took its room; Release offers it again
            job = host->waiting.front();
            host->waiting.pop_front();
            ++host->active;
            --m_untaken;
            MarkReady(*host);
            return host;
        }
        m_changed.wait(lock);
    }
}

LinkChecker::Host* LinkChecker::Acquire(const std::string& key)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    Host& host = m_hosts[key];
    m_changed.wait(lock, [&] { return m_cancel || host.active < m_limits.perHost; });
    if (m_cancel)
        return nullptr;
    ++host.active;
    return &host;
}

void LinkChecker::Release(Host* host)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        --host->active;
        MarkReady(*host);
    }
    m_changed.notify_all();
}

HttpReply LinkChecker::Request(const std::string& method, const std::string& url, CookieJar& cookies,
                               std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    if (left <= 0) {
        HttpReply reply;
        reply.failure = HttpFailure::Timeout;
        return reply;
    }
    HttpReply reply = m_http.Send(method, url, cookies.HeaderFor(url), static_cast<int>(left), m_cancel);
    cookies.Take(url, reply.setCookies);
    return reply;
}

// Holds the room of one host at a time in `held`: the job's, then each
// redirect's (null once cancelled while waiting for one).
LinkOutcome LinkChecker::Check(const LinkJob& job, Host*& held)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(m_limits.timeoutSeconds);
    LinkOutcome outcome;
    outcome.index = job.index;
    outcome.status = LinkStatus::Unreachable;
    const auto unreachable = [&outcome](HttpFailure failure, const std::string& text = std::string()) {
        outcome.failure = failure;
        outcome.failureText = text;
        return outcome;
    };
    std::string start;
    if (!PrepareUrl(job.url, start))
        return unreachable(HttpFailure::BadAddress);
    std::string url = start;
    // Where the permanent redirects lead, up to the first temporary one, and
    // the fragment the last of them gave.
    std::string moved = start;
    std::string movedFragment;
    bool permanent = true;
    CookieJar cookies;
    std::string method = "HEAD";
    for (int redirects = 0;; ++redirects) {
        HttpReply reply = Request(method, url, cookies, deadline);
        if (method == "HEAD" && HeadRefused(reply)) {
            method = "GET";
            reply = Request(method, url, cookies, deadline);
        }
        if (reply.failure != HttpFailure::None)
            return unreachable(reply.failure, reply.message);
        const std::string location = TrimmedHeaderText(reply.location);
        if (reply.status >= 300 && reply.status < 400 && !location.empty()) {
            if (redirects == kMaxRedirects)
                return unreachable(HttpFailure::TooManyRedirects);
            if (location.size() > kMaxUrlBytes)
                return unreachable(HttpFailure::Malformed);
            const std::string target = ResolveLocation(url, location);
            if (!IsCheckedUrl(target))
                return unreachable(HttpFailure::NotWebRedirect, target);
            std::string next;
            if (!PrepareUrl(target, next))
                return unreachable(HttpFailure::Malformed);
            if (HostKey(next) != HostKey(url)) {
                Release(held);
                held = Acquire(HostKey(next));
                if (!held)
                    return unreachable(HttpFailure::Cancelled);
            }
            url = next;
            permanent = permanent && IsPermanentRedirect(reply.status);
            if (permanent) {
                moved = next;
                const size_t fragment = target.find('#');
                if (fragment != std::string::npos)
                    movedFragment = target.substr(fragment);
            }
            continue;
        }
        outcome.httpStatus = reply.status;
        if (reply.status >= 200 && reply.status < 300) {
            outcome.status = moved == start ? LinkStatus::Ok : LinkStatus::Moved;
            if (outcome.status == LinkStatus::Moved)
                outcome.finalUrl = moved + movedFragment;
        } else if (reply.status == 429 || reply.status == 503) {
            outcome.status = LinkStatus::Busy;
        } else if (reply.status >= 400 && reply.status < 600) {
            outcome.status = LinkStatus::Broken;
        } else {
            outcome.failure = HttpFailure::Malformed;  // 1xx, a redirect to nowhere, no status at all
        }
        return outcome;
    }
}
