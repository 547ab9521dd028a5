#include "platform/network/HttpReplyParser.h"

#include "platform/network/HttpErrorCode.h"

#include <cstring>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool isContentLength(const std::string& name)
{
    static const char kName[] = "content-length";
    if (name.size() != sizeof kName - 1)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
        if (c != kName[i])
            return false;
    }
    return true;
}

// The status code after the first blank: exactly three digits. Anything else is 0, so a
// reply cannot pass for one of the program's own error codes.
int statusOf(const std::string& firstLine)
{
    size_t i = firstLine.find(' ');
    if (i == std::string::npos)
        return 0;
    while (i < firstLine.size() && isBlank(firstLine[i]))
        ++i;
    int value = 0;
    int digits = 0;
    for (; i < firstLine.size() && firstLine[i] >= '0' && firstLine[i] <= '9'; ++i) {
        if (++digits > 3)
            return 0;
        value = value * 10 + (firstLine[i] - '0');
    }
    return digits == 3 ? value : 0;
}

} // namespace

void HttpReplyParser::Feed(const char* data, size_t size)
{
    if (m_state == State::Headers)
        feedHeaders(data, size);
    if (m_state == State::Body && size > 0)
        feedBody(data, size);
}

void HttpReplyParser::feedHeaders(const char*& data, size_t& size)
{
    while (size > 0 && m_state == State::Headers) {
        const void* found = std::memchr(data, '\n', size);
        const size_t take = found ? static_cast<size_t>(static_cast<const char*>(found) - data) + 1 : size;
        const size_t segment = found ? take - 1 : take;
        // Checked before anything is kept, so an endless line costs no memory.
        size_t length = m_line.size() + segment;
        const char last = segment > 0 ? data[segment - 1] : (m_line.empty() ? '\0' : m_line.back());
        if (length > 0 && last == '\r')
            --length; // part of the line ending (or may turn out to be)
        if (length > kMaxHeaderLine)
            return fail(HttpErrorCode::kHeaderLineTooLong);
        if (take > kMaxHeaderBlock - m_headerBytes)
            return fail(HttpErrorCode::kHeadersTooLarge);
        m_headerBytes += take;
        m_line.append(data, segment);
        data += take;
        size -= take;
        if (found) {
            m_line.resize(length);
            std::string text = std::move(m_line);
            m_line.clear();
            line(std::move(text));
        }
    }
}

void HttpReplyParser::line(std::string text)
{
    if (text.empty())
        return endHeaders();
    if (!m_sawStatusLine) {
        m_sawStatusLine = true;
        m_status = statusOf(text);
        return;
    }
    if (isBlank(text[0])) {
        m_headers.ContinueLast(trimmed(text));
        return;
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0)
        return; // not a header line
    m_headers.AppendHeader(trimmed(text.substr(0, colon)), trimmed(text.substr(colon + 1)));
}

void HttpReplyParser::endHeaders()
{
    m_sawStatusLine = true;
    std::string lengthText;
    for (int i = 0; i < m_headers.Count(); ++i) {
        if (!isContentLength(m_headers.Name(i)))
            continue;
        const std::string value = m_headers.Value(i);
        if (m_hasLength && value != lengthText)
            return fail(HttpErrorCode::kBadContentLength);
        m_hasLength = true;
        lengthText = value;
    }
    if (!m_hasLength) {
        m_state = State::Body;
        return;
    }
    if (lengthText.empty())
        return fail(HttpErrorCode::kBadContentLength);
    size_t length = 0;
    for (char c : lengthText) {
        if (c < '0' || c > '9')
            return fail(HttpErrorCode::kBadContentLength);
        length = length * 10 + static_cast<size_t>(c - '0');
        if (length > kMaxBody)
            return fail(HttpErrorCode::kBodyTooLarge);
    }
    m_remaining = length;
    m_state = length == 0 ? State::Complete : State::Body;
    if (length > 0)
        m_content.reserve(length);
}

void HttpReplyParser::feedBody(const char* data, size_t size)
{
    if (m_hasLength) {
        const size_t take = size < m_remaining ? size : m_remaining;
        m_content.append(data, take);
        m_remaining -= take;
        if (m_remaining == 0)
            m_state = State::Complete;
        return;
    }
    if (size > kMaxBody - m_content.size())
        return fail(HttpErrorCode::kBodyTooLarge);
    m_content.append(data, size);
}

void HttpReplyParser::EndOfStream()
{
    switch (m_state) {
    case State::Headers:
        // Nothing at all is a reply of status 0; a header block cut short is a broken reply.
        if (m_headerBytes > 0)
            return fail(HttpErrorCode::kReplyTruncated);
        m_state = State::Complete;
        break;
    case State::Body:
        if (m_hasLength && m_remaining > 0)
            return fail(HttpErrorCode::kReplyTruncated);
        m_state = State::Complete;
        break;
    case State::Complete:
    case State::Failed:
        break;
    }
}

void HttpReplyParser::fail(int code)
{
    m_state = State::Failed;
    m_error = code;
    m_line.clear();
    m_line.shrink_to_fit();
    m_content.clear();
    m_content.shrink_to_fit();
}
