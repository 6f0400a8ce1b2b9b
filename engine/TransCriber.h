#pragma once

#include "core/Symbol.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "rules/ScribeRule.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Candidate;
struct InputFacts;
class RuleIndex;
struct WorkingSets;

// The rule set of one language and the engine that applies it to an analysed symbol sequence.
// The rule records and their syntax live in rules/; this class loads and orders the set
// (RuleSet.cpp) and runs it (the other sources of engine/).
class TransCriber {
public:
    // Most live variants a run keeps; a step that would fork past it applies only its first
    // candidate.
    static constexpr std::int32_t MaxVariants = 4096;
    // Bounds the time and memory of a run over a long input: live variants times input
    // symbols stay within it, so inputs of up to 256 symbols keep the full cap.
    static constexpr std::int64_t MaxVariantSymbols = std::int64_t{MaxVariants} * 256;
    // Bounds the time of a run with a hostile rule set (thousands of rules tried at every
    // position). Past this many rule comparisons the run keeps only its first variant and
    // forks no more; past twice as many it looks up no more rules, and each input symbol left
    // is treated as one that no rule covers. (The longest reference lines of the shipped
    // languages need about a sixth of it.)
    static constexpr std::uint64_t MaxRunComparisons = std::uint64_t{1} << 25;

    TransCriber();
    ~TransCriber();
    TransCriber(const TransCriber&) = delete;
    TransCriber& operator=(const TransCriber&) = delete;

    // --- Rule set ---
    // Replaces the set by the rules of a text rule file; direction 0 normal, -1 reverse.
    // Faulty lines are reported in message boxes and loading goes on.
    void LoadRules(const Text& fileName, std::int32_t direction);
    // Reads a compiled "tran" section at position (never past size): 0, or 1 on failure.
    std::int32_t ReadRuleSection(const char* data, std::size_t size, std::size_t& position);
    // Post-load step: sorts the rules and rebuilds used and keys.
    void SortRules();
    // Recovery and message for a rule whose side failed to parse while loading slot.
    void ReportBadRule(std::size_t& position, std::size_t length, const char* bytes,
                       std::int32_t slot);

    // --- Engine ---
    // Rewrites input[0..n) into every variant the rules allow. For n = 0 variants is null and
    // count 0; otherwise the caller owns the new[]-allocated array. Always returns 1.
    std::int32_t TranscribeSymbols(const Symbol* input, std::uint32_t n,
                                   SymbolCollection*& variants, std::int32_t& count);
    // The same run, handing back only the codes that TranscribeSymbols would return, without
    // copying any symbol: variant k is codes[ends[k - 1]..ends[k]) (from 0 for k = 0), and
    // ends.size() is the number of variants. Both vectors are replaced. preferences, when
    // given, is replaced by each variant's preference (Variant in WorkingSets.h): 0 for the
    // variant made only of the first written of every set of rules it forked on.
    // origins, when given, has for each input symbol null or the symbol to read in its place
    // (input[i] is then not read), which stays unchanged while originsVersion does: what the
    // engine works out about such a symbol is kept for the next input.
    void TranscribeCodes(const Symbol* input, std::uint32_t n, std::vector<std::uint32_t>& codes,
                         std::vector<std::size_t>& ends,
                         std::vector<std::uint32_t>* preferences = nullptr,
                         const Symbol* const* origins = nullptr, std::uint64_t originsVersion = 0);
    // Overwrites the values of equally named parameters of target, adds the others.
    static void MergeParams(SmbParamCollection& target, const SmbParamCollection& source);
    // Best rules at input[0] with a symbols remaining (input[-s] must exist when s is 1);
    // fills the parallel candidate and offset lists. history may be null.
    bool SelectRules(const Symbol* input, std::int32_t a, IdCollection& candidates,
                     IdCollection& offsets, bool keyless, std::uint32_t s,
                     const SymbolCollection* history);
    void FilterByContext(IdCollection& candidates, IdCollection& offsets,
                         const SymbolCollection& history);
    void PickBest(IdCollection& candidates, IdCollection& offsets);
    // The engine's own form of the three above: candidates as (rule, offset) pairs, and the
    // history as the h symbols history[0..h) (none when history is null).
    // facts[i] belongs to input[i] (RuleIndex::Facts), from i = -s on. They serve a run (or a
    // call of the forms above), which starts with Working(): until the next start, the
    // symbols history points to must keep their parameters.
    // The input is *input[0..a) (and *input[-s]).
    bool SelectCandidates(const Symbol* const* input, const InputFacts* facts, std::int32_t a,
                          std::vector<Candidate>& candidates, bool keyless, std::uint32_t s,
                          const Symbol* const* history, std::int32_t h);
    // Its two halves: the scan of the rules (appending to candidates, counting comparisons),
    // then context, best rules and used flags (false when no candidate is left).
    void ScanCandidates(const Symbol* const* input, const InputFacts* facts, std::int32_t a,
                        std::vector<Candidate>& candidates, bool keyless, std::uint32_t s);
    bool ChooseCandidates(std::vector<Candidate>& candidates, const Symbol* const* history,
                          std::int32_t h);
    void FilterCandidates(std::vector<Candidate>& candidates, const Symbol* const* history,
                          std::int32_t h);
    void PickBestCandidates(std::vector<Candidate>& candidates);

