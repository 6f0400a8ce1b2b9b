#pragma once

#include "cli/Options.h"
#include "cli/Session.h"

#include <quillomorph/quillomorph.h>

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Transcribes blocks of input lines on several threads at once: the caller's session and
// helper threads, each with a transcriber of its own, opened like the caller's as the helper
// starts (a block does not wait for a helper still opening it).
// Every line is handled as Session::TranscribeInto handles it, with the same reports under the
// same line numbers; the answers and reports come back by line, to be written in input order.
class LineWorkers {
public:
    // helpers: threads beside the caller's.
    LineWorkers(std::string dataDir, const Options& options,
                quillomorph::Transcriber::Options openOptions, int helpers);
    ~LineWorkers();
    LineWorkers(const LineWorkers&) = delete;
    LineWorkers& operator=(const LineWorkers&) = delete;

    // Transcribes lines[first..count), numbered from session.Lines() + 1 on, and hands the
    // lines' reports and answers (variants and line end) to write(report, answers), in input
    // order: each report before the answer of its line, and the answers of lines in a row
    // without reports together. session counts the lines and takes over what the helpers
    // reported.
    template <class Write>
    void Run(Session& session, const std::vector<std::string>& lines, std::size_t first,
             std::size_t count, Write write) {
        Transcribe(session, lines, first, count);
        std::size_t i = first;
        while (i < count) {
            const Slice& slice = slices_[i];
            // The answers that follow it in the same buffer, up to the next report.
            std::size_t size = slice.size;
            std::size_t j = i + 1;
            while (j < count && reports_[j].empty() && slices_[j].buffer == slice.buffer &&
                   slices_[j].at == slice.at + size)
                size += slices_[j++].size;
            const std::string& buffer = buffers_[slice.buffer]->text;
            write(reports_[i], std::string_view(buffer.data() + slice.at, size));
            i = j;
        }
    }

    // For a process about to end: stops the helpers that have opened the language and
    // leaves those still opening it to finish on their own (the object must then stay).
    void Abandon();

private:
    void Stop();
    // Where a line's answer lies: in which participant's buffer (0 the caller's), and where.
    struct Slice {
        std::size_t buffer;
        std::size_t at;
        std::size_t size;
    };
    void Transcribe(Session& session, const std::vector<std::string>& lines, std::size_t first,
                    std::size_t count);
    struct Helper;
    struct Shared;
    // A helper's thread: opens the language, then takes part in every block that starts
    // while it waits.
    void Serve(Helper& helper);
    // Takes lines of the current block until none is left, appending their answers to
    // buffer number `buffer`.
    void Take(Session& session, std::ostringstream& reports, std::size_t buffer);

    std::string dataDir_;
    const Options& options_;
    quillomorph::Transcriber::Options openOptions_;
    std::unique_ptr<Shared> shared_;
    std::vector<std::unique_ptr<Helper>> helpers_;
    // Each participant's answers, kept apart so that no thread writes where another does:
    // not even in the same cache line, which every append to a string's length would make
    // the cores pass back and forth.
    struct alignas(64) Buffer {
        std::string text;
    };
    std::vector<std::unique_ptr<Buffer>> buffers_;
    std::vector<Slice> slices_;
    std::vector<std::string> reports_;
};
