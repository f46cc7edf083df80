#pragma once
// Downloading the banner's page: libcurl in a worker thread, so the user-interface thread
// never waits on the network. The result is handed to the user-interface thread.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace platform {
class WorkerThread;
}

namespace banner {

struct TFetchResult {
    bool ok = false;
    std::string url;    // the address asked for
    std::string body;   // the page's bytes when ok
    std::string error;  // why it failed, when not ok
    long status = 0;    // the HTTP status for http(s) addresses, else 0
};

// Limits that keep a hostile or broken server from holding the strip or the memory.
inline constexpr long kConnectTimeoutMs = 10000;
inline constexpr long kTransferTimeoutMs = 30000;
inline constexpr size_t kMaxPageBytes = 4u << 20;

// Whether libcurl would fetch the address: http, https or file with a well-formed syntax.
bool IsFetchableUrl(const std::string& url);

// `reference` resolved against `base` ("" when it cannot be resolved).
std::string ResolveUrl(const std::string& base, const std::string& reference);

// Whether a link on the page at `pageUrl` may load `target` in the strip: only addresses the
// strip can fetch, and no local file from a page that came from the web.
bool MayFollowLink(const std::string& pageUrl, const std::string& target);

// The file:// address of an absolute local path, with every byte that is not plainly safe in
// an address percent-encoded, so that any path gives a well-formed address.
std::string FileUrlOf(const std::string& path);

// The local file a file:// address names, decoded ("" for other addresses or other hosts).
std::string LocalPathOf(const std::string& fileUrl);

// Fetches `url` in the calling thread; `cancelled`, when given and set, ends the transfer
// early with a failure.
TFetchResult FetchPage(const std::string& url, const std::atomic<bool>* cancelled = nullptr);

// One download in its own worker thread. `done` runs in the user-interface thread (through a
// synchronous call the message loop serves) unless the fetch was cancelled first. `done` must
// not destroy the fetch: it only records the result, the owner reaps the fetch later.
class TPageFetch {
  public:
    using TDone = std::function<void(TFetchResult result)>;

    TPageFetch(std::string url, TDone done);
    // Cancels and waits for the worker (serving its pending call meanwhile).
    ~TPageFetch();
    TPageFetch(const TPageFetch&) = delete;
    TPageFetch& operator=(const TPageFetch&) = delete;

    void Start();
    // Asks the worker to stop; `done` will not be called after this.
    void Cancel() { cancelled_ = true; }
    bool Finished() const;

  private:
    void Run();

    std::string url_;
    TDone done_;
    std::atomic<bool> cancelled_{false};
    std::unique_ptr<platform::WorkerThread> worker_;
};

}  // namespace banner
