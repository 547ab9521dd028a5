#pragma once

// The codes an HTTP request fails with, all in one place; they stay clear of the HTTP status
// codes (100-599), which a reply other than 200 reports as they are.
struct HttpErrorCode {
    // The connection (HTTPSocket).
    static constexpr int kNameNotFound = 1001;
    static constexpr int kConnectionRefused = 1002;
    static constexpr int kUnreachable = 1003;
    static constexpr int kBadAddress = 1004;
    static constexpr int kNetworkError = 1005;
    // The reply's limits and form (HttpReplyParser).
    static constexpr int kBodyTooLarge = 1010;
    static constexpr int kHeaderLineTooLong = 1011;
    static constexpr int kHeadersTooLarge = 1012;
    static constexpr int kReplyTruncated = 1013; // closed inside the headers or short of Content-Length
    static constexpr int kBadContentLength = 1014;
    // The caller's: a 200 reply whose content is not what was asked for.
    static constexpr int kUnexpectedContent = 1020;
};
