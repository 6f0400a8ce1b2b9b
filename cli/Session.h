#pragma once

#include "cli/Options.h"

#include <quillomorph/quillomorph.h>

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of quillomorph-cli.
enum Status {
    Done = 0,
    NotLoaded = 1,
    Usage = 2,
    InternalError = 3,
    WriteError = 4,
    LineBound = 5
};

// Writes the system's messages to err, one line each.
void PrintMessages(const std::vector<quillomorph::Message>& messages, std::ostream& err);

// One language and what a run reports beside the answers: lines too long or cut by a bound,
// internal errors (each reported on err as it happens, with its line's number).
class Session {
public:
    Session(quillomorph::Transcriber& transcriber, const Options& options, std::ostream& err)
        : transcriber_(transcriber), options_(options), err_(&err) {}

    // The variants of one input line, sorted, or best first with --best or --ranked; an
    // internal error gives none and is reported.
    std::vector<std::string> Transcribe(const std::string& line);
    // The same, appended to out separated by TAB (only the first with --best), without a
    // string per variant.
    void TranscribeInto(const std::string& line, std::string& out);
    // The best variant of the line Transcribe was given last (which it does not transcribe
    // again); empty when it has none or failed.
    std::string Best(const std::string& line);

    // Where reports go from now on, and where they go.
    void ReportTo(std::ostream& err) { err_ = &err; }
    std::ostream& Reports() const { return *err_; }
    // The number of lines handled so far: the next line is numbered count + 1.
    long Lines() const { return lines_; }
    void SetLines(long count) { lines_ = count; }
    // Takes over what other has reported (failed lines, bounds); other keeps none of it.
    void Absorb(Session& other);

    // Names the lines that failed when there were several lines; the status of the run.
    int Finish();

private:
    quillomorph::Order RequestedOrder() const {
        return options_.best || options_.ranked ? quillomorph::Order::Ranked
                                                : quillomorph::Order::Sorted;
    }
    // Runs transcribe for line with the checks and reports of a line; false when it gave no
    // variants because the line was too long or met an internal error.
    template <class Work> bool Handle(const std::string& line, Work transcribe);
    void PrintTrace();

    quillomorph::Transcriber& transcriber_;
    const Options& options_;
    std::ostream* err_;
    long lines_ = 0;
    std::vector<long> failedLines_;
    bool bounded_ = false;
};
