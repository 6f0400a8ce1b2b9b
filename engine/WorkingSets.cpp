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

void WorkingSets::Swap() {
    current->Clear();
    std::swap(current, next);
    positions.Assign(nextPositions);
    nextPositions.Clear();
    keyless.Assign(nextKeyless);
    nextKeyless.Clear();
}
