// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_http_server.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk::testing {

namespace {

void sendAll(int socket, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<std::size_t>(n);
    }
}

std::string reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 404:
        return "Not Found";
    default:
        return "Error";
    }
}

} // namespace

LocalHttpServer::LocalHttpServer() {
    listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener, 8) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no local test server");
    port = ntohs(address.sin_port);
    worker = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping = true;
    worker.join();
    close(listener);
}

void LocalHttpServer::answer(const std::string& path, HttpAnswer answer) {
    const std::lock_guard guard(lock);
    answers[path] = std::move(answer);
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

std::string LocalHttpServer::rangesAsked() {
    const std::lock_guard guard(lock);
    return asked;
}

void LocalHttpServer::serve() {
    while (!stopping) {
        pollfd waiting{listener, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        const int client = accept(listener, nullptr, nullptr);
        if (client >= 0) {
            reply(client);
            close(client);
        }
    }
}

void LocalHttpServer::reply(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    const std::size_t range = request.find("Range: bytes=");
    const std::size_t from =
        range == std::string::npos ? 0 : std::stoul(request.substr(range + 13));
    HttpAnswer answer{404, "no such file", true, false};
    {
        const std::lock_guard guard(lock);
        if (const auto found = answers.find(path); found != answers.end())
            answer = found->second;
        asked += (range == std::string::npos ? std::string("-") : std::to_string(from)) + " ";
    }
    int status = answer.status;
    std::string body = answer.body, headers;
    if (status == 200 && range != std::string::npos && answer.ranges && from < body.size()) {
        status = 206;
        headers = "Content-Range: bytes " + std::to_string(from) + "-" +
                  std::to_string(body.size() - 1) + "/" + std::to_string(body.size()) + "\r\n";
        body = body.substr(from);
    }
    sendAll(client, "HTTP/1.1 " + std::to_string(status) + " " + reason(status) + "\r\n" + headers +
                        "Content-Length: " + std::to_string(body.size()) +
                        "\r\nConnection: close\r\n\r\n");
    if (!answer.stall) {
        sendAll(client, body);
        return;
    }
    sendAll(client, body.substr(0, 1));
    while (!stopping) {
        pollfd idle{client, POLLIN, 0};
        if (poll(&idle, 1, 50) > 0 && recv(client, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

} // namespace vesk::testing
