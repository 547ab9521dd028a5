#pragma once

// The codes an HTTP request fails with, all in one place; they stay clear of the HTTP status
// codes (100-599), which a reply other than 200 reports as they are.
namespace HttpErrorCode {
// The connection (HTTPSocket).
inline constexpr int kNameNotFound = 1001;
inline constexpr int kConnectionRefused = 1002;
inline constexpr int kUnreachable = 1003;
inline constexpr int kBadAddress = 1004;
inline constexpr int kNetworkError = 1005;
// The reply's limits and form (HttpReplyParser).
inline constexpr int kBodyTooLarge = 1010;
inline constexpr int kHeaderLineTooLong = 1011;
inline constexpr int kHeadersTooLarge = 1012;
inline constexpr int kReplyTruncated = 1013; // closed inside the headers or short of Content-Length
inline constexpr int kBadContentLength = 1014;
// The caller's: a 200 reply whose content is not what was asked for.
inline constexpr int kUnexpectedContent = 1020;
}
