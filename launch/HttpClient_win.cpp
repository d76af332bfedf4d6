// The link check's HTTP through WinHTTP.
#include "launch/HttpClient.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Asynchronous WinHTTP, so that a worker waits in slices and can walk away
// on a cancel or at its deadline. The callback hands over on WinHTTP's own
// threads; the step's outcome is read once the event is set.
struct Transfer {
    Transfer() : done(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~Transfer() { CloseHandle(done); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    HANDLE done;
    DWORD error = 0;
};

// The request handle's context owns a share of its Transfer until WinHTTP
// closes the handle: callbacks may come after the worker has left.
void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD)
{
    auto* share = reinterpret_cast<std::shared_ptr<Transfer>*>(context);
    if (!share)
        return;  // the session and connection handles carry no context
    switch (status) {
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
        (*share)->error = static_cast<WINHTTP_ASYNC_RESULT*>(info)->dwError;
        SetEvent((*share)->done);
        break;
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
        SetEvent((*share)->done);
        break;
    case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING:
        delete share;
        break;
    }
}

struct HandleCloser {
    void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

HttpFailure FailureOf(DWORD error)
{
    switch (error) {
    case ERROR_WINHTTP_INVALID_URL:
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        return HttpFailure::BadAddress;
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return HttpFailure::NameNotFound;
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return HttpFailure::Refused;
    case ERROR_WINHTTP_TIMEOUT:
        return HttpFailure::Timeout;
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
    case ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED:
        return HttpFailure::Tls;
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
    case ERROR_WINHTTP_HEADER_SIZE_OVERFLOW:
        return HttpFailure::Malformed;
    case ERROR_WINHTTP_OPERATION_CANCELLED:
        return HttpFailure::Cancelled;
    default:
        return HttpFailure::Other;
    }
}

HttpReply Failed(HttpFailure failure, DWORD error = 0)
{
    HttpReply reply;
    reply.failure = failure;
    if (failure == HttpFailure::Other)
        reply.message = "WinHTTP error " + std::to_string(error);
    return reply;
}

HttpReply Failed(DWORD error)
{
    return Failed(FailureOf(error), error);
}

// Waits for the step begun last: HttpFailure::None when it succeeded.
HttpFailure Await(Transfer& transfer, ULONGLONG deadline, const std::atomic<bool>& cancel, DWORD& error)
{
    for (;;) {
        if (cancel)
            return HttpFailure::Cancelled;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return HttpFailure::Timeout;
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(100, deadline - now));
        if (WaitForSingleObject(transfer.done, slice) == WAIT_OBJECT_0) {
            error = transfer.error;
            return error == 0 ? HttpFailure::None : FailureOf(error);
        }
    }
}

std::wstring Widen(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                            nullptr);
    return text;
}

std::wstring LookupHostName(const std::wstring& host)
{
    if (std::all_of(host.begin(), host.end(), [](wchar_t c) { return c < 0x80; }))
        return host;
    const int length = IdnToAscii(0, host.data(), static_cast<int>(host.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring ascii(static_cast<size_t>(length), L'\0');
    if (IdnToAscii(0, host.data(), static_cast<int>(host.size()), &ascii[0], length) != length)
        return std::wstring();
    return ascii;
}

const DWORD kMaxLocationBytes = 64 * 1024;

// The Location header; false when it is absurdly long.
bool QueryLocation(HINTERNET request, std::string& location)
{
    DWORD size = 0;
    if (WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                            &size, WINHTTP_NO_HEADER_INDEX) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return true;  // none
    if (size > kMaxLocationBytes)
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return true;
    location = Narrow(std::wstring(buffer.data(), size / sizeof(wchar_t)));
    return true;
}

// The Set-Cookie headers, each no longer than a cookie can be.
std::vector<std::string> QuerySetCookies(HINTERNET request)
{
    std::vector<std::string> cookies;
    std::vector<wchar_t> buffer(8 * 1024);
    for (DWORD index = 0; cookies.size() < HttpReply::kMaxSetCookies;) {
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const DWORD asked = index;
        if (WinHttpQueryHeaders(request, WINHTTP_QUERY_SET_COOKIE, WINHTTP_HEADER_NAME_BY_INDEX, buffer.data(), &size,
                                &index)) {
            cookies.push_back(Narrow(std::wstring(buffer.data(), size / sizeof(wchar_t))));
        } else if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
            index = asked + 1;  // too long for any cookie: passed over
        } else {
            break;  // no more
        }
    }
    return cookies;
}

} // namespace

