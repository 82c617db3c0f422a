#include "download/HttpClient.h"

#include "LocalServer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace qm::download {
namespace {

using namespace std::chrono_literals;
using test::LocalServer;
using test::RawServer;

// Short limits, so that every failure ends within a second or two.
HttpOptions quickOptions() {
    HttpOptions o;
    o.limits.connectTimeout = 2000ms;
    o.limits.readTimeout = 1000ms;
    o.limits.lowSpeedTime = 1s;
    o.limits.deadline = 5000ms;
    return o;
}

// A price history of about 150 KB, several output chunks of the decoder.
std::string longAnswer() {
    std::string text = "Date,Open,High,Low,Close,Volume,Adj Close\n";
    for (int i = 0; i < 3000; ++i)
        text += "2016-05-" + std::to_string(10 + i % 20) + ",10." + std::to_string(i) +
                ",11.25,9.75,10.5," + std::to_string(100000 + i) + ",10.5\n";
    return text;
}

struct DecodeCase {
    const char* name;
    const char* encoding; // Content-Encoding sent, or empty for none
    std::string (*encode)(std::string_view);
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class Decoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, AnswerArrivesAsTheServerMeantIt) {
    const DecodeCase& c = GetParam();
    const std::string text = longAnswer();
    LocalServer server;
    server.http().Get("/table.csv", [&](const httplib::Request&, httplib::Response& res) {
        // Not a text type, so that the server leaves the body as it is.
        res.set_content(c.encode(text), "application/octet-stream");
        if (*c.encoding) res.set_header("Content-Encoding", c.encoding);
    });
    server.start();
    HttpClient client(quickOptions());
    EXPECT_EQ(client.get(server.base() + "/table.csv"), text);
}

std::string asIs(std::string_view text) {
    return std::string(text);
}
std::string twoGzipMembers(std::string_view text) {
    const std::size_t half = text.size() / 2;
    return test::gzipped(text.substr(0, half)) + test::gzipped(text.substr(half));
}

INSTANTIATE_TEST_SUITE_P(Codings, Decoding,
                         testing::Values(DecodeCase{"Identity", "", asIs},
                                         DecodeCase{"Gzip", "gzip", test::gzipped},
                                         DecodeCase{"XGzipAnyCase", "X-GZip", test::gzipped},
                                         DecodeCase{"ZlibDeflate", "deflate", test::zlibDeflated},
                                         DecodeCase{"RawDeflate", "deflate", test::rawDeflated},
                                         DecodeCase{"GzipMembers", "gzip", twoGzipMembers}),
                         [](const auto& info) { return std::string(info.param.name); });

// One misbehaving server per case; the request must fail with the expected kind, quickly.
struct Servers {
    std::unique_ptr<LocalServer> http;
    std::unique_ptr<RawServer> raw;

