// SPDX-License-Identifier: GPL-3.0-or-later
// A small HTTP/1.1 server on 127.0.0.1 for the tests of the downloads: each path answers with a
// status and a body, with or without byte ranges, or stalls; one connection at a time, closed
// after each answer. It stops with the object.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace vesk::testing {

struct HttpAnswer {
    int status = 200;
    std::string body;
    bool ranges = true; // honour "Range: bytes=N-" with 206
    bool stall = false; // send the headers and a first byte, then nothing
};

class LocalHttpServer {
  public:
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void answer(const std::string& path, HttpAnswer answer);
    // http://127.0.0.1:PORT + path
    std::string url(const std::string& path) const;
    // The byte ranges the requests asked for, in order ("" for a whole file).
    std::string rangesAsked();

  private:
    void serve();
    void reply(int client);

    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::mutex lock;
    std::map<std::string, HttpAnswer> answers;
    std::string asked;
    std::thread worker;
};

} // namespace vesk::testing