    // --- Trace ---
    void TraceLine(const Text& line);
    static Text RuleText(const ScribeRule& rule);
    // Appends a separator line and every trace line to the file.
    void WriteTrace(const Text& fileName);

    // Fields, in declaration order.
    ScribeRule* rules = nullptr; // new[]-allocated, ruleCount rules after sorting
    std::int32_t ruleCount = 0;
    std::uint8_t* used = nullptr;
    platform::StringList* traceLines = nullptr;
    std::uint32_t* keys = nullptr;
    bool traceOn = false;
    // Where WriteTrace goes after each run while traceOn (relative to the base folder).
    Text traceFile = "trans.log";

    // The place of each rule (by its index in rules) in the file it was loaded from; filled by
    // SortRules.
    std::vector<std::uint32_t> writtenAt;

    // Rule comparisons made by SelectRules since construction (the engine's work measure).
    std::uint64_t comparisons = 0;
    // Output symbols copied since construction: from a variant into each of its forks, and
    // from the finished variants into the results (the engine's measure of copying).
    std::uint64_t copiedSymbols = 0;
    // The bounds a run applies; tests lower them. A run over n input symbols may make
    // comparisonLimit + comparisonsPerSymbol * n comparisons (the shipped languages make at
    // most about 200 per symbol), so that a long ordinary line never reaches the bound.
    std::int64_t variantSymbolLimit = MaxVariantSymbols;
    std::uint64_t comparisonLimit = MaxRunComparisons;
    std::uint64_t comparisonsPerSymbol = 1024;
    std::uint64_t RunComparisonLimit(std::uint32_t n) const {
        return comparisonLimit + comparisonsPerSymbol * n;
    }

    // What the last run met of its bounds: overComparisons, twice its comparison limit, so that
    // symbols were left as gaps with no rule looked up; overOutput, its output limit, so that
    // only its first variant went on and was cut.
    struct RunReport {
        bool overComparisons = false;
        bool overOutput = false;
    };
    RunReport lastRun;
    // Runs the plain engine (PlainRun.cpp) instead of the fast one: the same results, counts
    // and bounds, taking none of the fast engine's shortcuts. For checking the fast engine.
    bool plain = false;

    // Changes whenever the rule set is replaced or re-sorted.
    std::uint64_t RuleSetVersion() const { return ruleSetVersion_; }

    // Most output symbols the variants of a run hold together, against rules whose right
    // sides are far longer than their left: past it only the first variant goes on, and it
    // ends once it alone holds that many. Ordinary runs hold at most a quarter of it.
    std::size_t OutputLimit() const { return 4 * static_cast<std::size_t>(variantSymbolLimit); }
    // The same for a run over n input symbols: never below outputPerSymbol output symbols per
    // input symbol, so that an ordinary long line keeps its whole output.
    std::size_t outputPerSymbol = 16;
    std::size_t OutputLimit(std::uint32_t n) const {
        const std::size_t perSymbol = outputPerSymbol * n;
        return OutputLimit() > perSymbol ? OutputLimit() : perSymbol;
    }
    // The variant cap of a run over n input symbols: MaxVariants, lowered in proportion for
    // inputs longer than variantSymbolLimit / MaxVariants symbols, and never below 1.
    std::int32_t VariantCap(std::uint32_t n) const {
        const std::int64_t cap = n == 0 ? MaxVariants : variantSymbolLimit / n;
        return cap >= MaxVariants ? MaxVariants : cap < 1 ? 1 : static_cast<std::int32_t>(cap);
    }

private:
    // Destroys rules with every slot and releases used and keys: an empty set.
    void ReleaseRules();
    // The working sets of the runs, made by the first run and kept for the next ones; the rule
    // index in them refreshed for the current rule set.
    WorkingSets& Working();
    // The keyless and keyed scans of SelectCandidates: appends the matching rules and returns
    // how far they read into the input (input[0..extent), and input[-s] with keyless rules).
    // TranscribeSymbols by the plain engine.
    std::int32_t TranscribePlainly(const Symbol* input, std::uint32_t n,
                                   SymbolCollection*& variants, std::int32_t& count);
    std::int32_t ScanRules(const RuleIndex& index, const Symbol* const* input,
                           const InputFacts* facts, std::int32_t a,
                           std::vector<Candidate>& candidates, bool keyless, std::uint32_t s);

    std::unique_ptr<WorkingSets> work_;
    std::uint64_t ruleSetVersion_ = 0;

    // Slots allocated in rules: ruleCount after a load, the slots filled so far while loading.
    std::int64_t slotCount = 0;
};
