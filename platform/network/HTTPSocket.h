#pragma once

#include "platform/network/InternetHeaders.h"
#include "platform/windows/RectControl.h"

#include <functional>
#include <memory>
#include <string>

struct HTTPSocketProperties {
    std::string Address;
    int Port = 0;
};

// An asynchronous HTTP/1.0 client, placed in a window as a control that is never drawn.
// Get returns at once; exactly one of PageReceived or Error follows, later, from the event
// loop, unless the request is aborted first. Nothing of a reply is written to disk.
// Error's codes are HttpErrorCode's.
class HTTPSocket : public RectControl {
public:
    HTTPSocket(Window& window, const std::string& name);
    ~HTTPSocket() override;

    void SetProperties(const HTTPSocketProperties& properties);

    // Closes any earlier connection and requests url ("http://server[:port]/path").
    void Get(const std::string& url);
    // Ends the request under way; no event of it is delivered afterwards.
    void Abort();
    // A request was started and its event has not been delivered yet.
    bool IsBusy() const;

    std::string Address; // set from each request's URL
    int Port = 0;
    int DefaultPort = 80;

    std::function<void(HTTPSocket& sender, const std::string& url, int httpStatus,
                       const InternetHeaders& headers, const std::string& content)>
        PageReceived;
    std::function<void(HTTPSocket& sender, int code)> Error;

    // Where a URL leads and what goes on the wire for it.
    struct Target {
        std::string host;       // to connect to
        int port = 0;
        std::string hostHeader; // the server as written in the URL
        std::string path;
    };
    // False when the URL cannot be requested (no server, a bad port, blanks or control characters).
    static bool SplitURL(const std::string& url, int defaultPort, Target& target);

private:
    static std::string RequestFor(const Target& target);

    struct Private;
    std::unique_ptr<Private> d;
};
