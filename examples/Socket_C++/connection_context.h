#pragma once
// What the connection chart does in the outside world: a TCP client over POSIX sockets.
// Every state's entry action sets up one wait; nextEvent() performs it and says which event
// the machine gets next, so the chart alone decides what happens in reply.

#include <chrono>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

enum class NetEvent { None, Connected, Failed, Timeout, Send, Sent, Echo, Close, Closed, Lost };

struct ClientOptions {
    std::string host;
    std::string port;
    int retries = 3; // connect attempts after the first one
    std::chrono::milliseconds retryDelay{200};
    std::chrono::milliseconds timeout{2000}; // for connecting, each echo and the close
    bool verbose = false;                    // name every state entered
};

class ConnectionContext {
public:
    // nextLine gives the next line to send, or false when there is none left.
    ConnectionContext(ClientOptions options, std::function<bool(std::string&)> nextLine,
                      std::ostream& out, std::ostream& err);
    ~ConnectionContext();
    ConnectionContext(const ConnectionContext&) = delete;
    ConnectionContext& operator=(const ConnectionContext&) = delete;

    // Waits for the outcome the current state set up; None when it set up nothing.
    NetEvent nextEvent();
    // Every line came back unchanged and the server closed after us.
    bool succeeded() const;

    // Used by the chart's actions.
    void entered(const char* state);
    void closeSocket();
    void beginConnect();
    bool mayRetry() const;
    void backOff();
    void giveUp();
    void connected();
    void summary();
    void awaitInput();
    void sendLine();
    void awaitEcho();
    void printEcho();
    void beginClose();
    void report(const char* what);

    // An echo that never ends is refused rather than buffered without bound.
    static constexpr std::size_t maxLine = 64 * 1024;

private:
    enum class Wait { Nothing, Connect, Backoff, Input, Output, Echo, Shutdown };
    using Clock = std::chrono::steady_clock;

    NetEvent waitConnect();
    NetEvent waitOutput();
    NetEvent waitEcho();
    NetEvent waitShutdown();
    // Polls the socket until the deadline; false on timeout, with reason_ saying what did not
    // come.
    bool pollUntil(short events, const char* awaited);
    void expectBy(Wait wait);
    void fail(const std::string& reason);

    ClientOptions options_;
    std::function<bool(std::string&)> nextLine_;
    std::ostream& out_;
    std::ostream& err_;
    int fd_ = -1;
    Wait wait_ = Wait::Nothing;
    Clock::time_point deadline_;
    NetEvent immediate_ = NetEvent::None; // an outcome already known when the wait was set up
    std::string reason_;                  // why the last wait went wrong
    int attempts_ = 0;
    std::string line_; // the line last sent, without its line end
    std::string outBuf_;
    std::size_t outPos_ = 0;
    std::string inBuf_;
    std::string echo_;
    int sent_ = 0;
    int echoed_ = 0;
    bool closedCleanly_ = false;
    bool failed_ = false;
};