    std::string withHttp(const std::function<void(httplib::Server&)>& routes,
                         const std::string& path) {
        http = std::make_unique<LocalServer>();
        routes(http->http());
        http->start();
        return http->base() + path;
    }
    std::string withRaw(RawServer::Behaviour behaviour) {
        raw = std::make_unique<RawServer>(std::move(behaviour));
        return raw->base() + "/table.csv";
    }
};

struct FailureCase {
    const char* name;
    HttpErrorKind expected;
    // Sets up the server, adjusts the options, returns the address to get.
    std::string (*setUp)(Servers&, HttpOptions&);
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, EndInTheirKindWithinTheLimits) {
    const FailureCase& c = GetParam();
    Servers servers;
    HttpOptions options = quickOptions();
    const std::string url = c.setUp(servers, options);
    HttpClient client(options);
    const auto started = std::chrono::steady_clock::now();
    try {
        client.get(url);
        ADD_FAILURE() << "no error";
    } catch (const HttpError& e) {
        EXPECT_EQ(e.kind(), c.expected) << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}

const std::string kBombText(8u << 20, '0');

void headersOnly(int socket) {
    test::sendAll(socket, "HTTP/1.1 200 OK\r\nContent-Type: text/csv\r\nConnection: close\r\n\r\n");
}

// Sends one byte every `gap` for at most five seconds.
void drip(int socket, const std::atomic<bool>& stopping, std::chrono::milliseconds gap) {
    headersOnly(socket);
    for (auto waited = 0ms; waited < 5s && !stopping; waited += gap) {
        if (!test::sendAll(socket, "1")) return;
        std::this_thread::sleep_for(gap);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Failures,
    testing::Values(
        FailureCase{"ErrorStatus", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions&) {
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.status = 404;
                                    res.set_content("<html>Not Found</html>", "text/html");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"RedirectNotFollowed", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.followRedirects = false;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_redirect("/elsewhere.csv");
                                });
                                h.Get("/elsewhere.csv", [](const auto&, auto& res) {
                                    res.set_content("Date\n", "application/octet-stream");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"RedirectLoop", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.followRedirects = true;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/loop",
                                      [](const auto&, auto& res) { res.set_redirect("/loop"); });
                            },
                            "/loop");
                    }},
        FailureCase{"RedirectToFile", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.followRedirects = true;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_redirect("file:///etc/passwd");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"OversizedAnnounced", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.limits.maxAnswerBytes = 1000;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_content(std::string(5000, 'x'),
                                                    "application/octet-stream");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"OversizedUnannounced", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.limits.maxAnswerBytes = 1000;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_chunked_content_provider(
                                        "application/octet-stream",
                                        [sent = 0](std::size_t, httplib::DataSink& sink) mutable {
                                            if (sent++ < 100)
                                                return sink.write(std::string(100, 'x').data(),
                                                                  100);
                                            sink.done();
                                            return true;
                                        });
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"DecodedSize", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.limits.inflate.maxDecodedBytes = 1u << 20;
                        o.limits.inflate.maxExpansionRatio = 100000;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_content(test::gzipped(kBombText),
                                                    "application/octet-stream");
                                    res.set_header("Content-Encoding", "gzip");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"ExpansionRatio", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.limits.inflate.maxDecodedBytes = 1u << 30;
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_content(test::zlibDeflated(kBombText),
                                                    "application/octet-stream");
                                    res.set_header("Content-Encoding", "deflate");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"TruncatedGzip", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions&) {
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    const std::string whole = test::gzipped(longAnswer());
                                    res.set_content(whole.substr(0, whole.size() / 2),
                                                    "application/octet-stream");
                                    res.set_header("Content-Encoding", "gzip");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"UnknownEncoding", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions&) {
                        return s.withHttp(
                            [](httplib::Server& h) {
                                h.Get("/table.csv", [](const auto&, auto& res) {
                                    res.set_content("abc", "application/octet-stream");
                                    res.set_header("Content-Encoding", "compress");
                                });
                            },
                            "/table.csv");
                    }},
        FailureCase{"Garbage", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions&) {
                        return s.withRaw([](int socket, const auto&, const auto&) {
                            test::sendAll(socket,
                                          "SSH-2.0-OpenSSH_9.2\r\n\x01\x02\x03 garbage\r\n\r\n");
                        });
                    }},
        FailureCase{"HeaderFlood", HttpErrorKind::Protocol,
                    [](Servers& s, HttpOptions& o) {
                        o.limits.maxHeaderBytes = 16 * 1024;
                        return s.withRaw([](int socket, const auto&,
                                            const std::atomic<bool>& stopping) {
                            test::sendAll(socket, "HTTP/1.1 200 OK\r\n");
                            for (int i = 0; i < 100000 && !stopping; ++i)
                                if (!test::sendAll(socket, "X-Filler: aaaaaaaaaaaaaaaaaaaa\r\n"))
                                    return;
                        });
                    }},
        FailureCase{"TruncatedBody", HttpErrorKind::PeerClosed,
                    [](Servers& s, HttpOptions&) {
                        return s.withRaw([](int socket, const auto&, const auto&) {
                            test::sendAll(socket,
                                          "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" +
                                              std::string(100, 'x'));
                        });
                    }},
        FailureCase{"ClosedWithoutAnswer", HttpErrorKind::PeerClosed,
                    [](Servers& s, HttpOptions&) {
                        return s.withRaw([](int, const auto&, const auto&) {});
                    }},
        FailureCase{"Reset", HttpErrorKind::Socket,
                    [](Servers& s, HttpOptions&) {
                        return s.withRaw([](int socket, const auto&, const auto&) {
                            test::resetConnection(socket);
                        });
                    }},
        FailureCase{"Refused", HttpErrorKind::Socket,
                    [](Servers&, HttpOptions&) {
                        return "http://127.0.0.1:" + std::to_string(test::closedPort()) +
                               "/table.csv";
                    }},
        FailureCase{"Stall", HttpErrorKind::Client,
                    [](Servers& s, HttpOptions&) {
                        return s.withRaw([](int, const auto&, const std::atomic<bool>& stopping) {
                            for (int i = 0; i < 250 && !stopping; ++i)
                                std::this_thread::sleep_for(20ms);
                        });
                    }},
        FailureCase{"SlowDrip", HttpErrorKind::Client,
                    [](Servers& s, HttpOptions&) {
                        return s.withRaw(
                            [](int socket, const auto&, const std::atomic<bool>& stopping) {
                                drip(socket, stopping, 100ms);
                            });
                    }},
        FailureCase{"DripPastTheDeadline", HttpErrorKind::Client,
                    [](Servers& s, HttpOptions& o) {
                        // Fast enough for the low-speed limit; only the deadline stops it.
                        o.limits.lowSpeedBytesPerSecond = 1;
                        o.limits.deadline = 1500ms;
                        return s.withRaw(
                            [](int socket, const auto&, const std::atomic<bool>& stopping) {
                                drip(socket, stopping, 20ms);
                            });
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpClient, HeadersKeepTheirValuesUntilARequestSetsThem) {
    LocalServer server;
    server.http().Get(
        "/h", [](const auto&, auto& res) { res.set_content("ok", "application/octet-stream"); });
    server.start();
    HttpClient client(quickOptions());
    client.setHeader(HttpHeader::UserAgent, "UA");
    client.setHeader(HttpHeader::Accept, "text/html");
    client.addExtraHeader("DNT", "1");
    client.get(server.base() + "/h?n=1");
    client.setHeader(HttpHeader::ContentType, "text/plain");
    client.get(server.base() + "/h?n=2");
    client.clearExtraHeaders();
    client.setHeader(HttpHeader::Accept, "");
    client.get(server.base() + "/h?n=3");

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 3u);
    const std::string host = server.base().substr(7);
    for (const auto& r : seen) {
        EXPECT_EQ(r.header("Host"), host);
        EXPECT_EQ(r.header("User-Agent"), "UA");
        EXPECT_FALSE(r.hasHeader("Referer"));
        EXPECT_FALSE(r.hasHeader("Expect"));
    }
    EXPECT_EQ(seen[0].header("Accept"), "text/html");
    EXPECT_EQ(seen[0].header("DNT"), "1");
    EXPECT_FALSE(seen[0].hasHeader("Content-Type"));
    EXPECT_EQ(seen[1].header("Accept"), "text/html");
    EXPECT_EQ(seen[1].header("DNT"), "1");
    EXPECT_EQ(seen[1].header("Content-Type"), "text/plain");
    EXPECT_FALSE(seen[2].hasHeader("Accept"));
    EXPECT_FALSE(seen[2].hasHeader("DNT"));
    EXPECT_EQ(seen[2].header("Content-Type"), "text/plain");
}

