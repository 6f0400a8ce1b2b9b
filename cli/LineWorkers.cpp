#include "cli/LineWorkers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>

namespace {

// Lines a thread takes at a time: few enough to share a block evenly, enough that taking
// them costs nothing.
constexpr std::size_t kLinesPerTake = 64;

} // namespace

struct LineWorkers::Helper {
    std::thread thread;
    std::unique_ptr<quillomorph::Transcriber> transcriber;
    std::optional<Session> session; // made once the transcriber is open (under the lock)
    std::ostringstream reports;
    std::uint64_t seen = 0; // the last block it took part in
    std::size_t buffer = 0; // its buffer's number
    std::exception_ptr thrown;
};

struct LineWorkers::Shared {
    std::mutex mutex;
    std::condition_variable wake; // a new block, or the end
    std::condition_variable idle; // the last helper left a block
    bool stop = false;
    bool open = false; // helpers may still join the current block
    std::uint64_t block = 0;
    int inBlock = 0;
    // The current block.
    const std::vector<std::string>* lines = nullptr;
    std::size_t first = 0; // lines[first..count) are the block's
    std::size_t count = 0;

    long before = 0;
    // Taken by every thread in turn: a cache line of its own.
    alignas(64) std::atomic<std::size_t> next{0};
};

LineWorkers::LineWorkers(std::string dataDir, const Options& options,
                         quillomorph::Transcriber::Options openOptions, int helpers)
    : dataDir_(std::move(dataDir)), options_(options), openOptions_(openOptions),
      shared_(std::make_unique<Shared>()) {
    for (Batch& batch : batches_)
        for (int i = 0; i <= helpers; ++i)
            batch.buffers.push_back(std::make_unique<Buffer>());
    for (int i = 0; i < helpers; ++i) {
        helpers_.push_back(std::make_unique<Helper>());
        Helper& h = *helpers_.back();
        h.buffer = static_cast<std::size_t>(i) + 1;
        h.thread = std::thread([this, &h] { Serve(h); });
    }
}

LineWorkers::~LineWorkers() {
    Stop();
}

void LineWorkers::Stop() {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
        shared_->next = shared_->count; // what the helpers hold of a block is finished
    }
    shared_->wake.notify_all();
    for (const std::unique_ptr<Helper>& helper : helpers_)
        if (helper->thread.joinable()) helper->thread.join();
}

void LineWorkers::Abandon() {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stop = true;
        for (const std::unique_ptr<Helper>& helper : helpers_)
            if (!helper->transcriber && helper->thread.joinable()) helper->thread.detach();
    }
    Stop();
}

void LineWorkers::Take(Session& session, std::ostringstream& stream, std::size_t buffer) {
    Shared& s = *shared_;
    const std::vector<std::string>& lines = *s.lines;
    Batch& batch = batches_[current_];
    std::string& out = batch.buffers[buffer]->text;
    for (;;) {
        const std::size_t from = s.next.fetch_add(kLinesPerTake);
        if (from >= s.count) return;
        const std::size_t to = std::min(s.count, from + kLinesPerTake);
        for (std::size_t i = from; i < to; ++i) {
            // Numbered by its place in the block.
            session.SetLines(s.before + static_cast<long>(i - s.first));
            const std::size_t at = out.size();
            session.TranscribeInto(lines[i], out);
            out += '\n';
            batch.slices[i] = {buffer, at, out.size() - at};
            std::string& report = batch.reports[i];
            report.clear();
            if (stream.tellp() > 0) {
                report = stream.str();
                stream.str(std::string());
            }
        }
    }
}

void LineWorkers::Serve(Helper& h) {
    Shared& s = *shared_;
    // The language is opened on this thread, while the caller goes on with its own.
    std::unique_ptr<quillomorph::Transcriber> opened;
    try {
        opened = std::make_unique<quillomorph::Transcriber>(
            quillomorph::Transcriber::Open(dataDir_, options_.lang, openOptions_));
        opened->ClearMessages(); // the caller's opening reported them
    } catch (...) {
        return; // the caller and the other helpers do its share
    }
    std::unique_lock<std::mutex> lock(s.mutex);
    h.transcriber = std::move(opened);
    h.session.emplace(*h.transcriber, options_, h.reports);
    for (;;) {
        s.wake.wait(lock, [&] { return s.stop || (s.open && s.block != h.seen); });
        if (s.stop) return;
        h.seen = s.block;
        ++s.inBlock;
        lock.unlock();
        try {
            Take(*h.session, h.reports, h.buffer);
        } catch (...) {
            h.thrown = std::current_exception();
            s.next = s.count; // the others stop after what they hold
        }
        lock.lock();
        if (--s.inBlock == 0) s.idle.notify_all();
    }
}

void LineWorkers::Start(Session& session, const std::vector<std::string>& lines, std::size_t first,
                        std::size_t count) {
    Shared& s = *shared_;
    count = std::min(count, lines.size());
    first = std::min(first, count);
    // The other batch may hold the completed block, not yet written.
    current_ = 1 - completed_;
    Batch& batch = batches_[current_];
    if (batch.slices.size() < count) batch.slices.resize(count);
    if (batch.reports.size() < count) batch.reports.resize(count);
    for (const std::unique_ptr<Buffer>& buffer : batch.buffers)
        buffer->text.clear();
    batch.first = first;
    batch.count = first;
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        s.lines = &lines;
        s.first = first;
        s.count = count;
        s.before = session.Lines();
        s.next = first;
        ++s.block;
        s.open = true;
    }
    started_ = true;
    s.wake.notify_all();
}

void LineWorkers::Complete(Session& session) {
    if (!started_) return;
    started_ = false;
    Shared& s = *shared_;
    std::ostream& reportsBefore = session.Reports();
    std::ostringstream mine;
    session.ReportTo(mine);
    std::exception_ptr thrown;
    try {
        Take(session, mine, 0);
    } catch (...) {
        thrown = std::current_exception();
        s.next = s.count;
    }
    session.ReportTo(reportsBefore);

    // Helpers still opening the language take no part; the others finish what they hold.
    std::unique_lock<std::mutex> lock(s.mutex);
    s.open = false;
    s.idle.wait(lock, [&] { return s.inBlock == 0; });
    session.SetLines(s.before + static_cast<long>(s.count - s.first));
    for (const std::unique_ptr<Helper>& helper : helpers_) {
        if (helper->session) session.Absorb(*helper->session);
        if (helper->thrown && !thrown) thrown = helper->thrown;
        helper->thrown = nullptr;
    }
    lock.unlock();
    if (thrown) std::rethrow_exception(thrown);
    completed_ = current_;
    batches_[completed_].count = s.count;
}