std::string LookupHostName(const std::string& host)
{
    return Narrow(LookupHostName(Widen(host)));
}

HttpClient::HttpClient(std::string userAgent) : m_userAgent(std::move(userAgent)) {}

HttpReply HttpClient::Send(const std::string& method, const std::string& url, const std::string& cookies,
                           int timeoutMs, const std::atomic<bool>& cancel)
{
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    const std::wstring wideUrl = Widen(url);
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts) || parts.dwHostNameLength == 0)
        return Failed(HttpFailure::BadAddress);
    const std::wstring host = LookupHostName(std::wstring(parts.lpszHostName, parts.dwHostNameLength));
    if (host.empty())
        return Failed(HttpFailure::BadAddress);
    // The path and the query lie one after the other in the URL.
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength + parts.dwExtraInfoLength);
    if (path.empty())
        path = L"/";

    const Handle session(WinHttpOpen(Widen(m_userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                     WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC));
    if (!session)
        return Failed(GetLastError());
    WinHttpSetTimeouts(session.get(), timeoutMs, timeoutMs, timeoutMs, timeoutMs);
    if (WinHttpSetStatusCallback(session.get(), OnStatus,
                                 WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS | WINHTTP_CALLBACK_FLAG_HANDLES,
                                 0) == WINHTTP_INVALID_STATUS_CALLBACK)
        return Failed(GetLastError());
    const Handle connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection)
        return Failed(GetLastError());
    const Handle request(WinHttpOpenRequest(connection.get(), Widen(method).c_str(), path.c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request)
        return Failed(GetLastError());
    DWORD features = WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_COOKIES | WINHTTP_DISABLE_AUTHENTICATION;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_DISABLE_FEATURE, &features, sizeof features);
    DWORD logon = WINHTTP_AUTOLOGON_SECURITY_LEVEL_HIGH;
    WinHttpSetOption(request.get(), WINHTTP_OPTION_AUTOLOGON_POLICY, &logon, sizeof logon);

    const auto transfer = std::make_shared<Transfer>();
    auto* share = new std::shared_ptr<Transfer>(transfer);
    DWORD_PTR context = reinterpret_cast<DWORD_PTR>(share);
    if (!WinHttpSetOption(request.get(), WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context)) {
        delete share;
        return Failed(GetLastError());
    }
    // Cookies stay disabled above, so WinHTTP neither adds nor keeps any:
    // only this header goes.
    const std::wstring headers = cookies.empty() ? std::wstring() : L"Cookie: " + Widen(cookies);
    DWORD error = 0;
    if (!WinHttpSendRequest(request.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                            static_cast<DWORD>(headers.size()), WINHTTP_NO_REQUEST_DATA, 0, 0, context))
        return Failed(GetLastError());
    HttpFailure failure = Await(*transfer, deadline, cancel, error);
    if (failure != HttpFailure::None)
        return Failed(failure, error);
    if (!WinHttpReceiveResponse(request.get(), nullptr))
        return Failed(GetLastError());
    failure = Await(*transfer, deadline, cancel, error);
    if (failure != HttpFailure::None)
        return Failed(failure, error);

    HttpReply reply;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
        !QueryLocation(request.get(), reply.location))
        return Failed(HttpFailure::Malformed);
    reply.status = static_cast<int>(status);
    reply.setCookies = QuerySetCookies(request.get());
    return reply;
}
