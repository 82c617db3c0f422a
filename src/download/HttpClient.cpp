#include "HttpClient.h"

#include "CurlLibrary.h"
#include "DownloadMessages.h"
#include "TextRules.h"

#include <algorithm>
#include <array>

namespace qm::download {
namespace {

constexpr std::array<std::string_view, 7> kHeaderNames = {
    "User-Agent",   "Accept",  "Accept-Language", "Accept-Encoding",
    "Content-Type", "Referer", "Connection"};

HttpErrorKind kindOf(CURLcode code) {
    switch (code) {
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return HttpErrorKind::PeerClosed;
    case CURLE_UNSUPPORTED_PROTOCOL: // also a redirect to a scheme other than http(s)
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_HTTP_RETURNED_ERROR:
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_WRITE_ERROR: // our own limits stop the transfer this way
        return HttpErrorKind::Protocol;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return HttpErrorKind::Socket;
    default:
        return HttpErrorKind::Client;
    }
}

using Clock = std::chrono::steady_clock;

} // namespace

struct HttpClient::Impl {
    HttpOptions options;
    CURL* curl = nullptr;
    std::array<std::string, kHeaderNames.size()> properties;
    std::vector<std::string> extraHeaders;

    // State of the request under way.
    std::string body;
    std::string contentEncoding;
    std::size_t headerBytes = 0;
    bool overLimit = false;
    bool idle = false;
    bool stopped = false;
    Clock::time_point lastData;
    std::array<char, CURL_ERROR_SIZE> errorText{};

    const CurlLibrary& lib;

    explicit Impl(const HttpOptions& o) : options(o), lib(curlLibrary()) { open(); }
    ~Impl() { close(); }

