#pragma once

#include "core/HamCollection.h"
#include "core/SmbParams.h"

#include <cstddef>
#include <cstdint>

using SmbParamCollection = THamCollection<SmbParams>;

// One character of a word, a rule side or a variant: a 32-bit code, an auxiliary value and a
// sorted parameter set. Code 0 in a pattern matches any code.
class Symbol {
public:
    // Most parameters a reader gives one symbol; pairs past it are read over and dropped.
    // Shipped data uses at most 6; a hostile file cannot make every symbol carry thousands.
    static constexpr std::int32_t MaxParams = 16;

    std::uint32_t code = 32;
    std::int32_t extra = 0;
    SmbParamCollection params;

    Symbol() = default;
    explicit Symbol(std::uint32_t c) : code(c) {}
    Symbol(const Symbol& other) { *this = other; }
    // Takes over other's parameters where a copy would hold them in the same order (else
    // copies), leaving other without parameters: vectors of symbols grow without copying.
    Symbol(Symbol&& other) noexcept;
    virtual ~Symbol() = default;

    virtual Symbol& operator=(const Symbol& other);
    // Equal codes, and this symbol's params contain all of the other's: not symmetric.
    virtual bool operator==(const Symbol& other) const;
    virtual bool operator!=(const Symbol& other) const { return !(*this == other); }
    virtual bool operator<(const Symbol& other) const;
    virtual bool operator<=(const Symbol& other) const;
    virtual bool operator>(const Symbol& other) const;
    virtual bool operator>=(const Symbol& other) const;

    // Adds the parameter name=value.
    void AddParam(const char* name, const char* value);

    // Reads one compiled record (code, extra, count, parameter records) at position, never
    // past size; keeps the first MaxParams parameters. Returns 0, or 1 with params emptied
    // when a record fails or is cut short.
    int ReadSymbol(const char* data, std::size_t size, std::size_t& position);
};

using SymbolCollection = THamCollection<Symbol>;
using Symbol2Collection = THamCollection<SymbolCollection>;
using IdCollection = THamCollection<std::uint32_t>;
using BoolCollection = THamCollection<bool>;

// True when every parameter of subset has an equal one in set.
bool ContainsAll(const SmbParamCollection& set, const SmbParamCollection& subset);

// Orders two symbols' parameter sets: -1, 0 or 1.
int CompareParams(const Symbol& a, const Symbol& b);

// True when the codes agree (either is 0, or both equal) and symbol carries every parameter
// of pattern.
bool Matches(const Symbol& pattern, const Symbol& symbol);

// True when a copy of s (Symbol assignment, which adds the parameters one by one to a sorted
// set) has its parameters in the order s has them. Only a merge that overwrites a value in place
// can leave a symbol whose copy differs.
bool CopiesAsIs(const Symbol& s);
// Makes to an exact copy of from, parameters in from's order (even where a plain assignment
// would re-sort them).
void CopyExactly(Symbol& to, const Symbol& from);

// Sequence comparisons: equal lengths element by element; otherwise the shorter is less.
bool operator==(const SymbolCollection& a, const SymbolCollection& b);
bool operator!=(const SymbolCollection& a, const SymbolCollection& b);
bool operator<(const SymbolCollection& a, const SymbolCollection& b);
bool operator>(const SymbolCollection& a, const SymbolCollection& b);
