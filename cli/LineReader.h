#pragma once

#include <istream>
#include <string>
#include <vector>

// Lines of a stream ended by CR LF, LF or a lone CR, as the data loaders read them. A last
// line without an end is a line; an empty stream has none.
class LineReader {
public:
    explicit LineReader(std::istream& in);

    // The next line without its end; false at the end of the stream.
    bool Next(std::string& line);
    // True when more input is already waiting, without blocking for it.
    bool MoreWaiting();

private:
    bool Fill();

    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
};
