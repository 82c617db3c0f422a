#pragma once
// Servers on 127.0.0.1 for the download tests, inside the test process: an HTTP server that
// records every request it answered, and a raw TCP server for peers that misbehave below HTTP.
// Both listen on an ephemeral port of the loopback address only, and every loop they run is
// bounded.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <httplib.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm::test {

struct SeenRequest {
    std::string method;
    std::string target; // path and query as sent
    std::string path;
    std::string body;
    httplib::Headers headers;
    httplib::Params params; // query and form fields, decoded
    int remotePort = 0;
    std::string responseEncoding; // Content-Encoding of the answer

    std::string header(const std::string& name) const;
    bool hasHeader(const std::string& name) const { return headers.count(name) > 0; }
    std::string param(const std::string& name) const;
};

class LocalServer {
public:
    LocalServer();
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    // Add the handlers, then start.
    httplib::Server& http() { return server_; }
    void start();
    std::string base() const; // http://127.0.0.1:PORT

    std::vector<SeenRequest> requests() const;
    // Requests that reached a handler, answered or not yet.
    std::size_t requestsStarted() const;

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable logged_;
    std::size_t started_ = 0;
    std::vector<SeenRequest> seen_;
};

// Accepts connections one at a time; reads each request head, then hands the socket to the
// behaviour, then closes it (unless the behaviour did).
class RawServer {
public:
    // The behaviour gets the socket, the request head, and a flag that turns true when the
    // server stops.
    using Behaviour =
        std::function<void(int socket, const std::string& head, const std::atomic<bool>& stopping)>;
    explicit RawServer(Behaviour behaviour);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string base() const;
    int connections() const { return connections_; }

private:
    void serve();

    Behaviour behaviour_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
};

// Sends all of `text`; false when the peer is gone.
bool sendAll(int socket, std::string_view text);
// Makes the close that follows a reset instead of an orderly close.
void resetConnection(int socket);
// A port of 127.0.0.1 on which nothing listens.
int closedPort();

// Compressed bodies made with zlib.
std::string gzipped(std::string_view text);
std::string zlibDeflated(std::string_view text);
std::string rawDeflated(std::string_view text);

} // namespace qm::test
