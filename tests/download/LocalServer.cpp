#include "LocalServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

namespace qm::test {
namespace {

constexpr const char* kLoopback = "127.0.0.1";

std::string compressed(std::string_view text, int windowBits) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&z, static_cast<uLong>(text.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

int listenOnLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = 0;
    ::inet_pton(AF_INET, kLoopback, &addr.sin_addr);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        throw std::runtime_error("bind 127.0.0.1");
    }
    port = ntohs(addr.sin_port);
    return fd;
}

} // namespace

std::string SeenRequest::header(const std::string& name) const {
    const auto it = headers.find(name);
    return it == headers.end() ? std::string{} : it->second;
}

std::string SeenRequest::param(const std::string& name) const {
    const auto it = params.find(name);
    return it == params.end() ? std::string{} : it->second;
}

LocalServer::LocalServer() {
    server_.set_keep_alive_max_count(1000);
    server_.set_tcp_nodelay(true);
    server_.set_pre_routing_handler([this](const httplib::Request&, httplib::Response&) {
        std::lock_guard lock(mutex_);
        ++started_;
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // The logger runs once the answer is out, so the answer's coding is known.
    server_.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
        SeenRequest seen{req.method,  req.target, req.path,        req.body,
                         req.headers, req.params, req.remote_port, {}};
        seen.responseEncoding = res.get_header_value("Content-Encoding");
        std::lock_guard lock(mutex_);
        seen_.push_back(std::move(seen));
        logged_.notify_all();
    });
}

void LocalServer::start() {
    port_ = server_.bind_to_any_port(kLoopback);
    if (port_ <= 0) throw std::runtime_error("cannot bind 127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    for (int i = 0; i < 500 && !server_.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

LocalServer::~LocalServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
}

std::string LocalServer::base() const {
    return std::string("http://") + kLoopback + ":" + std::to_string(port_);
}

std::size_t LocalServer::requestsStarted() const {
    std::lock_guard lock(mutex_);
    return started_;
}

std::vector<SeenRequest> LocalServer::requests() const {
    // A client may have its answer before the server has logged the request.
    std::unique_lock lock(mutex_);
    logged_.wait_for(lock, std::chrono::seconds(2), [this] { return seen_.size() >= started_; });
    return seen_;
}

RawServer::RawServer(Behaviour behaviour) : behaviour_(std::move(behaviour)) {
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { serve(); });
}

RawServer::~RawServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string RawServer::base() const {
    return std::string("http://") + kLoopback + ":" + std::to_string(port_);
}

void RawServer::serve() {
    while (!stopping_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        const int fd = ::accept(listener_, nullptr, nullptr);
        if (fd < 0) continue;
        ++connections_;
        // The request head, up to its blank line (at most 64 KiB, at most two seconds).
        std::string head;
        for (int waited = 0; head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 &&
                             waited < 100 && !stopping_;) {
            pollfd q{fd, POLLIN, 0};
            if (::poll(&q, 1, 20) <= 0) {
                ++waited;
                continue;
            }
            char buf[4096];
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0) break;
            head.append(buf, static_cast<std::size_t>(n));
        }
        behaviour_(fd, head, stopping_);
        ::close(fd);
    }
}

bool sendAll(int socket, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::send(socket, text.data(), text.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void resetConnection(int socket) {
    const linger hard{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

int closedPort() {
    int port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return port;
}

std::string gzipped(std::string_view text) {
    return compressed(text, 15 + 16);
}
std::string zlibDeflated(std::string_view text) {
    return compressed(text, 15);
}
std::string rawDeflated(std::string_view text) {
    return compressed(text, -15);
}

} // namespace qm::test