class CookiesAndConnection : public testing::TestWithParam<bool> {};

TEST_P(CookiesAndConnection, CookiesAreKeptOnlyWhenAskedAndTheConnectionStaysOpen) {
    const bool cookies = GetParam();
    LocalServer server;
    server.http().Get("/set", [](const auto&, auto& res) {
        res.set_header("Set-Cookie", "session=abc; Path=/");
        res.set_content("ok", "application/octet-stream");
    });
    server.http().Get("/check", [](const auto&, auto& res) {
        res.set_content("ok", "application/octet-stream");
    });
    server.start();
    HttpOptions options = quickOptions();
    options.cookies = cookies;
    HttpClient client(options);
    client.get(server.base() + "/set");
    client.get(server.base() + "/check");
    client.get(server.base() + "/check");

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].header("Cookie"), cookies ? "session=abc" : "");
    EXPECT_EQ(seen[1].remotePort, seen[0].remotePort);
    EXPECT_EQ(seen[2].remotePort, seen[0].remotePort);
}

INSTANTIATE_TEST_SUITE_P(OnOff, CookiesAndConnection, testing::Bool());

TEST(HttpClient, FollowsRedirectsWhenAsked) {
    LocalServer server;
    server.http().Get("/old", [](const auto&, auto& res) { res.set_redirect("/new"); });
    server.http().Get("/new", [](const auto&, auto& res) {
        res.set_content("moved", "application/octet-stream");
    });
    server.start();
    HttpOptions options = quickOptions();
    options.followRedirects = true;
    HttpClient client(options);
    EXPECT_EQ(client.get(server.base() + "/old"), "moved");
}

TEST(HttpClient, PostsBodiesAsTheyAreAndFormsEncoded) {
    LocalServer server;
    const auto ok = [](const auto&, auto& res) {
        res.set_content("ok", "application/octet-stream");
    };
    server.http().Post("/p", ok);
    server.http().Get("/p", ok);
    server.start();
    HttpClient client(quickOptions());
    client.setHeader(HttpHeader::ContentType, "application/json; charset=UTF-8");
    client.post(server.base() + "/p", "1m|true|AAPL");
    client.postForm(server.base() + "/p", {{"symbol", "A&B =/x"}, {"pageSize", "10"}});
    client.get(server.base() + "/p");

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].body, "1m|true|AAPL");
    EXPECT_EQ(seen[0].header("Content-Type"), "application/json; charset=UTF-8");
    EXPECT_EQ(seen[1].body, "symbol=A%26B%20%3D%2Fx&pageSize=10");
    EXPECT_EQ(seen[1].header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(seen[1].param("symbol"), "A&B =/x");
    EXPECT_EQ(seen[2].method, "GET");
    EXPECT_TRUE(seen[2].body.empty());
}

} // namespace
} // namespace qm::download
