#include "connection_context.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <utility>

ConnectionContext::ConnectionContext(ClientOptions options,
                                     std::function<bool(std::string&)> nextLine, std::ostream& out,
                                     std::ostream& err)
    : options_(std::move(options)), nextLine_(std::move(nextLine)), out_(out), err_(err) {}

ConnectionContext::~ConnectionContext() {
    closeSocket();
}

bool ConnectionContext::succeeded() const {
    return !failed_ && closedCleanly_ && echoed_ == sent_;
}

NetEvent ConnectionContext::nextEvent() {
    if (immediate_ != NetEvent::None) {
        wait_ = Wait::Nothing;
        return std::exchange(immediate_, NetEvent::None);
    }
    // Each wait gives one event; the entry action of the state it leads to sets up the next.
    // An event the chart ignored therefore ends the run instead of repeating forever.
    switch (std::exchange(wait_, Wait::Nothing)) {
    case Wait::Nothing:
        return NetEvent::None;
    case Wait::Connect:
        return waitConnect();
    case Wait::Backoff: {
        const auto left = deadline_ - Clock::now();
        if (left > Clock::duration::zero()) {
            const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
            poll(nullptr, 0, static_cast<int>(ms));
        }
        return NetEvent::Timeout;
    }
    case Wait::Input:
        line_.clear();
        if (!nextLine_(line_))
            return NetEvent::Close;
        return NetEvent::Send;
    case Wait::Output:
        return waitOutput();
    case Wait::Echo:
        return waitEcho();
    case Wait::Shutdown:
        return waitShutdown();
    }
    return NetEvent::None;
}

void ConnectionContext::entered(const char* state) {
    if (options_.verbose)
        out_ << "state: " << state << std::endl;
}

void ConnectionContext::closeSocket() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    wait_ = Wait::Nothing;
    immediate_ = NetEvent::None;
    inBuf_.clear();
}

void ConnectionContext::expectBy(Wait wait) {
    wait_ = wait;
    deadline_ = Clock::now() + options_.timeout;
}

void ConnectionContext::fail(const std::string& reason) {
    reason_ = reason;
}

void ConnectionContext::beginConnect() {
    closeSocket();
    ++attempts_;
    reason_.clear();
    expectBy(Wait::Connect);

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = getaddrinfo(options_.host.c_str(), options_.port.c_str(), &hints, &found);
    if (rc != 0) {
        fail(std::string("cannot resolve ") + options_.host + ": " + gai_strerror(rc));
        immediate_ = NetEvent::Failed;
        return;
    }
    fd_ = socket(found->ai_family, found->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                 found->ai_protocol);
    if (fd_ < 0) {
        fail(std::strerror(errno));
        immediate_ = NetEvent::Failed;
    } else if (::connect(fd_, found->ai_addr, found->ai_addrlen) == 0) {
        immediate_ = NetEvent::Connected;
    } else if (errno != EINPROGRESS) {
        fail(std::strerror(errno));
        immediate_ = NetEvent::Failed;
    }
    freeaddrinfo(found);
}

bool ConnectionContext::pollUntil(short events, const char* awaited) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - Clock::now());
        if (left.count() <= 0) {
            fail(std::string(awaited) + " within " + std::to_string(options_.timeout.count()) +
                 " ms");
            return false;
        }
        pollfd p{fd_, events, 0};
        const int n = poll(&p, 1, static_cast<int>(left.count()));
        if (n > 0)
            return true; // errors and hang-ups show in the call that follows
        if (n < 0 && errno != EINTR) {
            fail(std::strerror(errno));
            return true;
        }
    }
}

NetEvent ConnectionContext::waitConnect() {
    if (!pollUntil(POLLOUT, "no answer"))
        return NetEvent::Failed;
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        error = errno;
    if (error != 0) {
        fail(std::strerror(error));
        return NetEvent::Failed;
    }
    return NetEvent::Connected;
}

