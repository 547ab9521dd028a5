#pragma once

#include "platform/network/InternetHeaders.h"

#include <cstddef>
#include <string>

// Reads one HTTP reply from the bytes a server sends, in whatever pieces they arrive.
// Holds at most the limits below in memory; a reply that breaks one fails with its HttpErrorCode.
class HttpReplyParser {
public:
    static constexpr size_t kMaxBody = size_t(1) << 20;         // 1 MiB
    static constexpr size_t kMaxHeaderLine = size_t(64) << 10;  // 64 KiB, line ending excluded
    static constexpr size_t kMaxHeaderBlock = size_t(256) << 10; // 256 KiB, status line included

    enum class State { Headers, Body, Complete, Failed };

    void Feed(const char* data, size_t size);
    void Feed(const std::string& bytes) { Feed(bytes.data(), bytes.size()); }
    // The server closed the connection: the reply ends here.
    void EndOfStream();

    State state() const { return m_state; }
    bool Finished() const { return m_state == State::Complete || m_state == State::Failed; }
    int ErrorCode() const { return m_error; }
    // The three-digit number after the first blank of the first line; 0 when there is none.
    int Status() const { return m_status; }
    const InternetHeaders& Headers() const { return m_headers; }
    const std::string& Content() const { return m_content; }
    // True once the body is complete by its Content-Length (the rest of the stream is ignored).
    bool HasContentLength() const { return m_hasLength; }

private:
    void feedHeaders(const char*& data, size_t& size);
    void line(std::string text);
    void endHeaders();
    void feedBody(const char* data, size_t size);
    void fail(int code);

    State m_state = State::Headers;
    int m_error = 0;
    int m_status = 0;
    bool m_sawStatusLine = false;
    std::string m_line;
    size_t m_headerBytes = 0;
    InternetHeaders m_headers;
    std::string m_content;
    bool m_hasLength = false;
    size_t m_remaining = 0;
};
