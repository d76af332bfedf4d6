// The link check: its jobs, workers and outcomes.
#pragma once

#include "launch/IHttpClient.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CookieJar;
struct StoreContent;

enum class LinkStatus { Ok, Moved, Broken, Busy, Unreachable };

// One link to check; `index` is the caller's, handed back in the outcome.
struct LinkJob {
    size_t index = 0;
    std::string url;
};

struct LinkOutcome {
    size_t index = 0;
    LinkStatus status = LinkStatus::Ok;
    int httpStatus = 0;         // Broken and Busy: the status code
    std::string finalUrl;       // Moved: where the permanent redirects led
    HttpFailure failure = HttpFailure::None;  // Unreachable: why
    std::string failureText;    // Other: the back end's words; NotWebRedirect: the address
};

struct LinkCheckLimits {
    size_t requests = 16;  // at once
    size_t perHost = 2;    // at once to one scheme, host and port
    int timeoutSeconds = 15;  // per link, redirects and the second try included
};

// "Linkhive/VERSION", the User-Agent of every check.
std::string LinkCheckUserAgent();

// Whether a URL is checked at all: http:// and https://, letters in any case.
bool IsCheckedUrl(const std::string& url);

// The checked bookmarks of `content` in store order (of the group `group`,
// letter case ignored, when given), each with its index in m_arrItems;
// `notChecked` counts the others of that set.
std::vector<LinkJob> LinkJobsOf(const StoreContent& content, const std::string* group, size_t& notChecked);

// A checked bookmark as it was when the check began; found again by these
// texts, since the collection may change meanwhile.
struct CheckedBookmark {
    size_t storeIndex = 0;  // where it was: tried first
    std::string group;
    std::string name;
    std::string url;
};

// The jobs of a check (LinkJobsOf), numbered from 0: each job's index names
// its bookmark in `checked`, which the outcomes are reported against.
std::vector<LinkJob> PlanLinkCheck(const StoreContent& content, const std::string* group,
                                   std::vector<CheckedBookmark>& checked, size_t& notChecked);

// The Location `location` sent in answer to `base`, as an absolute URL.
std::string ResolveLocation(const std::string& base, const std::string& location);

// The address a moved bookmark takes: `finalUrl` with the bookmark's
// fragment unless a redirect gave one, and with its user name and password
// when the host stays the same (never handed to another host).
std::string NewAddress(const std::string& bookmarkUrl, const std::string& finalUrl);

// The outcome in words: the final URL, the status code or the reason;
// empty for OK.
std::string OutcomeDetail(const LinkOutcome& outcome);

// Checks links on worker threads as a browser would see them: HEAD, then
// GET when HEAD gets no 2xx or 3xx answer; at most five redirects, to http
// and https only, with the cookies the check was given on the way (a
// CookieJar of its own). Moved only by permanent redirects (301, 308).
// Reads nothing of the store: the caller hands in copies of the URLs.
class LinkChecker {
public:
    // Called once per link, on a worker thread, one call at a time. A window
    // must post the outcome to its own thread (never send and wait: Cancel
    // may be waiting for that worker), and must not call Cancel or Wait from
    // here.
    using Report = std::function<void(const LinkOutcome&)>;

    explicit LinkChecker(IHttpClient& http, const LinkCheckLimits& limits = LinkCheckLimits());
    ~LinkChecker();  // cancels
    LinkChecker(const LinkChecker&) = delete;
    LinkChecker& operator=(const LinkChecker&) = delete;

    // Starts the check; once per checker.
    void Start(std::vector<LinkJob> jobs, Report report);
    // Returns when every link has been reported.
    void Wait();
    // Stops the check: returns, within a second, once no worker runs; no
    // outcome is reported after it.
    void Cancel();

private:
    // The jobs waiting for one scheme, host and port, and its requests now.
    struct Host {
        std::deque<size_t> waiting;
        size_t active = 0;
        bool ready = false;  // in m_ready
    };

    void Work();
    Host* TakeJob(size_t& job);
    Host* Acquire(const std::string& key);
    void Release(Host* host);
    void MarkReady(Host& host);
    LinkOutcome Check(const LinkJob& job, Host*& held);
    HttpReply Request(const std::string& method, const std::string& url, CookieJar& cookies,
                      std::chrono::steady_clock::time_point deadline);
    void JoinWorkers();

    IHttpClient& m_http;
    const LinkCheckLimits m_limits;
    std::vector<LinkJob> m_jobs;
    Report m_report;
    std::atomic<bool> m_cancel{false};

    std::mutex m_mutex;  // guards what follows
    std::condition_variable m_changed;
    std::map<std::string, Host> m_hosts;
    std::deque<Host*> m_ready;  // hosts with waiting jobs and room, taken in turn
    size_t m_untaken = 0;

    std::mutex m_reportMutex;
    std::vector<std::thread> m_workers;
};
