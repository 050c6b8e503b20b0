// The Socket_C++ example against echo servers on the loopback interface: a full session, echoes
// that arrive in pieces, a server that goes away or stays silent, and connection attempts that
// are refused until they run out or the server starts listening.

#include "tests/generators/run_program.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct ClientRun {
    int status = -1;
    std::string output; // standard output and error merged
    Clock::duration took{};
};

ClientRun runClient(std::vector<std::string> args, const std::string& input = "",
                    std::chrono::milliseconds limit = 5s) {
    args.insert(args.begin(), TAVREN_SOCKET_CLIENT);
    const Clock::time_point begin = Clock::now();
    const ProgramResult r = runProgram(args, {input, static_cast<int>(limit.count()), true});
    return {r.status, r.out, Clock::now() - begin};
}

// A listening socket on 127.0.0.1 with a port of the system's choosing.
class Listener {
public:
    explicit Listener(bool listening = true) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        socklen_t size = sizeof addr;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &size);
        port_ = std::to_string(ntohs(addr.sin_port));
        if (listening)
            listen();
    }
    ~Listener() { close(fd_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    void listen() { EXPECT_EQ(::listen(fd_, 4), 0); }
    const std::string& port() const { return port_; }

    // Accepts one connection, waiting at most `limit`; -1 when none came.
    int accept(Clock::duration limit = 5s) const {
        pollfd p{fd_, POLLIN, 0};
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(limit).count();
        if (poll(&p, 1, static_cast<int>(ms)) != 1)
            return -1;
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        timeval tv{5, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        return client;
    }

private:
    int fd_ = -1;
    std::string port_;
};

// Serves one connection on its own thread with `serve`, which gets the connected socket.
class Server {
public:
    Server(Listener& listener, std::function<void(int)> serve)
        : thread_([&listener, serve] {
              const int client = listener.accept();
              if (client < 0)
                  return;
              serve(client);
              close(client);
          }) {}
    ~Server() { thread_.join(); }

private:
    std::thread thread_;
};

// Echoes until the client closes, `chunk` bytes per write; what it received is kept.
std::function<void(int)> echo(std::string& received, std::size_t chunk = 4096) {
    return [&received, chunk](int fd) {
        char buffer[4096];
        for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) {
            received.append(buffer, static_cast<std::size_t>(n));
            for (ssize_t at = 0; at < n; at += static_cast<ssize_t>(chunk)) {
                const auto size = std::min<std::size_t>(chunk, static_cast<std::size_t>(n - at));
                send(fd, buffer + at, size, MSG_NOSIGNAL);
            }
        }
    };
}

std::string states(const std::string& output) {
    std::string seen;
    std::size_t at = 0;
    while ((at = output.find("state: ", at)) != std::string::npos) {
        at += 7;
        const std::size_t end = output.find('\n', at);
        seen += (seen.empty() ? "" : " ") + output.substr(at, end - at);
    }
    return seen;
}

TEST(SocketExampleTest, EchoesEveryLineAndClosesAfterTheServer) {
    Listener listener;
    std::string received;
    ClientRun run;
    {
        Server server(listener, echo(received));
        run = runClient({"-v", "127.0.0.1", listener.port(), "hello", "second line", ""});
    }
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(received, "hello\nsecond line\n\n");
    EXPECT_NE(run.output.find("connected to 127.0.0.1:" + listener.port() +
                              "\nstate: Idle\nstate: Sending\nstate: Waiting\necho: hello\n"
                              "state: Idle\nstate: Sending\nstate: Waiting\necho: second line\n"
                              "state: Idle\nstate: Sending\nstate: Waiting\necho: \n"
                              "state: Idle\n3 of 3 lines echoed\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(states(run.output), "Disconnected Connecting Connected Idle Sending Waiting Idle "
                                  "Sending Waiting Idle Sending Waiting Idle Closing Disconnected");
}

TEST(SocketExampleTest, ReadsLinesFromStandardInputAndReassemblesSplitEchoes) {
    Listener listener;
    std::string received;
    ClientRun run;
    {
        // One byte per write: every echo arrives in pieces.
        Server server(listener, echo(received, 1));
        run = runClient({"127.0.0.1", listener.port()}, "first\nsecond\n");
    }
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(received, "first\nsecond\n");
    EXPECT_EQ(run.output, "connected to 127.0.0.1:" + listener.port() +
                              "\necho: first\necho: second\n2 of 2 lines echoed\n");
}

TEST(SocketExampleTest, ServerProblemsEndTheSessionAsAFailure) {
    const struct {
        const char* what;
        std::function<void(int)> serve;
        std::vector<std::string> args; // before the address
        std::vector<std::string> said;
        const char* states;
    } cases[] = {
        {"closes as soon as the first line is in",
         [](int fd) {
             for (char c; recv(fd, &c, 1, 0) == 1 && c != '\n';) {
             }
         },
         {"-v"},
         {"0 of 1 line echoed\nconnection lost (the server closed the connection)\n"
          "state: Disconnected\n"},
         nullptr},
        {"takes the line and never answers: the echo times out, and so does the close",
         [](int fd) {
             char buffer[64];
             recv(fd, buffer, sizeof buffer, 0);
             std::this_thread::sleep_for(700ms);
         },
         {"-v", "--timeout", "200"},
         {"timed out (no echo within 200 ms)",
          "timed out (the server did not close within 200 ms)"},
         "Disconnected Connecting Connected Idle Sending Waiting Closing Disconnected"},
        {"an echo that is not what was sent",
         [](int fd) {
             char buffer[64];
             if (recv(fd, buffer, sizeof buffer, 0) > 0)
                 send(fd, "HELLO\n", 6, MSG_NOSIGNAL);
             while (recv(fd, buffer, sizeof buffer, 0) > 0) {
             }
         },
         {},
         {"echo: HELLO\nthe echo differs from the line sent\n"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Listener listener;
        ClientRun run;
        {
            Server server(listener, c.serve);
            std::vector<std::string> args = c.args;
            args.insert(args.end(), {"127.0.0.1", listener.port(), "one", "two"});
            run = runClient(args);
        }
        EXPECT_EQ(run.status, 1) << run.output;
        for (const std::string& said : c.said)
            EXPECT_NE(run.output.find(said), std::string::npos) << run.output;
        if (c.states) { // the timeouts: both, and no more
            EXPECT_EQ(states(run.output), c.states);
            EXPECT_LT(run.took, 650ms);
        }
    }
}

TEST(SocketExampleTest, RetriesABoundedNumberOfTimes) {
    {
        // Bound but not listening: every attempt is refused.
        Listener nobody(false);
        const ClientRun run = runClient(
            {"-v", "--retries", "2", "--delay", "50", "127.0.0.1", nobody.port(), "hello"});
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_EQ(states(run.output),
                  "Disconnected Connecting Retry Connecting Retry Connecting Disconnected");
        EXPECT_NE(run.output.find("retry 1 of 2 in 50 ms"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("retry 2 of 2 in 50 ms"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("(Connection refused); giving up after 3 attempts"),
                  std::string::npos)
            << run.output;
        EXPECT_EQ(run.output.find("echo"), std::string::npos);
        EXPECT_LT(run.took, 2s);
    }
    {
        const ClientRun run = runClient({"--retries", "0", "127.0.0.1", Listener(false).port()});
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find("giving up after 1 attempt\n"), std::string::npos) << run.output;
    }
}

TEST(SocketExampleTest, ConnectsOnARetryOnceTheServerListens) {
    Listener listener(false);
    std::string received;
    ClientRun run;
    {
        std::thread late([&listener, &received] {
            std::this_thread::sleep_for(250ms);
            listener.listen();
            const int client = listener.accept();
            if (client >= 0) {
                echo(received)(client);
                close(client);
            }
        });
        run = runClient({"--retries", "20", "--delay", "50", "127.0.0.1", listener.port(), "hi"});
        late.join();
    }
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("retry 1 of 20"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("echo: hi\n"), std::string::npos) << run.output;
}

TEST(SocketExampleTest, RefusesBadCommandLines) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"127.0.0.1"},
                                               {"--retries", "x", "127.0.0.1", "7"},
                                               {"--timeout", "0", "127.0.0.1", "7"},
                                               {"-q", "127.0.0.1", "7"},
                                               {"127.0.0.1", "7", "two\nlines"}}) {
        const ClientRun run = runClient(args);
        EXPECT_EQ(run.status, 2) << run.output;
    }
}

} // namespace
