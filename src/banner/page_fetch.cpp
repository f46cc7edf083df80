#include "banner/page_fetch.h"

#include <curl/curl.h>

#include <mutex>

#include "platform/thread/ui_thread.h"

namespace banner {

namespace {

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    std::string* body;
    bool tooLarge = false;
    const std::atomic<bool>* cancelled;
};

size_t Write(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (transfer->body->size() + bytes > kMaxPageBytes) {
        transfer->tooLarge = true;
        return 0;  // ends the transfer with CURLE_WRITE_ERROR
    }
    transfer->body->append(data, bytes);
    return bytes;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    return transfer->cancelled != nullptr && transfer->cancelled->load() ? 1 : 0;
}

bool HasAllowedScheme(const std::string& url) {
    for (const char* scheme : {"http://", "https://", "file://"})
        if (url.compare(0, std::char_traits<char>::length(scheme), scheme) == 0) return true;
    return false;
}

}  // namespace

bool IsFetchableUrl(const std::string& url) {
    if (url.empty() || !HasAllowedScheme(url) || url.find('\0') != std::string::npos) return false;
    GlobalInit();
    CURLU* parsed = curl_url();
    if (parsed == nullptr) return false;
    bool ok = curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK;
    curl_url_cleanup(parsed);
    return ok;
}

std::string ResolveUrl(const std::string& base, const std::string& reference) {
    if (reference.find('\0') != std::string::npos) return {};
    GlobalInit();
    CURLU* parsed = curl_url();
    if (parsed == nullptr) return {};
    std::string resolved;
    char* text = nullptr;
    // Setting a relative address on a parsed base resolves it against that base.
    if ((base.empty() || curl_url_set(parsed, CURLUPART_URL, base.c_str(), 0) == CURLUE_OK) &&
        curl_url_set(parsed, CURLUPART_URL, reference.c_str(), 0) == CURLUE_OK &&
        curl_url_get(parsed, CURLUPART_URL, &text, 0) == CURLUE_OK) {
        resolved = text;
        curl_free(text);
    }
    curl_url_cleanup(parsed);
    return resolved;
}

std::string FileUrlOf(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += char(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

std::string LocalPathOf(const std::string& fileUrl) {
    if (fileUrl.compare(0, 7, "file://") != 0 || fileUrl.find('\0') != std::string::npos) return {};
    GlobalInit();
    CURLU* parsed = curl_url();
    if (parsed == nullptr) return {};
    std::string path;
    char* host = nullptr;
    char* text = nullptr;
    if (curl_url_set(parsed, CURLUPART_URL, fileUrl.c_str(), 0) == CURLUE_OK) {
        bool local = curl_url_get(parsed, CURLUPART_HOST, &host, 0) != CURLUE_OK ||
                     host == nullptr || std::string(host).empty() ||
                     std::string(host) == "localhost";
        if (local && curl_url_get(parsed, CURLUPART_PATH, &text, CURLU_URLDECODE) == CURLUE_OK)
            path = text;
    }
    curl_free(host);
    curl_free(text);
    curl_url_cleanup(parsed);
    // A decoded NUL would cut the name short somewhere else than the address says.
    return path.find('\0') == std::string::npos ? path : std::string();
}

bool MayFollowLink(const std::string& pageUrl, const std::string& target) {
    if (!IsFetchableUrl(target)) return false;
    bool fromFile = pageUrl.compare(0, 7, "file://") == 0;
    bool toFile = target.compare(0, 7, "file://") == 0;
    return fromFile || !toFile;
}

TFetchResult FetchPage(const std::string& url, const std::atomic<bool>* cancelled) {
    TFetchResult result;
    result.url = url;
    if (!IsFetchableUrl(url)) {
        result.error = "Unsupported address";
        return result;
    }
    GlobalInit();
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        result.error = "Out of memory";
        return result;
    }
    Transfer transfer{&result.body, false, cancelled};
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kTransferTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(kMaxPageBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "TembrinICO");
    CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    curl_easy_cleanup(curl);

    if (code != CURLE_OK) {
        if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
            result.error = "The page is too large";
        else
            result.error = errorText[0] != 0 ? errorText : curl_easy_strerror(code);
        result.body.clear();
    } else if (result.status >= 400) {
        result.error = "HTTP error " + std::to_string(result.status);
        result.body.clear();
    } else {
        result.ok = true;
    }
    return result;
}

TPageFetch::TPageFetch(std::string url, TDone done) : url_(std::move(url)), done_(std::move(done)) {
    GlobalInit();
    worker_ = std::make_unique<platform::WorkerThread>([this](platform::WorkerThread&) { Run(); });
}

TPageFetch::~TPageFetch() {
    Cancel();
    if (worker_->Started()) worker_->WaitFor();
}

void TPageFetch::Start() {
    worker_->Resume();
}

bool TPageFetch::Finished() const {
    return worker_->Finished();
}

void TPageFetch::Run() {
    TFetchResult result = FetchPage(url_, &cancelled_);
    if (cancelled_) return;
    worker_->Synchronize([&] {
        // Checked again here: the owner may have cancelled while this call waited.
        if (!cancelled_) done_(std::move(result));
    });
}

}  // namespace banner
