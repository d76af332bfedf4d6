// check: which bookmarks still answer, from the command line.

#include "cli/Commands.h"
#include "cli/CliSession.h"
#include "launch/HttpClient.h"
#include "launch/LinkChecker.h"

#include <cstdio>

namespace {

const int kMaxJobs = 256;
const int kMaxTimeoutSeconds = 3600;

// The number after `option`, from 1 to `maximum`; false when it is not one.
bool ReadCount(const CliArgs& args, const char* option, int maximum, int& value)
{
    if (!args.Has(option))
        return true;
    const std::string& text = args.Value(option);
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(text) < 1 || std::stoi(text) > maximum) {
        std::fprintf(stderr, "%s takes a number from 1 to %d\n", option, maximum);
        return false;
    }
    value = std::stoi(text);
    return true;
}

const char* StatusWord(LinkStatus status)
{
    switch (status) {
    case LinkStatus::Moved:
        return "MOVED";
    case LinkStatus::Broken:
        return "BROKEN";
    case LinkStatus::Busy:
        return "BUSY";
    case LinkStatus::Unreachable:
        return "UNREACHABLE";
    case LinkStatus::Ok:
        break;
    }
    return "OK";
}

} // namespace

// 0 when every checked link answered (OK, moved or busy), 1 when any is
// broken or unreachable, 2 for wrong usage or a STORE that cannot be read.
// STORE is never written.
int CliCheck(const CliArgs& args)
{
    LinkCheckLimits limits;
    int jobCount = static_cast<int>(limits.requests);
    if (!ReadCount(args, "--jobs", kMaxJobs, jobCount) ||
        !ReadCount(args, "--timeout", kMaxTimeoutSeconds, limits.timeoutSeconds))
        return kCliUsage;
    limits.requests = static_cast<size_t>(jobCount);
    CliSession session;
    if (!session.Open(args.positional[0]))
        return kCliUsage;
    size_t notChecked = 0;
    std::vector<LinkJob> jobs =
        LinkJobsOf(session.doc.Content(), args.Has("--group") ? &args.Value("--group") : nullptr, notChecked);
    const std::vector<LinkJob> bookmarks = jobs;
    for (size_t n = 0; n < jobs.size(); ++n)
        jobs[n].index = n;

    // Outcomes come in any order; each is printed once all before it in
    // the store are. Report calls come one at a time.
    std::vector<LinkOutcome> outcomes(jobs.size());
    std::vector<bool> arrived(jobs.size());
    size_t printed = 0;
    size_t counts[5] = {};
    HttpClient http(LinkCheckUserAgent());
    LinkChecker checker(http, limits);
    checker.Start(std::move(jobs), [&](const LinkOutcome& outcome) {
        outcomes[outcome.index] = outcome;
        arrived[outcome.index] = true;
        std::string out;
        for (; printed < outcomes.size() && arrived[printed]; ++printed) {
            const LinkOutcome& next = outcomes[printed];
            ++counts[static_cast<size_t>(next.status)];
            if (next.status != LinkStatus::Ok)
                out += std::string(StatusWord(next.status)) + '\t' + EscapeField(bookmarks[printed].url) + '\t' +
                       EscapeField(OutcomeDetail(next)) + '\n';
        }
        WriteOut(out);
        std::fflush(stdout);
    });
    checker.Wait();

    const char* const names[] = {"OK", "moved", "broken", "busy", "unreachable"};
    std::string summary = std::to_string(outcomes.size()) + " checked:";
    for (size_t status = 0; status < 5; ++status)
        summary += (status ? ", " : " ") + std::to_string(counts[status]) + ' ' + names[status];
    summary += "; " + std::to_string(notChecked) + " not checked\n";
    std::fputs(summary.c_str(), stderr);
    const auto count = [&counts](LinkStatus status) { return counts[static_cast<size_t>(status)]; };
    return count(LinkStatus::Broken) + count(LinkStatus::Unreachable) > 0 ? kCliFailed : kCliOk;
}
