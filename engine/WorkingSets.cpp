#include "engine/WorkingSets.h"

#include <utility>

WorkingSets::WorkingSets()
    : current(new Symbol2Collection(false, true)), next(new Symbol2Collection(false, true)) {}

WorkingSets::~WorkingSets() {
    delete current;
    delete next;
}

SymbolCollection& WorkingSets::AddNext(const SymbolCollection& sequence, std::uint32_t position,
                                       bool flag) {
    next->Add(const_cast<SymbolCollection*>(&sequence));
    nextPositions.Add(&position);
    nextKeyless.Add(&flag);
    return (*next)[next->Count() - 1];
}

SymbolCollection& WorkingSets::MoveNext(SymbolCollection& sequence, std::uint32_t position,
                                        bool flag) {
    SymbolCollection empty(false, true);
    next->Add(&empty);
    SymbolCollection& moved = (*next)[next->Count() - 1];
    moved.Swap(sequence);
    nextPositions.Add(&position);
    nextKeyless.Add(&flag);
    return moved;
}

void WorkingSets::Swap() {
    current->Clear();
    std::swap(current, next);
    positions.Assign(nextPositions);
    nextPositions.Clear();
    keyless.Assign(nextKeyless);
    nextKeyless.Clear();
}
