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

    // Starts on lines[first..count), numbered from session.Lines() + 1 on: the helpers take
    // them at once. lines must stay as they are until Complete() returns.
    void Start(Session& session, const std::vector<std::string>& lines, std::size_t first,
               std::size_t count);
    // Takes part in the started block until every line is taken, then waits for the helpers
    // to finish it; session counts its lines and takes over what the helpers reported. Its
    // answers stay for Write() while the next block is started.
    void Complete(Session& session);
    // Hands the completed block's reports and answers (variants and line end) to
    // write(report, answers), in input order: each report before the answer of its line, and
    // the answers of lines in a row without reports together.
    template <class Writer> void Write(Writer write) {
        const Batch& batch = batches_[completed_];
        std::size_t i = batch.first;
        while (i < batch.count) {
            const Slice& slice = batch.slices[i];
            // The answers that follow it in the same buffer, up to the next report.
            std::size_t size = slice.size;
            std::size_t j = i + 1;
            while (j < batch.count && batch.reports[j].empty() &&
                   batch.slices[j].buffer == slice.buffer && batch.slices[j].at == slice.at + size)
                size += batch.slices[j++].size;
            const std::string& buffer = batch.buffers[slice.buffer]->text;
            write(batch.reports[i], std::string_view(buffer.data() + slice.at, size));
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
    struct Helper;
    struct Shared;
    // A helper's thread: opens the language, then takes part in every block that starts
    // while it waits.
    void Serve(Helper& helper);
    // Takes lines of the current block until none is left, appending their answers to the
    // block's buffer number `buffer`.
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
    // A block's answers: one buffer per participant (0 the caller's), where each line's answer
    // lies, and its reports. Two, so that one block is written out while the next is worked on.
    struct Batch {
        std::vector<std::unique_ptr<Buffer>> buffers;
        std::vector<Slice> slices;
        std::vector<std::string> reports;
        std::size_t first = 0;
        std::size_t count = 0;
    };
    Batch batches_[2];
    std::size_t current_ = 0;   // the batch of the started block
    std::size_t completed_ = 1; // the batch Write() hands out
    bool started_ = false;
};
