#pragma once

#include "core/Symbol.h"

#include <cstdint>

// The per-run state of the engine: variants of the current and next generation with their read
// positions and keyless flags (three parallel lists each), and the candidate lists of rule
// selection. All unsorted and storing except the two candidate lists, which are sorted.
struct WorkingSets {
    WorkingSets();
    ~WorkingSets();
    WorkingSets(const WorkingSets&) = delete;
    WorkingSets& operator=(const WorkingSets&) = delete;

    // Appends a deep copy of sequence to the next generation and returns that copy.
    SymbolCollection& AddNext(const SymbolCollection& sequence, std::uint32_t position,
                              bool keyless);
    // Appends sequence itself to the next generation, leaving an empty collection in its
    // place, and returns it: for a variant that goes on without forking, so that a step costs
    // nothing in the length of its output.
    SymbolCollection& MoveNext(SymbolCollection& sequence, std::uint32_t position, bool keyless);
    // Moves the next generation into the current one and empties the next lists.
    void Swap();

    Symbol2Collection* current;
    Symbol2Collection* next;
    IdCollection positions{false, true};
    IdCollection nextPositions{false, true};
    BoolCollection keyless{false, true};
    BoolCollection nextKeyless{false, true};
    IdCollection candidates{true, true};
    IdCollection offsets{false, true};
    IdCollection subCandidates{true, true};
    IdCollection subOffsets{false, true};
    SymbolCollection seed{false, true};
};
