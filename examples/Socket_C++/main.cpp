// A line echo client driven by the chart connection.tvc: connects to HOST:PORT with a bounded
// number of retries, sends each line, prints the echo, and closes.
#include "connectionTN.h"

#include <charconv>
#include <cstring>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

constexpr int kUsage = 2;

void usage() {
    std::cerr
        << "usage: socket_client [-v] [-t] [--retries N] [--delay MS] [--timeout MS] HOST PORT "
           "[LINE...]\n"
           "Sends each LINE (or each line of standard input when none is given) and prints\n"
           "the echo.  -v names every state entered, -t traces the machine on standard "
           "error.\n"
           "Exit status: 0 every line echoed and the connection closed, 1 otherwise, 2 a "
           "usage error.\n";
}

bool parseNumber(std::string_view text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

void dispatch(ConnectionTN& machine, NetEvent e) {
    switch (e) {
    case NetEvent::Connected:
        machine.connected();
        break;
    case NetEvent::Failed:
        machine.failed();
        break;
    case NetEvent::Timeout:
        machine.timeout();
        break;
    case NetEvent::Send:
        machine.send();
        break;
    case NetEvent::Sent:
        machine.sent();
        break;
    case NetEvent::Echo:
        machine.echo();
        break;
    case NetEvent::Close:
        machine.close();
        break;
    case NetEvent::Closed:
        machine.closed();
        break;
    case NetEvent::Lost:
        machine.lost();
        break;
    case NetEvent::None:
        break;
    }
}

} // namespace

int main(int argc, char** argv) {
    ClientOptions options;
    bool trace = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        int value = 0;
        const bool hasValue = i + 1 < argc;
        if (arg == "-v") {
            options.verbose = true;
        } else if (arg == "-t") {
            trace = true;
        } else if (arg == "--retries" && hasValue && parseNumber(argv[i + 1], 0, 100, value)) {
            options.retries = value;
            ++i;
        } else if (arg == "--delay" && hasValue && parseNumber(argv[i + 1], 0, 60000, value)) {
            options.retryDelay = std::chrono::milliseconds(value);
            ++i;
        } else if (arg == "--timeout" && hasValue && parseNumber(argv[i + 1], 1, 600000, value)) {
            options.timeout = std::chrono::milliseconds(value);
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-' && positional.empty()) {
            usage();
            return kUsage;
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.size() < 2 || positional[0].empty() || positional[1].empty()) {
        usage();
        return kUsage;
    }
    options.host = positional[0];
    options.port = positional[1];
    std::vector<std::string> lines(positional.begin() + 2, positional.end());
    for (const std::string& line : lines) {
        // A line break inside would come back as two echoes.
        if (line.find_first_of("\r\n") != std::string::npos) {
            std::cerr << "socket_client: a LINE cannot hold a line break\n";
            return kUsage;
        }
    }

    std::size_t next = 0;
    const bool fromArguments = !lines.empty();
    auto nextLine = [&](std::string& line) {
        if (fromArguments) {
            if (next == lines.size())
                return false;
            line = lines[next++];
            return true;
        }
        return static_cast<bool>(std::getline(std::cin, line));
    };

    ConnectionContext ctx(options, nextLine, std::cout, std::cerr);
    ConnectionTN machine(ctx);
    if (!trace)
        machine.setTrace(nullptr, nullptr);
    machine.start();
    machine.connect();
    for (NetEvent e = ctx.nextEvent(); e != NetEvent::None; e = ctx.nextEvent())
        dispatch(machine, e);

    if (!machine.isIn(ConnectionTN::State::Disconnected_Connection)) {
        std::cerr << "socket_client: stopped in state "
                  << ConnectionTN::nameOf(machine.activeState()) << '\n';
        return 1;
    }
    return ctx.succeeded() ? 0 : 1;
}
