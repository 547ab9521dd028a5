// Arbitrary server bytes into the HTTP reply parser, cut into random pieces: the parser must
// not crash, must keep within its limits, and must read the reply the same way as when it
// arrives in one piece. Needs no Qt: build with platform/HttpReplyParser.cpp and
// platform/network/InternetHeaders.cpp.
#include "platform/network/HttpErrorCode.h"
#include "platform/network/HttpReplyParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool knownCode(int code)
{
    return code == HttpErrorCode::kBodyTooLarge || code == HttpErrorCode::kHeaderLineTooLong
        || code == HttpErrorCode::kHeadersTooLarge || code == HttpErrorCode::kReplyTruncated
        || code == HttpErrorCode::kBadContentLength;
}

void checkInvariants(const HttpReplyParser& parser)
{
    check(parser.Content().size() <= HttpReplyParser::kMaxBody);
    check(parser.Status() >= 0);
    if (parser.state() == HttpReplyParser::State::Failed) {
        check(knownCode(parser.ErrorCode()));
        check(parser.Content().empty());
    } else {
        check(parser.ErrorCode() == 0);
    }
    for (int i = 0; i < parser.Headers().Count(); ++i)
        check(parser.Headers().Name(i).size() <= HttpReplyParser::kMaxHeaderLine);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes seed the cutting; the rest is what the server sends.
    uint32_t seed = (uint32_t(data[0]) << 8 | data[1]) * 2654435761u + 1;
    const char* reply = reinterpret_cast<const char*>(data + 2);
    const size_t length = size - 2;

    HttpReplyParser whole;
    whole.Feed(reply, length);
    checkInvariants(whole);
    const HttpReplyParser::State beforeEnd = whole.state();
    whole.EndOfStream();
    checkInvariants(whole);
    check(whole.Finished());

    HttpReplyParser pieces;
    size_t at = 0;
    while (at < length) {
        seed = seed * 1103515245u + 12345u;
        size_t piece = (seed >> 16) % 17; // empty pieces too
        if ((seed & 0xF) == 0)
            piece = (seed >> 8) % 4096;
        if (piece > length - at)
            piece = length - at;
        pieces.Feed(reply + at, piece);
        checkInvariants(pieces);
        at += piece;
    }
    check(pieces.state() == beforeEnd);
    pieces.EndOfStream();
    pieces.EndOfStream(); // a second close changes nothing
    checkInvariants(pieces);

    check(pieces.state() == whole.state());
    check(pieces.Status() == whole.Status());
    check(pieces.ErrorCode() == whole.ErrorCode());
    check(pieces.Content() == whole.Content());
    check(pieces.Headers().Count() == whole.Headers().Count());
    for (int i = 0; i < whole.Headers().Count(); ++i) {
        check(pieces.Headers().Name(i) == whole.Headers().Name(i));
        check(pieces.Headers().Value(i) == whole.Headers().Value(i));
    }
    if (whole.state() == HttpReplyParser::State::Complete && whole.HasContentLength())
        check(whole.Content().size() == std::strtoull(whole.Headers().Value("Content-Length").c_str(), nullptr, 10));
    return 0;
}
