#pragma once
// The HTTP/1.1 client of a transfer run. Request headers are properties of the client: a
// request sets the ones it names and every other keeps the value of the run's previous request.
// Answers are held in memory, bounded, and decoded from gzip or deflate here.

#include "Inflate.h"

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm::download {

// How a request failed; the transfer loop reacts to each kind differently.
enum class HttpErrorKind {
    PeerClosed, // the server closed the connection without a (complete) answer
    Protocol,   // an error status, an unfollowed or refused redirect, an answer we refuse
    Socket,     // no connection: refused, unreachable, reset, name not found
    Client,     // time-outs and every other failure of the client
};

class HttpError : public std::runtime_error {
public:
    HttpError(HttpErrorKind kind, const std::string& what, long status = 0)
        : std::runtime_error(what), kind_(kind), status_(status) {}
    HttpErrorKind kind() const { return kind_; }
    long status() const { return status_; } // the HTTP status of an error answer, else 0

private:
    HttpErrorKind kind_;
    long status_;
};

// What one request may cost at most.
struct HttpLimits {
    std::chrono::milliseconds connectTimeout{20000};
    // A request ends when nothing arrives for this long (checked about once a second).
    std::chrono::milliseconds readTimeout{20000};
    // ... or when the answer arrives slower than this for lowSpeedTime (whole seconds), so a
    // server that drips a byte now and then cannot hold a worker.
    long lowSpeedBytesPerSecond = 256;
    std::chrono::seconds lowSpeedTime{30};
    // Whatever the server does, a request ends after this long.
    std::chrono::milliseconds deadline{120000};
    std::size_t maxAnswerBytes = 32u << 20; // as received, before decoding
    std::size_t maxHeaderBytes = 256u << 10;
    long maxRedirects = 10;
    InflateLimits inflate;
};

struct HttpOptions {
    bool cookies = false;
    bool followRedirects = false;
    HttpLimits limits;
    // Asked about once a second while a request is under way (from the requesting thread);
    // true cuts the request off with a Client error.
    std::function<bool()> cancelled;
};

// The header properties, in the order they are sent (after Host).
enum class HttpHeader {
    UserAgent,
    Accept,
    AcceptLanguage,
    AcceptEncoding,
    ContentType,
    Referer,
    Connection,
};

class HttpClient {
public:
    explicit HttpClient(const HttpOptions& options);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // An empty value leaves the header out.
    void setHeader(HttpHeader header, std::string_view value);
    // Headers beyond the properties, sent after them; kept until cleared.
    void clearExtraHeaders();
    void addExtraHeader(std::string_view name, std::string_view value);

    // The decoded body of a 2xx answer; throws HttpError otherwise.
    std::string get(const std::string& url);
    // Sends `body` as it is, with the current Content-Type.
    std::string post(const std::string& url, std::string_view body);
    // Sends the fields as an HTML form; Content-Type becomes the form type.
    std::string postForm(const std::string& url,
                         const std::vector<std::pair<std::string, std::string>>& fields);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// `text` percent-encoded for a URL query or path segment: every byte except letters, digits
// and "-._~".
std::string urlEncode(std::string_view text);

} // namespace qm::download