    void open() {
        curl = lib.easyInit();
        if (!curl) throw HttpError(HttpErrorKind::Client, "cannot create an HTTP client");
        const HttpLimits& l = options.limits;
        lib.easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
        lib.easySetopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
        lib.easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        lib.easySetopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        lib.easySetopt(curl, CURLOPT_FOLLOWLOCATION, options.followRedirects ? 1L : 0L);
        lib.easySetopt(curl, CURLOPT_MAXREDIRS, l.maxRedirects);
        // Our own code decodes compressed answers, within its limits.
        lib.easySetopt(curl, CURLOPT_HTTP_CONTENT_DECODING, 0L);
        lib.easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                       static_cast<long>(l.connectTimeout.count()));
        // The low-speed check also wakes the transfer every second, which the idle check
        // below relies on.
        lib.easySetopt(curl, CURLOPT_LOW_SPEED_TIME,
                       std::max(1L, static_cast<long>(l.lowSpeedTime.count())));
        lib.easySetopt(curl, CURLOPT_LOW_SPEED_LIMIT, std::max(1L, l.lowSpeedBytesPerSecond));
        lib.easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
        lib.easySetopt(curl, CURLOPT_XFERINFOFUNCTION, &Impl::onProgress);
        lib.easySetopt(curl, CURLOPT_XFERINFODATA, this);
        lib.easySetopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(l.deadline.count()));
        lib.easySetopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(l.maxAnswerBytes));
        // The loopback interface is never reached through a proxy.
        lib.easySetopt(curl, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
        if (options.cookies) lib.easySetopt(curl, CURLOPT_COOKIEFILE, "");
        lib.easySetopt(curl, CURLOPT_ERRORBUFFER, errorText.data());
        lib.easySetopt(curl, CURLOPT_WRITEFUNCTION, &Impl::onBody);
        lib.easySetopt(curl, CURLOPT_WRITEDATA, this);
        lib.easySetopt(curl, CURLOPT_HEADERFUNCTION, &Impl::onHeader);
        lib.easySetopt(curl, CURLOPT_HEADERDATA, this);
    }

    void close() {
        if (curl) lib.easyCleanup(curl);
        curl = nullptr;
    }

    // CURLOPT_MAXFILESIZE only refuses an announced size; an answer without one is counted
    // here and stopped at the limit.
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
        auto* self = static_cast<Impl*>(user);
        const std::size_t n = size * count;
        self->lastData = Clock::now();
        if (self->body.size() + n > self->options.limits.maxAnswerBytes) {
            self->overLimit = true;
            return 0;
        }
        self->body.append(data, n);
        return n;
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
        auto* self = static_cast<Impl*>(user);
        const std::size_t n = size * count;
        self->lastData = Clock::now();
        self->headerBytes += n;
        if (self->headerBytes > self->options.limits.maxHeaderBytes) {
            self->overLimit = true;
            return 0;
        }
        const std::string_view line(data, n);
        if (line.starts_with("HTTP/")) {
            // A new answer begins (after a redirect or an interim answer).
            self->contentEncoding.clear();
        } else if (findNoCase(line, "content-encoding:") == 0) {
            self->contentEncoding = std::string(trimBlanks(line.substr(17)));
        }
        return n;
    }

    // The read time-out: libcurl has none of its own for a server that goes quiet.
    static int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* self = static_cast<Impl*>(user);
        if (self->options.cancelled && self->options.cancelled()) {
            self->stopped = true;
            return 1;
        }
        if (Clock::now() - self->lastData < self->options.limits.readTimeout) return 0;
        self->idle = true;
        return 1;
    }

    std::string perform(const std::string& url) {
        body.clear();
        contentEncoding.clear();
        headerBytes = 0;
        overLimit = false;
        idle = false;
        stopped = false;
        lastData = Clock::now();
        errorText[0] = '\0';

        curl_slist* headers = nullptr;
        for (std::size_t i = 0; i < properties.size(); ++i) {
            // An empty property is left out, also where the library would add its own.
            const std::string line =
                std::string(kHeaderNames[i]) + (properties[i].empty() ? ":" : ": " + properties[i]);
            headers = lib.slistAppend(headers, line.c_str());
        }
        headers = lib.slistAppend(headers, "Expect:");
        for (const auto& extra : extraHeaders) headers = lib.slistAppend(headers, extra.c_str());
        lib.easySetopt(curl, CURLOPT_HTTPHEADER, headers);
        lib.easySetopt(curl, CURLOPT_URL, url.c_str());

        const CURLcode code = lib.easyPerform(curl);
        lib.easySetopt(curl, CURLOPT_HTTPHEADER, nullptr);
        lib.slistFreeAll(headers);

        if (code != CURLE_OK) {
            std::string what = errorText[0] ? errorText.data() : lib.easyStrerror(code);
            HttpErrorKind kind = kindOf(code);
            if (stopped) {
                what = std::string(kXferStopped);
                kind = HttpErrorKind::Client;
            } else if (overLimit) {
                what = "answer too large";
                kind = HttpErrorKind::Protocol;
            } else if (idle) {
                what =
                    "no answer for " + std::to_string(options.limits.readTimeout.count()) + " ms";
                kind = HttpErrorKind::Client;
            }
            body.clear();
            body.shrink_to_fit();
            throw HttpError(kind, what);
        }
        long status = 0;
        lib.easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (status < 200 || status >= 300)
            throw HttpError(HttpErrorKind::Protocol, "HTTP status " + std::to_string(status),
                            status);
        try {
            std::string decoded =
                decodeContent(body, contentEncodingOf(contentEncoding), options.limits.inflate);
            body.clear();
            body.shrink_to_fit();
            return decoded;
        } catch (const DecodeError& e) {
            body.clear();
            body.shrink_to_fit();
            throw HttpError(HttpErrorKind::Protocol, e.what());
        }
    }
};

HttpClient::HttpClient(const HttpOptions& options) : impl_(std::make_unique<Impl>(options)) {}

HttpClient::~HttpClient() = default;

void HttpClient::setHeader(HttpHeader header, std::string_view value) {
    impl_->properties[static_cast<std::size_t>(header)] = std::string(value);
}

void HttpClient::clearExtraHeaders() {
    impl_->extraHeaders.clear();
}

void HttpClient::addExtraHeader(std::string_view name, std::string_view value) {
    impl_->extraHeaders.push_back(std::string(name) + ": " + std::string(value));
}

std::string HttpClient::get(const std::string& url) {
    impl_->lib.easySetopt(impl_->curl, CURLOPT_HTTPGET, 1L);
    return impl_->perform(url);
}

std::string HttpClient::post(const std::string& url, std::string_view body) {
    impl_->lib.easySetopt(impl_->curl, CURLOPT_POST, 1L);
    impl_->lib.easySetopt(impl_->curl, CURLOPT_POSTFIELDSIZE_LARGE,
                          static_cast<curl_off_t>(body.size()));
    impl_->lib.easySetopt(impl_->curl, CURLOPT_COPYPOSTFIELDS, std::string(body).c_str());
    return impl_->perform(url);
}

std::string HttpClient::postForm(const std::string& url,
                                 const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string body;
    for (const auto& [key, value] : fields) {
        if (!body.empty()) body += '&';
        body += urlEncode(key) + '=' + urlEncode(value);
    }
    setHeader(HttpHeader::ContentType, kFormContentType);
    return post(url, body);
}

std::string urlEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

} // namespace qm::download
