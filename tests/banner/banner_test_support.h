#pragma once
// Helpers for the strip's tests: a page rendered into a bitmap, a one-shot loopback web
// server, and a loopback port that nothing listens on.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "banner/banner_document.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

namespace banner::testing {

inline std::string DataUrl(const std::string& name) {
    return std::string("file://") + TEMBRIN_TEST_DATA + "/banner/" + name;
}

// The page drawn at `width` × `height`, as the strip draws it.
inline std::unique_ptr<graphics::TBitmap> Render(TBannerDocument& page, int width, int height) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    page.Layout(width, height);
    page.Draw(bitmap->Canvas().Handle());
    return bitmap;
}

// 0xRRGGBB of a bitmap pixel.
inline uint32_t Pixel(graphics::TBitmap& bitmap, int x, int y) {
    uint32_t c = bitmap.Canvas().ReadPixel(x, y);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

inline int ListeningSocket(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    // A listener that could not be made fails the test here, not as a puzzling fetch later.
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 1) != 0)
        throw std::runtime_error(std::string("no loopback listener: ") + std::strerror(errno));
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

// A loopback port that was free a moment ago and has no listener.
inline int ClosedPort() {
    int port = 0;
    ::close(ListeningSocket(port));
    return port;
}

// Answers one request with `response` (the whole HTTP reply), then stops.
class OneShotServer {
  public:
    explicit OneShotServer(std::string response) : response_(std::move(response)) {
        fd_ = ListeningSocket(port_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~OneShotServer() {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    std::string Url(const std::string& path = "/") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    void Serve() {
        int client = ::accept(fd_, nullptr, nullptr);
        if (client < 0) return;
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, size_t(got));
        }
        size_t sent = 0;
        while (sent < response_.size()) {
            ssize_t put =
                ::send(client, response_.data() + sent, response_.size() - sent, MSG_NOSIGNAL);
            if (put <= 0) break;
            sent += size_t(put);
        }
        ::close(client);
    }

    std::string response_;
    int fd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

inline std::string HttpReply(int status, const std::string& body) {
    return "HTTP/1.1 " + std::to_string(status) +
           " X\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace banner::testing