bool ConnectionContext::mayRetry() const {
    return attempts_ <= options_.retries;
}

void ConnectionContext::backOff() {
    closeSocket();
    err_ << "connect failed (" << reason_ << "); retry " << attempts_ << " of " << options_.retries
         << " in " << options_.retryDelay.count() << " ms" << std::endl;
    wait_ = Wait::Backoff;
    deadline_ = Clock::now() + options_.retryDelay;
}

void ConnectionContext::giveUp() {
    err_ << "connect failed (" << reason_ << "); giving up after " << attempts_
         << (attempts_ == 1 ? " attempt" : " attempts") << std::endl;
    failed_ = true;
}

void ConnectionContext::connected() {
    out_ << "connected to " << options_.host << ':' << options_.port << std::endl;
}

void ConnectionContext::summary() {
    out_ << echoed_ << " of " << sent_ << (sent_ == 1 ? " line" : " lines") << " echoed"
         << std::endl;
}

void ConnectionContext::awaitInput() {
    wait_ = Wait::Input;
}

void ConnectionContext::sendLine() {
    outBuf_ = line_ + '\n';
    outPos_ = 0;
    ++sent_;
    expectBy(Wait::Output);
}

NetEvent ConnectionContext::waitOutput() {
    while (outPos_ < outBuf_.size()) {
        const ssize_t n =
            ::send(fd_, outBuf_.data() + outPos_, outBuf_.size() - outPos_, MSG_NOSIGNAL);
        if (n >= 0) {
            outPos_ += static_cast<std::size_t>(n);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!pollUntil(POLLOUT, "could not send"))
                return NetEvent::Timeout;
        } else if (errno != EINTR) {
            fail(std::strerror(errno));
            return NetEvent::Lost;
        }
    }
    return NetEvent::Sent;
}

void ConnectionContext::awaitEcho() {
    expectBy(Wait::Echo);
}

NetEvent ConnectionContext::waitEcho() {
    for (;;) {
        const std::size_t end = inBuf_.find('\n');
        if (end != std::string::npos) {
            echo_.assign(inBuf_, 0, end);
            inBuf_.erase(0, end + 1);
            return NetEvent::Echo;
        }
        if (inBuf_.size() > maxLine) {
            fail("echo longer than " + std::to_string(maxLine) + " bytes");
            return NetEvent::Lost;
        }
        if (!pollUntil(POLLIN, "no echo"))
            return NetEvent::Timeout;
        char chunk[4096];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n > 0) {
            inBuf_.append(chunk, static_cast<std::size_t>(n));
        } else if (n == 0) {
            fail("the server closed the connection");
            return NetEvent::Lost;
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            fail(std::strerror(errno));
            return NetEvent::Lost;
        }
    }
}

void ConnectionContext::printEcho() {
    ++echoed_;
    out_ << "echo: " << echo_ << std::endl;
    if (echo_ != line_) {
        err_ << "the echo differs from the line sent" << std::endl;
        failed_ = true;
    }
}

void ConnectionContext::beginClose() {
    // Half-close: the server sees the end of our data, answers what is still under way and
    // closes its side, which is what we wait for.
    if (::shutdown(fd_, SHUT_WR) != 0) {
        fail(std::strerror(errno));
        immediate_ = NetEvent::Lost;
    }
    expectBy(Wait::Shutdown);
}

NetEvent ConnectionContext::waitShutdown() {
    for (;;) {
        if (!pollUntil(POLLIN, "the server did not close"))
            return NetEvent::Timeout;
        char chunk[4096];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n == 0) {
            closedCleanly_ = true;
            return NetEvent::Closed;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            fail(std::strerror(errno));
            return NetEvent::Lost;
        }
        // Anything still arriving is late and not ours to print.
    }
}

void ConnectionContext::report(const char* what) {
    err_ << what;
    if (!reason_.empty())
        err_ << " (" << reason_ << ')';
    err_ << std::endl;
    failed_ = true;
}
