// The local HTTP server the link check's tests use.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

// The server the test run starts (tests/support/link_server.py, a CTest
// fixture): the port nothing listens on, then the one it serves.
struct LinkServer {
    int closedPort = 0;
    int port = 0;

    LinkServer()
    {
        std::ifstream(LINKHIVE_LINK_SERVER_PORTS) >> closedPort >> port;
        EXPECT_NE(port, 0) << "no link server: ctest starts it, or run tests/support/link_server.py --port-file "
                           << LINKHIVE_LINK_SERVER_PORTS;
    }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port) + path; }
    std::string ClosedUrl() const { return "http://127.0.0.1:" + std::to_string(closedPort) + "/"; }
};
