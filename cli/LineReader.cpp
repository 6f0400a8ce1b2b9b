#include "cli/LineReader.h"

#include <streambuf>

LineReader::LineReader(std::istream& in) : in_(in), buffer_(1 << 16) {}

bool LineReader::Fill() {
    if (eof_) return false;
    std::streambuf* source = in_.rdbuf();
    // Takes what is waiting, or blocks for one more character when nothing is.
    std::streamsize waiting = source->in_avail();
    if (waiting <= 0) waiting = 1;
    if (waiting > static_cast<std::streamsize>(buffer_.size()))
        waiting = static_cast<std::streamsize>(buffer_.size());
    const std::streamsize got = source->sgetn(buffer_.data(), waiting);
    if (got <= 0) {
        eof_ = true;
        return false;
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(got);
    return true;
}

bool LineReader::Next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) return any;
        any = true;
        const char* start = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* at = start;
        while (at != stop && *at != '\n' && *at != '\r')
            ++at;
        line.append(start, at);
        begin_ += static_cast<std::size_t>(at - start);
        if (at == stop) continue;
        ++begin_;
        if (*at == '\r') {
            // CR LF is one line end, even when LF comes in the next read.
            if (begin_ == end_ && !Fill()) return true;
            if (buffer_[begin_] == '\n') ++begin_;
        }
        return true;
    }
}

bool LineReader::MoreWaiting() {
    return begin_ < end_ || in_.rdbuf()->in_avail() > 0;
}
